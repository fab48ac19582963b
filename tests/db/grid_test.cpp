// The dataset grid, offscreen: the cursor follows both ways without loops, the wheel moves a
// row per notch, typed search characters, Enter, title clicks and column colours.
#include "qtprint.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"
#include "db/memtable.h"

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.addFieldDef(QStringLiteral("nev"), TFieldType::ftString, 20);
        t.addFieldDef(QStringLiteral("kor"), TFieldType::ftInteger);
        t.open();
        for (int i = 1; i <= 8; ++i) {
            t.append();
            t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("n%1").arg(i));
            t.fieldByName(QStringLiteral("kor")).setAsInteger(i);
            t.post();
        }
        t.first();
        grid.resize(400, 300);
        grid.setDataSet(&t);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    int gridRow() const { return grid.currentIndex().row(); }
    void wheel(int delta)
    {
        const QPointF at(50, 50);
        QWheelEvent e(at, grid.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &e);
    }
    TkbmMemTable t;
    TDBGrid grid;
};

}  // namespace

TEST_F(Grid, CursorAndCurrentRowFollowEachOtherOnce)
{
    EXPECT_EQ(gridRow(), 0);
    QSignalSpy scrolls(&t, &TDataSet::afterScroll);
    t.setRecNo(4);
    EXPECT_EQ(gridRow(), 3);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(3, QModelIndex()));
    EXPECT_EQ(scrolls.count(), 1);

    scrolls.clear();
    grid.setCurrentIndex(grid.model()->index(6, 1));
    EXPECT_EQ(t.recNo(), 7);
    EXPECT_EQ(scrolls.count(), 1);  // no echo back and forth
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(t.recNo(), 6);

    // After a re-read of the rows the grid stands on the dataset's row.
    t.setFilter(QStringLiteral("kor=5"));
    t.setFiltered(true);
    EXPECT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(gridRow(), 0);
    t.setFiltered(false);
    t.last();
    EXPECT_EQ(gridRow(), 7);
}

TEST_F(Grid, WhileControlsAreDisabledTheGridStaysAndCatchesUpAfterwards)
{
    t.setRecNo(2);
    t.disableControls();
    for (t.first(); !t.eof(); t.next()) {
    }
    t.setRecNo(5);
    EXPECT_EQ(gridRow(), 1);
    t.enableControls();
    EXPECT_EQ(gridRow(), 4);
}

TEST_F(Grid, WheelMovesOneRowPerNotch)
{
    t.setRecNo(3);
    wheel(-120);  // towards the user
    EXPECT_EQ(t.recNo(), 4);
    wheel(-120);
    EXPECT_EQ(t.recNo(), 5);
    wheel(120);
    EXPECT_EQ(t.recNo(), 4);
    wheel(0);
    EXPECT_EQ(t.recNo(), 5);
}

