#include "ui/versiondlg.h"

#include "res/helptext.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/support/cp932.h"
#include "tests/ui/whenopened.h"
#include "toolkit/core/dialogunits.h"
#include "toolkit/widgets/controls.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using tk::ControlKind;
namespace ws = tk::style;
namespace ex = tk::exstyle;

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

constexpr const char *kParagraphStart = "・";
constexpr const char *kContinuation = "　"; // U+3000

std::vector<std::string> split(const std::string &text, const std::string &separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::string> helpLines()
{
    return split(res::kHelpText, "\r\n");
}

bool startsWith(const std::string &text, const char *prefix)
{
    return text.starts_with(prefix);
}

// The lines a multi-line field holds, as its document's blocks.
std::vector<std::string> fieldLines(const QPlainTextEdit &field)
{
    std::vector<std::string> lines;
    for (QTextBlock block = field.document()->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    return lines;
}

std::string fieldText(const QPlainTextEdit &field)
{
    return field.toPlainText().toStdString();
}

tk::MultiLineEdit *helpField(QWidget &window)
{
    return static_cast<tk::Dialog &>(window).item<tk::MultiLineEdit>(IDC_HELP_TEXT);
}

// The controls of a built window, in template order.
std::vector<QWidget *> templateControls(const QWidget &window)
{
    std::vector<QWidget *> controls;
    for (QWidget *child : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->property("templateId").isValid())
            controls.push_back(child);
    }
    return controls;
}

QRect pixels(const tk::ControlTemplate &control, const tk::BaseUnits &units)
{
    const tk::PixelRect place = tk::duToPixels(control.x, control.y, control.cx, control.cy, units);
    return {place.x, place.y, place.width, place.height};
}

// ---------------------------------------------------------------- template

TEST(VersionDialogTemplate, FrameIsAFixedModalPopupWithTitleAndCloseBox)
{
    const tk::DialogTemplate &dialog = res::versionDialogTemplate();
    EXPECT_EQ(dialog.id, 100);
    EXPECT_EQ(cp932::fromUtf8(dialog.title), cp932::fromUtf8("Korvan バージョン情報"));
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 267);
    EXPECT_EQ(dialog.cy, 204);
    EXPECT_STREQ(dialog.fontFace, "MS UI Gothic");
    EXPECT_EQ(dialog.pointSize, 9);
    // Exactly these: no visible flag, no minimise or maximise box, no
    // sizing frame.
    EXPECT_EQ(dialog.style, ws::Popup | ws::Caption | ws::SysMenu | ws::DsModalFrame | ws::DsSetFont);
    EXPECT_EQ(dialog.exStyle, 0u);
}

TEST(VersionDialogTemplate, HoldsTheFiveControlsInOrder)
{
    struct Expected
    {
        int id;
        ControlKind kind;
        const char *caption; // nullptr: our own wording, checked below
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

    const auto controls = res::versionDialogTemplate().controls;
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t index = 0; index < controls.size(); ++index) {
        SCOPED_TRACE("control #" + std::to_string(index + 1));
        const tk::ControlTemplate &control = controls[index];
        const Expected &want = expected[index];
        EXPECT_EQ(control.id, want.id);
        EXPECT_EQ(control.kind, want.kind);
        if (want.caption != nullptr) {
            EXPECT_EQ(cp932::fromUtf8(control.caption), cp932::fromUtf8(want.caption));
        } else {
            EXPECT_NE(std::string(control.caption), "");
            EXPECT_NO_THROW(cp932::fromUtf8(control.caption));
        }
        EXPECT_EQ(control.x, want.x);
        EXPECT_EQ(control.y, want.y);
        EXPECT_EQ(control.cx, want.cx);
        EXPECT_EQ(control.cy, want.cy);
        EXPECT_EQ(control.style, want.style) << std::hex << control.style << " != " << want.style;
        EXPECT_EQ(control.exStyle, want.exStyle);
    }
}

TEST(VersionDialogTemplate, FrameEnclosesEveryOtherControl)
{
    const auto controls = res::versionDialogTemplate().controls;
    const tk::ControlTemplate &frame = controls[3];
    const QRect outline(frame.x, frame.y, frame.cx, frame.cy);
    for (const tk::ControlTemplate &control : controls) {
        if (&control != &frame) {
            EXPECT_TRUE(outline.contains(QRect(control.x, control.y, control.cx, control.cy)))
                << control.caption;
        }
    }
}

// --------------------------------------------------------------- help text

TEST(HelpText, TechnicalLinesAreExactAndInOrder)
{
    const std::vector<std::string> lines = helpLines();
    ASSERT_GT(lines.size(), kTechnicalLines.size());
    for (std::size_t index = 0; index < kTechnicalLines.size(); ++index) {
        SCOPED_TRACE("line " + std::to_string(index + 1));
        EXPECT_EQ(cp932::fromUtf8(lines[index]), cp932::fromUtf8(kTechnicalLines[index]));
    }
}

