#include "platform/TextBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

// Room handed out in order, beyond a block's size from further blocks, keeps what was written to
// it until the blocks are cleared.
TEST(TextBlocks, RoomKeepsItsTextsUntilCleared)
{
    TextBlocks blocks;
    EXPECT_TRUE(blocks.take(0) == nullptr && blocks.isEmpty());
    const qsizetype sizes[] = {5, 3, (qsizetype(1) << 21) - 6, 10, (qsizetype(1) << 22) + 1, 7};
    std::vector<std::pair<QChar *, qsizetype>> taken;
    for (const qsizetype size : sizes) {
        QChar *room = blocks.take(size);
        ASSERT_NE(room, nullptr);
        std::fill_n(room, size, QChar(char16_t(u'a' + taken.size())));
        taken.emplace_back(room, size);
    }
    for (size_t i = 0; i < taken.size(); ++i) {
        const auto [room, size] = taken[i];
        EXPECT_TRUE(std::all_of(room, room + size, [i](QChar ch) { return ch == QChar(char16_t(u'a' + i)); })
                    && blocks.holds(room) && blocks.holds(room + size - 1))
            << "room " << i << " was written over or is not held";
    }
    EXPECT_EQ(taken[1].first, taken[0].first + 5) << "small texts share a block";
    const QChar elsewhere[1] = {};
    EXPECT_FALSE(blocks.holds(elsewhere));
    blocks.clear();
    EXPECT_TRUE(blocks.isEmpty() && blocks.holds(blocks.take(1)));
}
