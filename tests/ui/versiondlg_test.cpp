#include "ui/versiondlg.h"

#include "res/helptext.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/support/cp932.h"
#include "tests/ui/whenopened.h"
#include "toolkit/core/dialogunits.h"
#include "toolkit/widgets/controls.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

using tk::ControlKind;
namespace ws = tk::style;
namespace ex = tk::exstyle;

const std::string kTitle = "Korvan バージョン情報";

// The technical part of the help text, line by line.
const std::vector<std::string> kTechnicalLines = {
    "・本プログラムはソニー製アイボ(ERS-7)専用の無線操縦ツールです。",
    "・AIBO Remote Framework(正式版)を利用するため、AIBOマインド2が",
    "　が必須です。",
    "・AIBO Remote Framework は、WindowsXP/2000のみに対応しているようです。",
    "　（本プログラムはWindowsXPのみで動作確認しています。）",
    "・お持ちのアイボ(ERS-7)とPCが無線LANで接続できる環境が必要です。",
    "・プログラミングメモリースティックはAIBOマインド2でなければなりません。",
    "  /OPEN-R/SYSTEM/CONF/WLANCONF.TXT",
    "  にネットワーク情報を設定してください。",
    "・VAIBOServerがPCにインストールされている必要があります。本プログラムは",
    "　VAIBOServerの仲介でアイボとやり取りします。（なおVAIBOServerは、",
    "　本プログラムを起動すると裏で自動的に起動されます。）",
    "・本プログラムをインストールしたPCの同一フォルダ（ディレクトリ）に、",
    "　AIBO Remote Frameworkのダイナミックリンクライブラリを置いてください。",
    "・設定後アイボに接続できない場合は、まずアイボのIPアドレスにpingして",
    "　通るか確認してください。pingが通らない場合は、無線LANアクセスポイント",
    "　にMACアドレスによるアクセス制限が掛かっていることが考えられます。",
    "　アクセスポイントの設定を確認してください。",
    "　アイボのMACアドレスはお腹のフタを開けたところに書いてあります。",
};

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

TEST(VersionDialogTemplate, IsAFixedModalPopupWithItsFiveControls)
{
    const tk::DialogTemplate &dialog = res::versionDialogTemplate();
    EXPECT_EQ(dialog.id, 100);
    EXPECT_EQ(cp932::fromUtf8(dialog.title), cp932::fromUtf8(kTitle));
    EXPECT_EQ(std::vector<int>({dialog.x, dialog.y, dialog.cx, dialog.cy}), std::vector<int>({0, 0, 267, 204}));
    EXPECT_STREQ(dialog.fontFace, "MS UI Gothic");
    EXPECT_EQ(dialog.pointSize, 9);
    // No visible flag, no minimise or maximise box, no sizing frame.
    EXPECT_EQ(dialog.style, ws::Popup | ws::Caption | ws::SysMenu | ws::DsModalFrame | ws::DsSetFont);
    EXPECT_EQ(dialog.exStyle, 0u);

    struct Expected
    {
        int id;
        ControlKind kind;
        const char *caption; // nullptr: our own wording
        int x, y, cx, cy;
        std::uint32_t style;
        std::uint32_t exStyle;
    };
    constexpr std::uint32_t kChild = ws::Child | ws::Visible;
    const Expected expected[] = {
        {tk::kNoId, ControlKind::Label, "Korvan (for AIBO MIND 2) Version 1.00", 71, 17, 123, 8,
         kChild | ws::SsLeft | ws::SsNoPrefix | ws::Group, 0},
        {tk::kNoId, ControlKind::Label, nullptr, 45, 173, 99, 8, kChild | ws::SsLeft | ws::Group, 0},
        {tk::IDOK, ControlKind::PushButton, "OK", 167, 170, 50, 16,
         kChild | ws::BsDefPushButton | ws::Group | ws::TabStop, 0},
        {tk::kNoId, ControlKind::Frame, "", 7, 7, 253, 190, kChild | ws::SsBlackFrame, ex::StaticEdge},
        {IDC_HELP_TEXT, ControlKind::Edit, "", 16, 33, 235, 130,
         kChild | ws::EsLeft | ws::EsMultiline | ws::EsReadOnly | ws::Border | ws::VScroll | ws::TabStop,
         ex::ClientEdge},
    };
    const auto controls = dialog.controls;
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t index = 0; index < controls.size(); ++index) {
        SCOPED_TRACE("control #" + std::to_string(index + 1));
        const tk::ControlTemplate &control = controls[index];
        const Expected &want = expected[index];
        EXPECT_EQ(control.id, want.id);
        EXPECT_EQ(control.kind, want.kind);
        if (want.caption != nullptr)
            EXPECT_EQ(cp932::fromUtf8(control.caption), cp932::fromUtf8(want.caption));
        else
            EXPECT_FALSE(cp932::fromUtf8(control.caption).empty());
        EXPECT_EQ(std::vector<int>({control.x, control.y, control.cx, control.cy}),
                  std::vector<int>({want.x, want.y, want.cx, want.cy}));
        EXPECT_EQ(control.style, want.style) << std::hex << control.style << " != " << want.style;
        EXPECT_EQ(control.exStyle, want.exStyle);
    }
}