TEST(HelpText, IsWholeInCodePage932WithCrLfBetweenLinesAndNoneAtTheEnd)
{
    const std::string text = res::kHelpText;
    const std::string bytes = cp932::fromUtf8(text);
    EXPECT_EQ(cp932::toUtf8(bytes), text);
    EXPECT_FALSE(text.ends_with("\n"));
    EXPECT_FALSE(text.ends_with("\r"));
    // Every line end is a pair: no bare CR or LF once the pairs are gone.
    for (const std::string &line : helpLines()) {
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        EXPECT_FALSE(line.empty());
    }
}

TEST(HelpText, EndsWithANoticeOnTermsOfUseInTheParagraphStyle)
{
    const std::vector<std::string> lines = helpLines();
    ASSERT_GT(lines.size(), kTechnicalLines.size());
    const std::vector<std::string> notice(lines.begin() + static_cast<long>(kTechnicalLines.size()), lines.end());
    EXPECT_TRUE(startsWith(notice.front(), kParagraphStart)) << notice.front();
    for (std::size_t index = 1; index < notice.size(); ++index)
        EXPECT_TRUE(startsWith(notice[index], kContinuation)) << notice[index];
    // Short: a notice, not a licence.
    EXPECT_LE(notice.size(), 3u);
}

TEST(HelpText, ParagraphsStartWithAMiddleDotAndContinueIndented)
{
    const std::vector<std::string> lines = helpLines();
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::size_t number = index + 1;
        SCOPED_TRACE("line " + std::to_string(number));
        const std::string &line = lines[index];
        if (number == 8 || number == 9) {
            EXPECT_TRUE(line.starts_with("  ") && !line.starts_with("   ")) << line;
        } else {
            EXPECT_TRUE(startsWith(line, kParagraphStart) || startsWith(line, kContinuation)) << line;
            EXPECT_FALSE(line.starts_with(std::string(kContinuation) + kContinuation)) << line;
        }
    }
    EXPECT_TRUE(startsWith(lines.front(), kParagraphStart));
}

// ------------------------------------------------------------ built window

class VersionDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.setFixedSize(640, 480);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }

    // Runs a version box over the owner with an action queued for it and
    // returns the modal run's result.
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

TEST_F(VersionDialogTest, WindowHasTheTemplatesTitleSizeAndFrame)
{
    CVersionDlg dialog(&owner);
    dialog.create();
    EXPECT_EQ(cp932::fromUtf8(dialog.windowTitle().toStdString()), cp932::fromUtf8("Korvan バージョン情報"));
    const tk::PixelRect client = tk::duToPixels(0, 0, 267, 204, dialog.baseUnits());
    EXPECT_EQ(dialog.size(), QSize(client.width, client.height));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "must not be resizable";
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(dialog.isVisible()) << "shown only by the modal run";
}

TEST_F(VersionDialogTest, ControlsHaveTheirKindsPlacesAndFlags)
{
    CVersionDlg dialog(&owner);
    dialog.create();
    const auto controls = res::versionDialogTemplate().controls;
    const std::vector<QWidget *> widgets = templateControls(dialog);
    ASSERT_EQ(widgets.size(), controls.size());
    for (std::size_t index = 0; index < widgets.size(); ++index) {
        SCOPED_TRACE("control #" + std::to_string(index + 1));
        EXPECT_EQ(widgets[index]->geometry(), pixels(controls[index], dialog.baseUnits()));
    }

    auto *title = qobject_cast<tk::StaticText *>(widgets[0]);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text().toStdString(), "Korvan (for AIBO MIND 2) Version 1.00");
    ASSERT_NE(qobject_cast<tk::StaticText *>(widgets[1]), nullptr);
    EXPECT_NE(qobject_cast<tk::StaticText *>(widgets[1])->text(), QString());

    auto *ok = qobject_cast<tk::PushButton *>(widgets[2]);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(dialog.item(tk::IDOK), ok);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());

    EXPECT_NE(qobject_cast<tk::StaticFrame *>(widgets[3]), nullptr);

    auto *field = qobject_cast<tk::MultiLineEdit *>(widgets[4]);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(dialog.item(IDC_HELP_TEXT), field);
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(field->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_NE(field->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(fieldText(*field), "") << "the template leaves the field empty";
}

TEST_F(VersionDialogTest, OpensCentredOverItsOwnerWithFocusOnOk)
{
    runWith([&](QWidget &window) {
        const auto &dialog = static_cast<tk::Dialog &>(window);
        EXPECT_EQ(QApplication::focusWidget(), dialog.item(tk::IDOK));
        // Within the thickness of the window frame, which the placement
        // does not know before the window first shows.
        const QPoint offset = window.frameGeometry().center() - owner.frameGeometry().center();
        const int frameX = (window.frameGeometry().width() - window.width() + 1) / 2;
        const int frameY = window.frameGeometry().height() - window.height();
        EXPECT_LE(std::abs(offset.x()), frameX) << offset.x();
        EXPECT_LE(std::abs(offset.y()), frameY) << offset.y();
    });
}

TEST_F(VersionDialogTest, FirstActivationWritesTheWholeHelpText)
{
    runWith([](QWidget &window) {
        const tk::MultiLineEdit *field = helpField(window);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(fieldLines(*field), helpLines());
        EXPECT_EQ(field->document()->blockCount(), static_cast<int>(helpLines().size()));
    });
}

TEST_F(VersionDialogTest, EveryDeactivationAndActivationRewritesTheText)
{
    runWith([](QWidget &window) {
        tk::MultiLineEdit *field = helpField(window);
        ASSERT_NE(field, nullptr);
        const std::string original = fieldText(*field);
        ASSERT_FALSE(original.empty());

        // Another window of the program, owned by the box so the modal run
        // lets it take the activation.
        const ActivationWatch watch;
        QWidget other(&window, Qt::Window);
        other.resize(80, 60);
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            field->setPlainText(QStringLiteral("scribbled"));
            other.show();
            other.activateWindow();
            ASSERT_TRUE(watch.waitUntilActive(other));
            EXPECT_EQ(fieldText(*field), original) << "deactivation";

            field->setPlainText(QStringLiteral("scribbled"));
            window.activateWindow();
            ASSERT_TRUE(watch.waitUntilActive(window));
            EXPECT_EQ(fieldText(*field), original) << "activation";
        }
    });
}

