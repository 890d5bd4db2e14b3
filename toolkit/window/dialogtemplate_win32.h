#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/win32types.h"

#include <vector>

namespace tk {

/// The template as the dialog manager reads it from memory: a DLGTEMPLATEEX
/// with its font and one DLGITEMTEMPLATEEX per control, each control made by
/// the class name of its kind. The words are DWORD-aligned.
std::vector<DWORD> inMemoryTemplate(const DialogTemplate &dialog);

} // namespace tk
