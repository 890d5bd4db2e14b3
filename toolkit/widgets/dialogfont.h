#pragma once

#include "toolkit/core/dialogunits.h"

#include <QFont>

namespace tk::qt {

/// The font a template names, at its point size for a 96 dpi screen; where
/// the face is missing, a Japanese substitute sized so that text drawn for
/// the named face still fits the template's rectangles.
QFont dialogFont(const char *face, int pointSize);

/// Base units of a dialog font, measured as the Win32 dialog manager does.
BaseUnits measureBaseUnits(const QFont &font);

} // namespace tk::qt
