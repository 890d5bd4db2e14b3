#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {

using tk::EventKind;
using tktest::ShownMainWindow;
using ToolkitMainWindow = ShownMainWindow;

// --- progress bar ---------------------------------------------------------

TEST(ToolkitProgressBar, KeepsItsPositionInsideItsSixteenBitRange)
{
    tk::ProgressBar bar;
    bar.setRange(0, 100);
    bar.setPos(57);
    EXPECT_EQ(bar.pos(), 57);
    bar.setPos(-1);
    EXPECT_EQ(bar.pos(), 0);
    bar.setPos(120);
    EXPECT_EQ(bar.pos(), 100);
    bar.setRange(10, 50);
    EXPECT_EQ(bar.pos(), 50);
    bar.setRange(0x10005, 0x20064);
    EXPECT_EQ(bar.low(), 5);
    EXPECT_EQ(bar.high(), 100);
}

TEST(ToolkitProgressBar, FillsFromTheLeftInBlocks)
{
    tk::ProgressBar bar;
    bar.resize(200, 17);
    bar.setRange(0, 100);
    // Columns of the bar's middle row that show the fill colour.
    const auto filledColumns = [&bar](int pos) {
        bar.setPos(pos);
        const QImage picture = bar.grab().toImage();
        std::vector<bool> columns;
        for (int x = 0; x < picture.width(); ++x)
            columns.push_back(picture.pixelColor(x, picture.height() / 2) == bar.palette().color(QPalette::Highlight));
        return columns;
    };
    std::vector<bool> columns = filledColumns(0);
    EXPECT_EQ(std::count(columns.begin(), columns.end(), true), 0);
    columns = filledColumns(50);
    const auto firstFilled = std::find(columns.begin(), columns.end(), true);
    const auto lastFilled = std::find(columns.rbegin(), columns.rend(), true).base();
    ASSERT_NE(firstFilled, columns.end());
    EXPECT_LT(firstFilled - columns.begin(), 5);
    EXPECT_NEAR(lastFilled - columns.begin(), 100, 12);
    EXPECT_NE(std::find(firstFilled, lastFilled, false), lastFilled); // gaps between the blocks
    columns = filledColumns(100);
    EXPECT_GT(std::find(columns.rbegin(), columns.rend(), true).base() - columns.begin(), 190);
}

// --- tab control ----------------------------------------------------------

class ToolkitPageTabs : public ShownMainWindow
{
protected:
    void SetUp() override
    {
        ShownMainWindow::SetUp();
        tabs = dialog.item<tk::TabControl>(1021);
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(tabs->curSel(), -1);
        EXPECT_EQ(tabs->insertItem(0, QString::fromUtf8("歩行")), 0);
        EXPECT_EQ(tabs->insertItem(1, QStringLiteral("MWCID")), 1);
    }

    std::vector<tk::WindowEvent> notifications() const { return dialog.eventsOf(EventKind::Notify); }
    QPoint tabCentre(int index) const { return inWindow(tabs->tabBar(), tabs->tabBar()->tabRect(index).center()); }

    tk::TabControl *tabs = nullptr;
};

TEST_F(ToolkitPageTabs, ChangesByTheProgramDoNotNotify)
{
    EXPECT_EQ(tabs->curSel(), 0); // the first item becomes current
    EXPECT_EQ(tabs->itemCount(), 2);
    EXPECT_EQ(tabs->itemText(1), QStringLiteral("MWCID"));
    EXPECT_EQ(tabs->setCurSel(1), 0);
    EXPECT_EQ(tabs->setCurSel(5), -1);
    EXPECT_EQ(tabs->curSel(), 1);
    EXPECT_TRUE(notifications().empty());
    // The tab row is its only child; the pages are the window's.
    EXPECT_EQ(tabs->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly), QList<QWidget *>{tabs->tabBar()});
    EXPECT_EQ(tabs->tabBar()->y(), 0);
    EXPECT_LT(tabs->tabBar()->height(), tabs->height() / 2);
}

TEST_F(ToolkitPageTabs, OnlyAClickOnAnotherTabChangesTheItemAndNotifiesOnce)
{
    click(tabCentre(0));
    QWheelEvent wheel(tabCentre(0), tabs->mapToGlobal(QPoint()), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window(), &wheel);
    EXPECT_EQ(tabs->curSel(), 0);
    EXPECT_TRUE(notifications().empty());
    click(tabCentre(1));
    EXPECT_EQ(tabs->curSel(), 1);
    ASSERT_EQ(notifications().size(), 1u);
    EXPECT_EQ(notifications()[0].id, 1021);
    EXPECT_EQ(notifications()[0].code, tk::TCN_SELCHANGE);
    EXPECT_EQ(notifications()[0].control, tabs);
}