TEST(HelpText, IsTheTechnicalLinesThenAShortNoticeInCodePage932)
{
    const std::string text = res::kHelpText;
    EXPECT_EQ(cp932::toUtf8(cp932::fromUtf8(text)), text);
    EXPECT_FALSE(text.ends_with("\n") || text.ends_with("\r"));

    const std::vector<std::string> lines = helpLines();
    ASSERT_GT(lines.size(), kTechnicalLines.size());
    ASSERT_LE(lines.size(), kTechnicalLines.size() + 3) << "a notice, not a licence";
    for (std::size_t index = 0; index < lines.size(); ++index) {
        SCOPED_TRACE("line " + std::to_string(index + 1));
        const std::string &line = lines[index];
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "only CR LF pairs end lines";
        if (index < kTechnicalLines.size())
            EXPECT_EQ(cp932::fromUtf8(line), cp932::fromUtf8(kTechnicalLines[index]));
        else
            EXPECT_TRUE(line.starts_with(index == kTechnicalLines.size() ? "・" : "　")) << line;
    }
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

// The builder places the controls; what is the box's own is checked here.
TEST_F(VersionDialogTest, IsAFixedBoxWhoseHelpTextWaitsForActivation)
{
    CVersionDlg dialog(&owner);
    dialog.create();
    EXPECT_EQ(cp932::fromUtf8(dialog.windowTitle().toStdString()), cp932::fromUtf8(kTitle));
    const tk::PixelRect client = tk::duToPixels(0, 0, 267, 204, dialog.baseUnits());
    EXPECT_EQ(dialog.size(), QSize(client.width, client.height));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "must not be resizable";
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.isVisible()) << "shown only by the modal run";
    auto *ok = qobject_cast<tk::PushButton *>(dialog.item(tk::IDOK));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    tk::MultiLineEdit *field = helpField(dialog);
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_TRUE(field->toPlainText().isEmpty()) << "written on activation, not by the template";
}

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

TEST_F(VersionDialogTest, OkAndEnterEndWithOkEscapeAndTheCloseBoxWithCancel)
{
    const auto key = [](Qt::Key which) {
        return [which](QWidget &window) { QTest::keyClick(window.windowHandle(), which); };
    };
    const std::vector<std::tuple<const char *, WhenOpened::Action, int>> endings{
        {"OK click",
         [](QWidget &window) {
             QWidget *ok = static_cast<tk::Dialog &>(window).item(tk::IDOK);
             QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                               ok->mapTo(&window, ok->rect().center()));
         },
         tk::IDOK},
        {"Enter", key(Qt::Key_Return), tk::IDOK},
        {"Enter in the help text",
         [](QWidget &window) {
             helpField(window)->setFocus();
             ASSERT_EQ(QApplication::focusWidget(), helpField(window));
             QTest::keyClick(window.windowHandle(), Qt::Key_Return);
         },
         tk::IDOK},
        {"Escape", key(Qt::Key_Escape), tk::IDCANCEL},
        {"close box", [](QWidget &window) { window.close(); }, tk::IDCANCEL},
    };
    for (const auto &[name, action, result] : endings)
        EXPECT_EQ(runWith(action), result) << name;
}

TEST_F(VersionDialogTest, OpenRunsALocalBoxAndDiscardsIt)
{
    QPointer<QWidget> seen;
    const WhenOpened script = WhenOpened::modal([&](QWidget &window) {
        seen = &window;
        EXPECT_NE(qobject_cast<CVersionDlg *>(&window), nullptr);
        EXPECT_EQ(window.parentWidget(), &owner);
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    });
    CVersionDlg::open(&owner);
    EXPECT_EQ(script.count(), 1);
    EXPECT_EQ(seen, nullptr) << "destroyed when the modal run returns";
    EXPECT_TRUE(owner.findChildren<CVersionDlg *>().isEmpty());
}

} // namespace
