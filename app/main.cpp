#include "app/remoteapp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvan"));
    CRemoteApp app;
    app.initInstance();
    return 0;
}
