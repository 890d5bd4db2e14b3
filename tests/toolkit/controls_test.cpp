#include "tests/toolkit/shownwindow.h"
#include "toolkit/widgets/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTabBar>
#include <QTextBlock>

namespace {

using tk::EventKind;
using tktest::ShownMainWindow;
using ToolkitMainWindow = ShownMainWindow;

// --- progress bar ---------------------------------------------------------

TEST(ToolkitProgressBar, KeepsItsPositionInsideItsSixteenBitRange)
{
    tk::ProgressBar bar;
    bar.setRange(0, 100);
    for (const auto &[set, read] : {std::pair{57, 57}, {-1, 0}, {120, 100}}) {
        bar.setPos(set);
        EXPECT_EQ(bar.position(), read) << set;
    }
    bar.setRange(10, 50);
    EXPECT_EQ(bar.position(), 50);
    bar.setRange(0x10005, 0x20064);
    EXPECT_EQ(bar.low(), 5);
    EXPECT_EQ(bar.high(), 100);
}

TEST(ToolkitProgressBar, FillsFromTheLeftInBlocks)
{
    tk::ProgressBar bar;
    bar.resize(200, 17);
    bar.setRange(0, 100);
    // The filled columns of the middle row, as a string of '#' and '.'.
    const auto row = [&bar](int pos) {
        bar.setPos(pos);
        const QImage picture = bar.grab().toImage();
        std::string columns;
        for (int x = 0; x < picture.width(); ++x)
            columns += picture.pixelColor(x, picture.height() / 2) == bar.palette().color(QPalette::Highlight) ? '#' : '.';
        return columns;
    };
    EXPECT_EQ(row(0).find('#'), std::string::npos);
    const std::string half = row(50);
    EXPECT_LT(half.find('#'), 5u);
    EXPECT_NEAR(static_cast<double>(half.rfind('#')), 100, 12);
    EXPECT_LT(half.find('.', half.find('#')), half.rfind('#')); // gaps between the blocks
    EXPECT_GT(row(100).rfind('#'), 190u);
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

TEST_F(ToolkitPageTabs, OnlyTheUsersChangesOfTheItemNotify)
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
    // Arrow keys change the item while the tab row has the focus.
    ASSERT_EQ(QApplication::focusWidget(), tabs->tabBar());
    key(Qt::Key_Left);
    EXPECT_EQ(tabs->curSel(), 0);
    key(Qt::Key_Right);
    EXPECT_EQ(tabs->curSel(), 1);
    EXPECT_EQ(notifications().size(), 3u);
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
    const QStringList rows{QStringLiteral("2126: b"), QStringLiteral("0: inserted"), QStringLiteral("2029: a"),
                           QStringLiteral("1000: c"), QString()};
    for (int row = 0; row < rows.size(); ++row)
        EXPECT_EQ(list->rowText(row), rows[row]);
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
    ASSERT_EQ(dialog.eventsOf(EventKind::Command).size(), 1u); // Enter's IDOK only
    QTest::mouseDClick(window(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(list->curSel(), 3);
    EXPECT_EQ(list->selectedItems().size(), 1);
    const auto commands = dialog.eventsOf(EventKind::Command);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].id, 1034);
    EXPECT_EQ(commands[1].code, tk::LBN_DBLCLK);
    EXPECT_EQ(commands[1].control, list);
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
}

// --- edits ----------------------------------------------------------------

TEST_F(ToolkitMainWindow, TabIntoAReadOnlyEditSelectsAllForCopyingButNotChanging)
{
    auto *status = dialog.item<tk::Edit>(1008);
    status->setText(QStringLiteral("OFFLINE"));
    dialog.item(1006)->setFocus();
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), status);
    EXPECT_EQ(status->selectedText(), QStringLiteral("OFFLINE"));
    type(QStringLiteral("xyz"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(status->text(), QStringLiteral("OFFLINE"));
    QApplication::clipboard()->clear();
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("OFFLINE"));
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
        EXPECT_TRUE(edit->isReadOnly() && edit->hasFrame()) << id;
        EXPECT_TRUE(edit->alignment() & (id == 1007 ? Qt::AlignHCenter : Qt::AlignLeft)) << id;
        EXPECT_EQ(edit->grab().toImage().pixel(edit->rect().center()), dialog.palette().color(QPalette::Window).rgb())
            << id;
    }
}

TEST(ToolkitEdit, OnlyReadOnlyIsPaintedInTheWindowColourAndThePaletteIsLeftAlone)
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(200, 190, 180));
    palette.setColor(QPalette::Base, QColor(255, 255, 250));
    tk::Edit edit;
    tk::MultiLineEdit multiLine;
    for (const bool readOnly : {false, true}) {
        for (QWidget *widget : std::initializer_list<QWidget *>{&edit, &multiLine}) {
            widget->setPalette(palette);
            widget->resize(80, 40);
            widget->setProperty("readOnly", readOnly);
            QWidget *painted = widget == &multiLine ? multiLine.viewport() : widget;
            EXPECT_EQ(painted->grab().toImage().pixel(40, 12),
                      palette.color(readOnly ? QPalette::Window : QPalette::Base).rgb())
                << widget->metaObject()->className() << readOnly;
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
    EXPECT_EQ(help->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    dialog.show();
    help->setPlainText(QString(300, QChar(0x3042)));
    QApplication::processEvents();
    EXPECT_GT(help->document()->firstBlock().layout()->lineCount(), 3);
    EXPECT_FALSE(help->horizontalScrollBar()->isVisible());
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
    EXPECT_TRUE(label.testAttribute(Qt::WA_TransparentForMouseEvents));
    tktest::RecordingDialog dialog(res::versionDialogTemplate());
    dialog.create();
    auto *title = qobject_cast<tk::StaticText *>(dialog.controls()[0]);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QString::fromUtf8(res::versionDialogTemplate().controls[0].caption));
}

TEST(ToolkitStaticFrame, DrawsItsOutlineLeavesTheInsideUnpaintedAndLetsTheMouseThrough)
{
    tk::StaticFrame frame(true, true, false, false);
    frame.resize(60, 40);
    QImage picture(60, 40, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    frame.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(picture.pixelColor(30, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(0, 20), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(30, 39), QColor(Qt::red));
    EXPECT_TRUE(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(tk::GroupBox(QStringLiteral("g")).testAttribute(Qt::WA_TransparentForMouseEvents));
}

} // namespace
