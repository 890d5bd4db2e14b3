#include "res/resource.h"
#include "tests/support/panelfixture.h"
#include "toolkit/widgets/multilineedit.h"
#include "toolkit/widgets/systemmenu.h"
#include "ui/versiondlg.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using WindowMenu = PanelTest;

// The help button and the window menu's item, appended after a separator
// with string 101, each open the version box over the panel, its help text
// written, until it is closed. The item's id is compared under the system
// command mask: the low four bits are the system's.
TEST_F(WindowMenu, HelpButtonAndMenuItemOpenTheVersionBox)
{
    openPanel();
    const auto &items = panel->systemMenu()->items();
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items.end()[-2].id, 0u);
    EXPECT_EQ(items.back().id, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(items.back().text, QStringLiteral("バージョン情報 Mirel(&A)..."));
    std::vector<std::string> boxes;
    const auto recordAndClose = [&] {
        QTimer::singleShot(0, panel.get(), [&] {
            // Closed whatever the checks find, so a failure cannot hang the run.
            ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
            auto *box = qobject_cast<CVersionDlg *>(QApplication::activeModalWidget());
            if (box == nullptr) {
                QApplication::activeModalWidget()->close();
                FAIL() << "another box opened";
            }
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return !box->item<tk::MultiLineEdit>(IDC_HELP_TEXT)->toPlainText().isEmpty(); }));
            boxes.push_back(box->parentWidget() == panel.get() ? "over the panel" : "elsewhere");
            box->endDialog(tk::IDOK);
        });
    };
    recordAndClose();
    click(IDC_HELP_BUTTON);
    recordAndClose();
    panel->dispatch({.kind = tk::EventKind::SysCommand, .id = IDM_ABOUTBOX | 0x3});
    EXPECT_EQ(boxes, std::vector<std::string>(2, "over the panel"));
}

} // namespace