TEST_F(VersionDialogTest, HelpTextWrapsAtTheFieldsWidthAndScrollsVertically)
{
    runWith([](QWidget &window) {
        tk::MultiLineEdit *field = helpField(window);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->horizontalScrollBar()->maximum(), 0);
        EXPECT_FALSE(field->horizontalScrollBar()->isVisible());
        EXPECT_GT(field->verticalScrollBar()->maximum(), 0) << "the text is longer than the field";
        const qreal width = field->viewport()->width();
        for (QTextBlock block = field->document()->begin(); block.isValid(); block = block.next()) {
            const QTextLayout *layout = block.layout();
            for (int line = 0; line < layout->lineCount(); ++line)
                EXPECT_LE(layout->lineAt(line).naturalTextWidth(), width) << block.text().toStdString();
        }
    });
}

TEST_F(VersionDialogTest, OkButtonClickEndsWithOk)
{
    const int result = runWith([](QWidget &window) {
        QWidget *ok = static_cast<tk::Dialog &>(window).item(tk::IDOK);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          ok->mapTo(&window, ok->rect().center()));
    });
    EXPECT_EQ(result, tk::IDOK);
}

TEST_F(VersionDialogTest, EnterEndsWithOk)
{
    const int result = runWith([](QWidget &window) { QTest::keyClick(window.windowHandle(), Qt::Key_Return); });
    EXPECT_EQ(result, tk::IDOK);
}

TEST_F(VersionDialogTest, EnterInTheHelpTextEndsWithOkToo)
{
    const int result = runWith([](QWidget &window) {
        tk::MultiLineEdit *field = helpField(window);
        ASSERT_NE(field, nullptr);
        field->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    });
    EXPECT_EQ(result, tk::IDOK);
}

TEST_F(VersionDialogTest, EscapeEndsWithCancel)
{
    const int result = runWith([](QWidget &window) { QTest::keyClick(window.windowHandle(), Qt::Key_Escape); });
    EXPECT_EQ(result, tk::IDCANCEL);
}

TEST_F(VersionDialogTest, CloseBoxEndsWithCancel)
{
    const int result = runWith([](QWidget &window) { window.close(); });
    EXPECT_EQ(result, tk::IDCANCEL);
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

// The picture of the open box, at the top and scrolled to the end of the
// help text; saved when KORVAN_SCREENSHOT_DIR names a folder.
TEST_F(VersionDialogTest, ScrollingShowsTheRestOfTheHelpText)
{
    QImage top;
    QImage bottom;
    runWith([&](QWidget &window) {
        tk::MultiLineEdit *field = helpField(window);
        ASSERT_NE(field, nullptr);
        top = window.grab().toImage();
        QScrollBar *bar = field->verticalScrollBar();
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        EXPECT_EQ(bar->value(), bar->maximum());
        bottom = window.grab().toImage();
        QTextCursor end(field->document());
        end.movePosition(QTextCursor::End);
        EXPECT_LE(field->cursorRect(end).bottom(), field->viewport()->height()) << "the last line is in view";
    });
    ASSERT_FALSE(top.isNull());
    ASSERT_EQ(top.size(), bottom.size());
    EXPECT_NE(top, bottom);

    const QByteArray folder = qgetenv("KORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QImage both(top.width() * 2 + 8, top.height(), QImage::Format_ARGB32);
        both.fill(Qt::transparent);
        QPainter painter(&both);
        painter.drawImage(0, 0, top);
        painter.drawImage(top.width() + 8, 0, bottom);
        painter.end();
        EXPECT_TRUE(both.save(QString::fromLocal8Bit(folder) + QStringLiteral("/version-dialog.png")));
    }
}

} // namespace
