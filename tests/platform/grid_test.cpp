#include "platform/Grid.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The cells of a row joined with '|'.
static QString rowText(const Grid &grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid.cols(); ++c)
        cells << grid.text(row, c);
    return cells.join(u'|');
}

TEST(GridCells, EditsResizesCellsOutsideAndBatches)
{
    Grid grid(3, 4);
    const QAbstractItemModelTester checked(&grid, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const auto &[col, text] :
         {std::pair{0, u"a"}, {2, u"ccc"}, {1, u"bb"}, {3, u"dddd"}, {1, u""}, {2, u"C"}})
        EXPECT_TRUE(grid.setText(1, col, text)) << col;
    EXPECT_EQ(rowText(grid, 1), u"a||C|dddd");
    grid.setBackColour(1, 2, Colour{0, 255, 0});
    grid.setCols(2);
    EXPECT_EQ(grid.colWidth(2), 0) << "a column gone has no width";
    grid.setCols(5);
    grid.setText(1, 3, u"x");
    EXPECT_EQ(rowText(grid, 1), u"a|||x|");
    EXPECT_FALSE(grid.backColour(1, 2).has_value());
    QSignalSpy removed(&grid, &Grid::rowsAboutToBeRemoved);
    grid.setText(2, 1, u"gone");
    grid.setRows(2);
    grid.setRows(3);
    grid.setText(2, 3, u"x");
    EXPECT_EQ(rowText(grid, 2), u"|||x|") << "a row added again starts empty";
    grid.setCols(1);
    EXPECT_EQ(grid.text(1, 0), u"a") << "the first column kept";
    grid.setCols(5);
    EXPECT_EQ(removed, (QList<QVariantList>{{QModelIndex(), 2, 2}}));

    for (const auto &[row, col] : {std::pair{3, 0}, {0, 5}, {-1, 0}})
        EXPECT_FALSE(grid.setText(row, col, u"x") || grid.setBackColour(row, col, Colour{0, 255, 0}))
            << row << col;
    EXPECT_EQ(grid.text(5, 5), u"");
    QSignalSpy layout(&grid, &Grid::layoutSettingsChanged);
    grid.setColWidth(5, 100);
    grid.setColWidth(-1, 100);
    EXPECT_EQ(layout.count(), 0) << "a column that is not there has no width";
    grid.setRowHeight(2, 600);
    EXPECT_EQ(grid.rowHeight(1), Grid().rowHeight(1)) << "the rows before keep the default height";
    EXPECT_TRUE(!grid.setCurrentCell(0, 1) && !grid.setCurrentCell(1, 0) && grid.setCurrentCell(1, 2))
        << "neither the header row nor the number column can become current";

    // A view is told of each cell change, and of a batch of changes once, at its end.
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&grid, &QAbstractItemModel::modelReset);
    QSignalSpy headers(&grid, &QAbstractItemModel::headerDataChanged);
    grid.setText(0, 2, u"Head");
    grid.setText(0, 2, u"Head");
    EXPECT_EQ(headers.count(), 1) << "the first row is the header; the same text again changes nothing";
    Grid headerOnly(1, 3);
    headerOnly.setText(0, 2, u"Head");
    EXPECT_EQ(headerOnly.headerData(2, Qt::Horizontal).toString(), u"Head") << "a grid of its header alone";
    EXPECT_EQ(headerOnly.headerData(2, Qt::Vertical).toInt(), 3) << "rows have their numbers";
    headerOnly.setFixedRows(0);
    EXPECT_EQ(headerOnly.headerData(2, Qt::Horizontal).toInt(), 3) << "without a fixed row, no headings";
    headerOnly.setRows(-1);
    headerOnly.setCols(-1);
    EXPECT_EQ(std::pair(headerOnly.rows(), headerOnly.cols()), std::pair(0, 0)) << "no fewer than none";
    {
        Grid::Batch batch(grid);
        for (int i = 0; i < 100; ++i)
            grid.appendRow({QString(), QString::number(i)});
    }
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(grid.data(grid.index(102, 1)).toString(), u"99");
    grid.setAlignment(1, 2, Grid::Alignment::CentreCentre);
    EXPECT_EQ(grid.data(grid.index(1, 2), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    grid.setAlignment(1, 2, Grid::Alignment::Default);
    EXPECT_EQ(grid.data(grid.index(1, 2), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    grid.setAlignment(0, 2, Grid::Alignment::CentreCentre);
    EXPECT_EQ(grid.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignCenter | Qt::TextWordWrap))
        << "a heading as its cell, wrapped";
}

// Several cells of a row at once: the cells around them kept, texts beyond the last column left
// out, a view told once.
TEST(GridCells, SeveralAtOnce)
{
    Grid grid(2, 4);
    grid.setText(1, 0, u"a");
    grid.setText(1, 3, u"dddd");
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
    const QStringView texts[] = {u"bb", u"", u"x", u"y"};
    EXPECT_TRUE(grid.setTexts(1, 1, std::span(texts).first(2)));
    EXPECT_EQ(rowText(grid, 1), u"a|bb||dddd");
    EXPECT_TRUE(grid.setTexts(1, 1, texts));
    EXPECT_EQ(rowText(grid, 1), u"a|bb||x");
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[1].mid(0, 2), (QVariantList{grid.index(1, 1), grid.index(1, 3)}));
    EXPECT_FALSE(grid.setTexts(2, 0, texts) || grid.setTexts(1, 4, texts)) << "no such row or column";
    EXPECT_TRUE(grid.setTexts(1, 1, {})) << "nothing to write is no failure";

    // Rows written whole for the first time share blocks of text: they keep their own texts through
    // changes, a sort and the removal of other rows.
    for (const QStringView first : {u"0", u"1", u"2"}) {
        grid.appendRow();
        const QStringView row[] = {first, u"b", u"cc", u"d"};
        grid.setTexts(grid.rows() - 1, 0, row);
    }
    grid.setText(2, 1, u"changed");
    grid.sortRows(1, grid.rows() - 1, 1);
    grid.setRows(4);
    grid.setRows(5);
    QStringList rows;
    for (int r = 1; r < grid.rows(); ++r)
        rows << rowText(grid, r);
    EXPECT_EQ(rows.join(u' '), u"1|b|cc|d 2|b|cc|d a|bb||x |||");
    grid.setRows(3);
    EXPECT_TRUE(grid.holdsTextBlocks()) << "row 2 still has its text in a block";
    grid.setRows(1);
    EXPECT_FALSE(grid.holdsTextBlocks()) << "the blocks of rows removed are freed";
    grid.appendRow();
    grid.setTexts(1, 1, texts);
    EXPECT_EQ(rowText(grid, 1), u"|bb||x");
}

// Rows as words ("a2": cells "a" and "2") in, rows after a sort by one column out ("*": the first
// row's colour). The sort is stable and case-sensitive, moves whole rows and leaves the header;
// a second column (not -1) decides between rows equal in the first.
TEST(GridSort, WordsInSortedWordsOut)
{
    // The first row sorted, the key columns, the rows before and after.
    const std::tuple<int, int, int, const char *, const char *> cases[]
        = {{1, 1, -1, "a2 b1 c2 d1", "b1 d1 a2* c2"},
           {1, 0, -1, "b1 a2 a1", "a2 a1 b1*"},
           {1, 1, -1, "a1 b3 c2 d4", "a1* c2 b3 d4"},
           {1, 1, -1, "a1 b2 c1 d2", "a1* c1 b2 d2"},
           {1, 1, -1, "aB ab aA", "aA aB* ab"},
           {1, 1, 0, "c2 b1 a2", "b1 a2 c2*"},
           {1, 1, -1, "a1z b1a", "a1z* b1a"}, // a middle column: what follows it does not count
           {4, 1, -1, "b2 a1", "b2* a1"}}; // a range beyond the rows
    for (const auto &[first, col, second, before, after] : cases) {
        Grid grid(1, 3);
        grid.setText(0, 1, u"Head");
        for (const QString &word : QString::fromLatin1(before).split(u' '))
            grid.appendRow({word.left(1), word.mid(1, 1), word.mid(2)});
        grid.setBackColour(1, 1, Colour{0, 255, 0});
        if (second < 0)
            grid.sortRows(first, grid.rows() - 1, col);
        else // given a last row beyond the grid, too
            grid.sortRows(first, grid.rows() + 1, {col, second});
        QStringList words;
        for (int r = 1; r < grid.rows(); ++r)
            words << grid.text(r, 0) + grid.text(r, 1) + grid.text(r, 2)
                    + (grid.backColour(r, 1).has_value() ? u"*"_s : QString());
        EXPECT_EQ(words.join(u' '), QString::fromLatin1(after));
        EXPECT_EQ(grid.text(0, 1), u"Head");
    }
}

// Keys that share a long beginning, tie beyond their first characters, are empty or go beyond
// Latin-1, in a scrambled order: sorted by two columns as a stable sort by Qt's comparison sorts them.
TEST(GridSort, KeysInQtsOrder)
{
    const QStringList dates = {u"2024-03-06 09:31"_s, u"2024-03-06 09:30"_s, u"2024-03-05 23:59"_s, QString(),
                               u"2024-03-06 09:30"_s};
    const QStringList sows
        = {u"50308     "_s, u"50308    1"_s, u"5030"_s, QString(), u"\u0100"_s, u"DK12"_s, u"50308     "_s};
    std::vector<QStringList> rows;
    for (const QString &date : dates)
        for (const QString &sow : sows)
            rows.push_back({QString::number(rows.size()), date, sow});
    std::shuffle(rows.begin(), rows.end(), std::mt19937(7));
    Grid grid(1, 3);
    for (const QStringList &row : rows)
        grid.appendRow(row);

    grid.sortRows(1, grid.rows() - 1, {1, 2});
    std::ranges::stable_sort(rows, {}, [](const QStringList &row) { return std::pair(row[1], row[2]); });
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(grid.text(int(i) + 1, 0), rows[i][0]) << "row " << i + 1;
}
