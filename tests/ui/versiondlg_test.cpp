#include "ui/versiondlg.h"

#include "res/helptext.h"
#include "res/resource.h"
#include "tests/ui/whenopened.h"
#include "toolkit/widgets/controls.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> helpLines()
{
    const std::string text = res::kHelpText;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> fieldLines(const QPlainTextEdit &field)
{
    std::vector<std::string> lines;
    for (QTextBlock block = field.document()->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    return lines;
}

tk::MultiLineEdit *helpField(QWidget &window)
{
    return static_cast<tk::Dialog &>(window).item<tk::MultiLineEdit>(IDC_HELP_TEXT);
}

class VersionDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.setFixedSize(640, 480);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }

    // Runs a box over the owner with an action queued for it; returns the
    // modal run's result.
    int runWith(const WhenOpened::Action &action)
    {
        const WhenOpened script = WhenOpened::modal(action);
        CVersionDlg dialog(&owner);
        const int result = dialog.doModal();
        EXPECT_EQ(script.count(), 1);
        return result;
    }

    QWidget owner;
};

TEST_F(VersionDialogTest, OpensCentredWithFocusOnOkAndRewritesTheWrappedHelpTextOnEachActivation)
{
    runWith([&](QWidget &window) {
        EXPECT_EQ(QApplication::focusWidget(), static_cast<tk::Dialog &>(window).item(tk::IDOK));
        // Within the window frame, which the placement cannot know beforehand.
        const QPoint offset = window.frameGeometry().center() - owner.frameGeometry().center();
        EXPECT_LE(std::abs(offset.x()), (window.frameGeometry().width() - window.width() + 1) / 2);
        EXPECT_LE(std::abs(offset.y()), window.frameGeometry().height() - window.height());

        tk::MultiLineEdit *field = helpField(window);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(fieldLines(*field), helpLines());
        const QString original = field->toPlainText();
        EXPECT_EQ(field->horizontalScrollBar()->maximum(), 0);
        EXPECT_GT(field->verticalScrollBar()->maximum(), 0) << "the text is longer than the field";
        const qreal width = field->viewport()->width();
        for (QTextBlock block = field->document()->begin(); block.isValid(); block = block.next()) {
            for (int line = 0; line < block.layout()->lineCount(); ++line)
                EXPECT_LE(block.layout()->lineAt(line).naturalTextWidth(), width) << block.text().toStdString();
        }

        // Every deactivation and activation writes the text again; the other
        // window is owned by the box, so the modal run lets it be activated.
        const ActivationWatch watch;
        QWidget other(&window, Qt::Window);
        other.resize(80, 60);
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            field->setPlainText(QStringLiteral("scribbled"));
            other.show();
            other.activateWindow();
            ASSERT_TRUE(watch.waitUntilActive(other));
            EXPECT_EQ(field->toPlainText(), original) << "deactivation";

            field->setPlainText(QStringLiteral("scribbled"));
            window.activateWindow();
            ASSERT_TRUE(watch.waitUntilActive(window));
            EXPECT_EQ(field->toPlainText(), original) << "activation";
        }
    });
}

} // namespace