TEST_F(Grid, TypedSearchCharactersEnterAndDoubleClickBecomeSignals)
{
    QSignalSpy typed(&grid, &TDBGrid::textTyped);
    QSignalSpy activated(&grid, &TDBGrid::rowActivated);
    QTest::keyClick(&grid, Qt::Key_K);
    QTest::keyClick(&grid, Qt::Key_7);
    QTest::sendKeyEvent(QTest::Click, &grid, Qt::Key_unknown, QStringLiteral("ő"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, &grid, Qt::Key_unknown, QStringLiteral("Ű"), Qt::NoModifier);
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_Percent);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(typed.count(), 4);
    EXPECT_EQ(typed.at(0).at(0).toString(), QStringLiteral("k"));
    EXPECT_EQ(typed.at(1).at(0).toString(), QStringLiteral("7"));
    EXPECT_EQ(typed.at(2).at(0).toString(), QStringLiteral("ő"));
    EXPECT_EQ(typed.at(3).at(0).toString(), QStringLiteral("Ű"));
    EXPECT_EQ(t.recNo(), 1);  // typing does not jump around the rows

    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(activated.count(), 1);
    const QRect cell = grid.visualRect(grid.model()->index(2, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(activated.count(), 2);
    EXPECT_EQ(t.recNo(), 3);
}

TEST_F(Grid, TitleClicksNameTheFieldAndHighlightingColoursColumns)
{
    QSignalSpy clicked(&grid, &TDBGrid::titleClicked);
    QHeaderView *header = grid.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toString(), QStringLiteral("kor"));
    EXPECT_EQ(clicked.at(0).at(1).toInt(), 1);

    HighlightSortColumn(&grid, QStringLiteral("kor"));
    EXPECT_EQ(grid.columnColor(1), zorva::SortColumnColor());
    EXPECT_FALSE(grid.columnColor(0).isValid());
    EXPECT_EQ(grid.model()->index(3, 1).data(Qt::BackgroundRole).value<QColor>(), zorva::SortColumnColor());
    HighlightSortColumn(&grid, QStringLiteral("KOR"));  // the name must match exactly
    EXPECT_FALSE(grid.columnColor(1).isValid());
    HighlightColumn(&grid, 0);
    EXPECT_EQ(grid.columnColor(0), zorva::SortColumnColor());
    EXPECT_FALSE(grid.columnColor(1).isValid());
}

TEST_F(Grid, RowHeightAndTitleHeightFollowTheFont)
{
    QFont small = grid.font();
    small.setPointSize(8);
    grid.setFont(small);
    const int smallHeight = grid.verticalHeader()->defaultSectionSize();
    const int smallTitles = grid.horizontalHeader()->sizeHint().height();
    QFont big = small;
    big.setPointSize(16);
    grid.setFont(big);
    EXPECT_GT(grid.verticalHeader()->defaultSectionSize(), smallHeight);
    EXPECT_EQ(grid.verticalHeader()->defaultSectionSize(), grid.fontMetrics().height() + 4);
    EXPECT_GT(grid.horizontalHeader()->sizeHint().height(), smallTitles + 5);
    grid.setFont(small);
    EXPECT_EQ(grid.horizontalHeader()->sizeHint().height(), smallTitles);
}

TEST_F(Grid, MovingOffAChangedRowPostsIt)
{
    t.setRecNo(2);
    t.edit();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("changed"));
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(t.state(), TDataSetState::dsBrowse);
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_EQ(grid.model()->index(1, 0).data().toString(), QStringLiteral("changed"));
}

namespace {

// Whether some pixel of the rectangle is (nearly) the colour: text is anti-aliased.
bool shows(const QImage &image, const QRect &rect, const QColor &colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 40)
                return true;
        }
    return false;
}

}  // namespace

// The cells draw the colour rule's background and text colours, the selected row its own
// text colour from the rule, and a text too long for its column ends in an ellipsis.
TEST_F(Grid, CellsShowTheColourRuleAndElideLongTexts)
{
    const QColor background(255, 160, 0), text(0, 0, 200), selectedText(0, 200, 0);
    grid.setColorRule([&](int row, int, int role) -> QVariant {
        if (row != 0 && row != 2)
            return {};
        if (role == Qt::BackgroundRole)
            return background;
        if (role == Qt::ForegroundRole)
            return text;
        return role == TDataSetModel::SelectedForegroundRole ? QVariant(selectedText) : QVariant();
    });
    QFont bold = grid.font();
    bold.setBold(true);
    grid.setFont(bold);
    t.setRecNo(3);
    t.edit();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"));
    t.post();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("MMMM"));
    t.post();
    grid.setColumnWidths({80, 60});
    grid.clearFocus();  // the focused cell keeps the style's own drawing
    const QImage image = grid.viewport()->grab().toImage();
    const QRect selected = grid.visualRect(grid.model()->index(0, 0)).adjusted(2, 2, -2, -2);
    const QRect coloured = grid.visualRect(grid.model()->index(2, 0)).adjusted(2, 2, -2, -2);
    const QRect plain = grid.visualRect(grid.model()->index(1, 0)).adjusted(2, 2, -2, -2);
    EXPECT_TRUE(shows(image, selected, selectedText));
    EXPECT_FALSE(shows(image, selected, background));
    EXPECT_TRUE(shows(image, coloured, background));
    EXPECT_TRUE(shows(image, coloured, text));
    EXPECT_FALSE(shows(image, plain, background));
    EXPECT_FALSE(shows(image, plain, text));

    // The long text is cut short: its last pixels stay clear of the next column.
    const QRect edge = grid.visualRect(grid.model()->index(2, 0));
    const QRect lastPixels(edge.right() - 1, edge.top() + 2, 2, edge.height() - 4);
    EXPECT_FALSE(shows(image, lastPixels, text));
    EXPECT_EQ(grid.model()->index(2, 0).data().toString().size(), 40);
}

