#include "res/version.h"

#include "res/strings.h"

#include <QGuiApplication>

namespace res {

void describeApplication()
{
    QCoreApplication::setApplicationName(QString::fromUtf8(kProductName));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(kProductVersion));
    // Lets a Wayland or X11 desktop match the windows to the installed entry.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kInternalName));
    QGuiApplication::setWindowIcon(*applicationIcon());
}

} // namespace res
