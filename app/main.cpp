#include "app/remoteapp.h"

#include "res/version.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    res::describeApplication();
    CRemoteApp app;
    app.initInstance();
    return 0;
}
