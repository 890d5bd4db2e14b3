#include "res/resource.h"
#include "res/strings.h"
#include "toolkit/widgets/dialogwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

// Built into the real program in place of a person: once the main window
// runs, it clicks 接続, waits until the picture has been set up, and presses
// Esc. The program's own main does the rest.
namespace {

constexpr int kPollMs = 50;
constexpr int kGiveUpMs = 15000;

QString text(const tk::DialogWindow &window, int id)
{
    return qobject_cast<QLineEdit *>(window.item(id))->text();
}

void waitForOnlineThenClose(tk::DialogWindow &window, int waitedMs)
{
    if (text(window, IDC_LINK_INDICATOR) == QLatin1String(res::kOnline) &&
        text(window, IDC_STATUS) == QString::fromUtf8(res::kImageSetParamOk)) {
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        return;
    }
    if (waitedMs >= kGiveUpMs) {
        std::fprintf(stderr, "paneldriver: not online with pictures; status '%s'\n",
                     qPrintable(text(window, IDC_STATUS)));
        std::_Exit(3);
    }
    QTimer::singleShot(kPollMs, [&window, waitedMs] { waitForOnlineThenClose(window, waitedMs + kPollMs); });
}

void drive()
{
    QTimer::singleShot(0, [] {
        auto *window = qobject_cast<tk::DialogWindow *>(QApplication::activeModalWidget());
        if (window == nullptr || !QTest::qWaitForWindowExposed(window)) {
            std::fputs("paneldriver: no main window\n", stderr);
            std::_Exit(3);
        }
        const QWidget *connect = window->item(IDC_CONNECT);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          connect->mapTo(window, connect->rect().center()));
        waitForOnlineThenClose(*window, 0);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(drive)
