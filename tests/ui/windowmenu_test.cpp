#include "res/resource.h"
#include "tests/support/panelfixture.h"
#include "tests/ui/whenopened.h"
#include "toolkit/widgets/controls.h"
#include "ui/versiondlg.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kBox = "CVersionDlg template 100 owned by the panel with help";

class WindowMenuTest : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        openPanel();
    }

    void sysCommand(UINT id) { panel->dispatch({.kind = tk::EventKind::SysCommand, .id = static_cast<int>(id)}); }

    // Records what tells one box from another, for each one that opens.
    WhenOpened recordBoxes()
    {
        return WhenOpened::modal([this](QWidget &window) {
            auto &dialog = static_cast<tk::Dialog &>(window);
            const auto *field = dialog.item<tk::MultiLineEdit>(IDC_HELP_TEXT);
            boxes.push_back(std::string(window.metaObject()->className()) + " template "
                            + std::to_string(dialog.dialogTemplate().id) + " owned "
                            + (window.parentWidget() == panel.get() ? "by the panel" : "elsewhere")
                            + (field != nullptr && !field->toPlainText().isEmpty() ? " with help" : " without help"));
        });
    }

    std::vector<std::string> boxes;
};

TEST_F(WindowMenuTest, HelpButtonAndMenuItemOpenTheSameBox)
{
    const WhenOpened script = recordBoxes();
    click(IDC_HELP_BUTTON);
    sysCommand(IDM_ABOUTBOX);
    EXPECT_EQ(boxes, std::vector<std::string>(2, kBox));
}

} // namespace