TEST_F(ToolkitPageTabs, ArrowKeysChangeTheItemWhileItHasTheFocus)
{
    click(tabCentre(0));
    ASSERT_EQ(QApplication::focusWidget(), tabs->tabBar());
    key(Qt::Key_Right);
    EXPECT_EQ(tabs->curSel(), 1);
    key(Qt::Key_Left);
    EXPECT_EQ(tabs->curSel(), 0);
    EXPECT_EQ(notifications().size(), 2u);
}

// --- list box -------------------------------------------------------------

class ToolkitContentList : public ShownMainWindow
{
protected:
    void SetUp() override
    {
        ShownMainWindow::SetUp();
        list = dialog.item<tk::ListBox>(1034);
        ASSERT_NE(list, nullptr);
    }

    void fill(int rows)
    {
        for (int row = 0; row < rows; ++row)
            list->insertString(-1, QStringLiteral("%1: row").arg(9000 - row));
    }

    QPoint rowCentre(int row) const
    {
        return inWindow(list->viewport(), list->visualItemRect(list->item(row)).center());
    }

    tk::ListBox *list = nullptr;
};

TEST_F(ToolkitContentList, InsertsWhereToldDespiteTheSortStyle)
{
    EXPECT_EQ(list->insertString(-1, QStringLiteral("2126: b")), 0);
    EXPECT_EQ(list->insertString(-1, QStringLiteral("2029: a")), 1);
    EXPECT_EQ(list->insertString(-1, QStringLiteral("1000: c")), 2);
    EXPECT_EQ(list->insertString(1, QStringLiteral("0: inserted")), 1);
    EXPECT_EQ(list->insertString(9, QStringLiteral("beyond")), -1);
    ASSERT_EQ(list->rowCount(), 4);
    std::vector<QString> rows;
    for (int row = 0; row <= 4; ++row)
        rows.push_back(list->rowText(row));
    EXPECT_EQ(rows, (std::vector<QString>{QStringLiteral("2126: b"), QStringLiteral("0: inserted"),
                                          QStringLiteral("2029: a"), QStringLiteral("1000: c"), QString()}));
}

TEST_F(ToolkitContentList, OnlyADoubleClickNotifiesAndNothingIsSelectedUntilTheUserSelects)
{
    fill(5);
    list->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(list->curSel(), -1);
    click(rowCentre(1));
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(list->curSel(), 2);
    const auto fromTheList = [&] {
        std::vector<tk::WindowEvent> found;
        for (const tk::WindowEvent &event : dialog.eventsOf(EventKind::Command)) {
            if (event.id == 1034)
                found.push_back(event);
        }
        return found;
    };
    EXPECT_TRUE(fromTheList().empty());
    QTest::mouseDClick(window(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(list->curSel(), 3);
    EXPECT_EQ(list->selectedItems().size(), 1);
    ASSERT_EQ(fromTheList().size(), 1u);
    EXPECT_EQ(fromTheList()[0].code, tk::LBN_DBLCLK);
    EXPECT_EQ(fromTheList()[0].control, list);
}

TEST_F(ToolkitContentList, ScrollsVerticallyWhenFullAndNeverHorizontally)
{
    fill(5);
    list->insertString(-1, QString(400, QLatin1Char('W')));
    QApplication::processEvents();
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    fill(1087);
    QApplication::processEvents();
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(list->uniformItemSizes());
}

// --- edits ----------------------------------------------------------------

TEST_F(ToolkitMainWindow, ReadOnlyEditCanBeCopiedButNotChanged)
{
    auto *status = dialog.item<tk::Edit>(1008);
    status->setText(QStringLiteral("OFFLINE"));
    click(centreOf(status));
    type(QStringLiteral("xyz"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(status->text(), QStringLiteral("OFFLINE"));
    key(Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->clear();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("OFFLINE"));
}

TEST_F(ToolkitMainWindow, TabIntoAnEditSelectsAll)
{
    auto *indicator = dialog.item<tk::Edit>(1006);
    indicator->setText(QStringLiteral("ONLINE"));
    dialog.item(1005)->setFocus();
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), indicator);
    EXPECT_EQ(indicator->selectedText(), QStringLiteral("ONLINE"));
}

TEST_F(ToolkitMainWindow, LongTextSetByTheProgramShowsFromItsStart)
{
    auto *status = dialog.item<tk::Edit>(1008);
    const QString start = QStringLiteral("Head");
    const QString tail = QString(20, QLatin1Char(' ')) + QString(200, QLatin1Char('m')) + QStringLiteral("End");
    ASSERT_GT(status->fontMetrics().horizontalAdvance(start + tail), status->width());
    // The left part of the picture, up to where the start ends.
    const auto leftPart = [&] {
        const int end = status->contentsRect().left() + status->fontMetrics().horizontalAdvance(start);
        return status->grab().toImage().copy(0, 0, end, status->height());
    };
    status->setText(start);
    const QImage shortText = leftPart();
    status->setCursorPosition(2);
    status->setText(start + tail);
    EXPECT_EQ(status->text(), start + tail);
    EXPECT_EQ(status->cursorPosition(), 0);
    EXPECT_FALSE(status->hasSelectedText());
    EXPECT_EQ(leftPart(), shortText);
}

TEST_F(ToolkitMainWindow, ReadOnlyEditsShowTheWindowColourAndTheirAlignment)
{
    for (int id : {1006, 1007, 1008}) {
        auto *edit = dialog.item<tk::Edit>(id);
        EXPECT_TRUE(edit->isReadOnly()) << id;
        EXPECT_TRUE(edit->hasFrame()) << id;
        EXPECT_TRUE(edit->alignment() & (id == 1007 ? Qt::AlignHCenter : Qt::AlignLeft)) << id;
        const QImage picture = edit->grab().toImage();
        EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2), dialog.palette().color(QPalette::Window).rgb())
            << id;
    }
}