namespace {

// The box of the dark pixels of `image` inside `area`, and how many there are.
std::pair<QRect, int> ink(const QImage &image, const QRect &area)
{
    QRect box;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    return {box, count};
}

}  // namespace

// Plain cells are drawn from glyph runs of their own: they must look like the same text
// drawn by drawText in the cell's text rectangle, left or right aligned, accents included,
// and cut short with an ellipsis where the text is too long.
TEST_F(Grid, PlainCellsLookLikeTheirTextDrawnByDrawText)
{
    const QStringList names{QStringLiteral("Kovács János"), QStringLiteral("Őrző Űrhajós, Tűzifa"),
                            QStringLiteral("Weöres AVATÁR"),
                            QStringLiteral("Nagyon hosszú név, ami nem fér el a cellában, ezért levágódik")};
    for (int i = 0; i < names.size(); ++i) {
        t.setRecNo(i + 2);
        t.edit();
        t.fieldByName(QStringLiteral("nev")).setAsString(names[i]);
        t.fieldByName(QStringLiteral("kor")).setAsInteger(1234567 * (i + 1));
        t.post();
    }
    t.first();
    grid.setColumnWidths({180, 120});
    grid.clearFocus();
    const QImage shown = grid.viewport()->grab().toImage();
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    for (int row = 1; row <= names.size(); ++row) {
        for (int column = 0; column < 2; ++column) {
            const QModelIndex index = grid.model()->index(row, column);
            const QRect cell = grid.visualRect(index);
            QImage drawn(shown.size(), QImage::Format_RGB32);
            drawn.fill(Qt::white);
            {
                QPainter p(&drawn);
                p.setFont(grid.font());
                p.setPen(Qt::black);
                Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
                if (!(align & Qt::AlignVertical_Mask))
                    align |= Qt::AlignVCenter;
                const QRect textRect = cell.adjusted(margin, 0, -margin, 0);
                p.drawText(textRect, int(align) | Qt::TextSingleLine,
                           QFontMetrics(grid.font()).elidedText(index.data().toString(), Qt::ElideRight,
                                                                textRect.width()));
            }
            const QRect inside = cell.adjusted(1, 1, -2, -2);
            const auto [gotBox, gotInk] = ink(shown, inside);
            const auto [wantBox, wantInk] = ink(drawn, inside);
            const std::string what = index.data().toString().toStdString();
            ASSERT_GT(wantInk, 20) << what;
            EXPECT_LE(std::abs(gotBox.left() - wantBox.left()), 1) << what;
            EXPECT_LE(std::abs(gotBox.right() - wantBox.right()), 1) << what;
            EXPECT_EQ(gotBox.top(), wantBox.top()) << what;
            EXPECT_EQ(gotBox.bottom(), wantBox.bottom()) << what;
            EXPECT_NEAR(gotInk, wantInk, wantInk / 10) << what;
        }
    }
}
