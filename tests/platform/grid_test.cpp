#include "fakes/Strings.h"
#include "platform/Grid.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <random>

namespace {

QStringList column(const Grid &grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid.rows(); ++r)
        texts.append(grid.text(r, col));
    return texts;
}

TEST(GridCells, TextsSurviveNeighbourEditsAndResizes)
{
    Grid grid(3, 4);
    grid.setText(1, 0, u"a");
    grid.setText(1, 2, u"ccc");
    grid.setText(1, 1, u"bb");
    grid.setText(1, 3, u"dddd");
    grid.setText(1, 1, u"");
    grid.setText(1, 2, u"C");
    EXPECT_EQ(grid.text(1, 0), u"a");
    EXPECT_EQ(grid.text(1, 1), u"");
    EXPECT_EQ(grid.text(1, 2), u"C");
    EXPECT_EQ(grid.text(1, 3), u"dddd");

    grid.setCols(2);
    EXPECT_EQ(grid.text(1, 0), u"a");
    EXPECT_EQ(grid.text(1, 2), u"");
    grid.setCols(5);
    EXPECT_EQ(grid.text(1, 4), u"");
    grid.setText(1, 4, u"e");
    EXPECT_EQ(grid.text(1, 4), u"e");
    EXPECT_EQ(grid.text(1, 0), u"a");
}

TEST(GridCells, OutsideTheGridIsRefusedAndReadsEmpty)
{
    Grid grid(2, 3);
    EXPECT_FALSE(grid.setText(2, 0, u"x"));
    EXPECT_FALSE(grid.setText(0, 3, u"x"));
    EXPECT_FALSE(grid.setText(-1, 0, u"x"));
    EXPECT_EQ(grid.text(5, 5), u"");
    EXPECT_FALSE(grid.setBackColour(9, 1, Qt::green));
    EXPECT_FALSE(grid.setCurrentCell(0, 1)) << "the header row cannot become current";
    EXPECT_FALSE(grid.setCurrentCell(1, 0)) << "the number column cannot become current";
    EXPECT_TRUE(grid.setCurrentCell(1, 2));
}

TEST(GridRows, ShrinkingDropsRowsAndGrowingAddsEmptyOnes)
{
    Grid grid(4, 2);
    grid.setText(3, 1, u"gone");
    grid.setRows(1);
    grid.setRows(2);
    EXPECT_EQ(grid.rows(), 2);
    grid.setRows(4);
    EXPECT_EQ(grid.text(3, 1), u"");
}

TEST(GridSort, StableByTextKeepingRowsWhole)
{
    Grid grid(1, 3);
    const QList<QStringList> rows
        = {strings({u"", u"2024-03-07 10:00", u"B2"}), strings({u"", u"2024-03-06 09:00", u"A1"}),
           strings({u"", u"2024-03-07 08:00", u"B2"}), strings({u"", u"2024-03-05 12:00", u"a0"}),
           strings({u"", u"2024-03-06 11:00", u"A1"})};
    for (const QStringList &row : rows)
        grid.appendRow(row);
    grid.sortRows(1, grid.rows() - 1, 2);
    EXPECT_EQ(column(grid, 2), strings({u"", u"A1", u"A1", u"B2", u"B2", u"a0"}));
    EXPECT_EQ(column(grid, 1),
              strings({u"", u"2024-03-06 09:00", u"2024-03-06 11:00", u"2024-03-07 10:00",
                       u"2024-03-07 08:00", u"2024-03-05 12:00"}));
    grid.sortRows(1, grid.rows() - 1, 1);
    EXPECT_EQ(column(grid, 2), strings({u"", u"a0", u"A1", u"A1", u"B2", u"B2"}));
}

TEST(GridSort, HeaderRowAndStylesStayWithTheirRows)
{
    Grid grid(1, 2);
    grid.setText(0, 1, u"Header");
    grid.appendRow(strings({u"", u"b"}));
    grid.appendRow(strings({u"", u"a"}));
    grid.setBackColour(1, 1, Qt::green);
    grid.sortRows(1, 2, 1);
    EXPECT_EQ(grid.text(0, 1), u"Header");
    EXPECT_EQ(grid.text(2, 1), u"b");
    EXPECT_EQ(grid.backColour(2, 1), QColor(Qt::green));
    EXPECT_FALSE(grid.backColour(1, 1).isValid());
}

// The merge of an appended sorted run must equal a stable sort, whatever the data.
TEST(GridSort, MergeOfAppendedRunsEqualsStableSort)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 50; ++trial) {
        Grid merged(1, 2);
        QList<std::pair<QString, int>> reference;
        int serial = 0;
        for (int day = 0; day < 4; ++day) {
            const int count = int(random() % 20);
            std::vector<int> keys;
            for (int i = 0; i < count; ++i)
                keys.push_back(int(random() % 10));
            if (random() % 2)
                std::sort(keys.begin(), keys.end());
            for (int key : keys) {
                merged.appendRow({QString::number(serial), QString::number(key)});
                reference.append({QString::number(key), serial++});
            }
            merged.sortRows(1, merged.rows() - 1, 1);
            std::stable_sort(reference.begin(), reference.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
            for (int i = 0; i < reference.size(); ++i) {
                ASSERT_EQ(merged.text(i + 1, 1), reference[i].first);
                ASSERT_EQ(merged.text(i + 1, 0), QString::number(reference[i].second)) << "trial " << trial;
            }
        }
    }
}

TEST(GridModel, ViewIsToldOfChangesAndBatchesOnce)
{
    Grid grid(2, 3);
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&grid, &QAbstractItemModel::modelReset);
    grid.setText(1, 1, u"x");
    EXPECT_EQ(changed.count(), 1);
    {
        Grid::Batch batch(grid);
        for (int i = 0; i < 100; ++i)
            grid.appendRow({QString(), QString::number(i)});
    }
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(grid.rowCount(), 102);
    EXPECT_EQ(grid.data(grid.index(101, 1)).toString(), u"99");
    grid.setText(0, 2, u"Head");
    EXPECT_EQ(grid.headerData(2, Qt::Horizontal).toString(), u"Head");
}

} // namespace