TEST(ToolkitEdit, ReadOnlyIsPaintedInTheWindowColourWithoutChangingThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(200, 190, 180));
    palette.setColor(QPalette::Base, QColor(255, 255, 250));
    tk::Edit edit;
    tk::MultiLineEdit multiLine;
    edit.resize(80, 24);
    multiLine.resize(120, 80);
    const std::vector<std::pair<QWidget *, std::function<void(bool)>>> edits{
        {&edit, [&](bool readOnly) { edit.setReadOnly(readOnly); }},
        {multiLine.viewport(), [&](bool readOnly) { multiLine.setReadOnly(readOnly); }}};
    for (const auto &[picture, setReadOnly] : edits) {
        picture->window()->setPalette(palette);
        for (const bool readOnly : {true, false}) {
            setReadOnly(readOnly);
            EXPECT_EQ(picture->grab().toImage().pixel(40, 12),
                      palette.color(readOnly ? QPalette::Window : QPalette::Base).rgb())
                << picture->metaObject()->className() << (readOnly ? " read-only" : "");
        }
    }
    EXPECT_EQ(edit.palette().color(QPalette::Base), palette.color(QPalette::Base));
}

TEST(ToolkitMultiLineEdit, VersionHelpWrapsAtItsWidthAndScrollsOnlyVertically)
{
    tktest::RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    auto *help = dialog.item<tk::MultiLineEdit>(1006);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isReadOnly());
    EXPECT_TRUE(help->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_EQ(help->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(help->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    dialog.show();
    help->setPlainText(QString(300, QChar(0x3042)));
    QApplication::processEvents();
    const QTextLayout *layout = help->document()->firstBlock().layout();
    ASSERT_NE(layout, nullptr);
    EXPECT_GT(layout->lineCount(), 3);
}

// --- statics and buttons --------------------------------------------------

TEST(ToolkitStaticText, AmpersandIsAPrefixUnlessNoPrefix)
{
    tk::StaticText label(QStringLiteral("A&B && C&"));
    EXPECT_EQ(label.text(), QStringLiteral("AB & C"));
    label.setNoPrefix(true);
    EXPECT_EQ(label.text(), QStringLiteral("A&B && C&"));
    EXPECT_TRUE(label.wordWrap());
    EXPECT_EQ(label.alignment(), Qt::AlignLeft | Qt::AlignTop);
    tktest::RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    auto *title = qobject_cast<tk::StaticText *>(dialog.controls()[0]);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QString::fromUtf8(res::versionDialogTemplate().controls[0].caption));
}

TEST(ToolkitStaticFrame, DrawsItsOutlineAndLeavesTheInsideUnpainted)
{
    tk::StaticFrame frame(true, true, false, false);
    frame.resize(60, 40);
    QImage picture(60, 40, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    frame.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(picture.pixelColor(30, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(0, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(30, 39), QColor(Qt::red));
}

TEST(ToolkitStaticControls, AreTransparentToTheMouse)
{
    tk::StaticText label(QStringLiteral("x"));
    tk::GroupBox group(QStringLiteral("g"));
    tk::StaticFrame frame(true, true, false, false);
    for (QWidget *widget : std::initializer_list<QWidget *>{&label, &group, &frame})
        EXPECT_TRUE(widget->testAttribute(Qt::WA_TransparentForMouseEvents)) << widget->metaObject()->className();
}

TEST_F(ToolkitMainWindow, PushButtonsAreDefaultOnlyByTheirStyle)
{
    auto *button = dialog.item<tk::PushButton>(1003);
    EXPECT_FALSE(button->autoDefault());
    button->setFocus();
    EXPECT_FALSE(button->isDefault());
    key(Qt::Key_Space);
    const auto commands = dialog.eventsOf(EventKind::Command);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, 1003);
    tktest::RecordingDialog version(res::versionDialogTemplate());
    version.create();
    EXPECT_TRUE(version.item<tk::PushButton>(tk::IDOK)->isDefault());
}

} // namespace
