#include "platform/TextOrder.h"

#include <QString>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Two keys of a sort whose keys share their first `skip` characters: the full comparison, and the
// heads where they decide, give Qt's order.
TEST(TextOrder, OrdersAsQtDoes)
{
    // Name, keys, shared characters, whether the heads decide.
    const std::tuple<const char *, QString, QString, qsizetype, bool> cases[]
        = {{"dates a minute apart", u"2024-03-06 09:31"_s, u"2024-03-06 09:30"_s, 9, true},
           {"equal dates", u"2024-03-06 09:30"_s, u"2024-03-06 09:30"_s, 9, true},
           {"dates a day apart", u"2024-03-05 23:59"_s, u"2024-03-06 00:00"_s, 9, true},
           {"equal in the head, apart after it", u"5030812 b"_s, u"5030812 a"_s, 0, false},
           {"equal and longer than the head", u"50308     "_s, u"50308     "_s, 0, false},
           {"one a beginning of the other", u"abc"_s, u"abcd"_s, 0, true},
           {"a beginning, the other longer than the head", u"abcdefg"_s, u"abcdefgh"_s, 0, true},
           {"a NUL after the end", u"ab"_s, QString::fromUtf16(u"ab\0", 3), 0, true},
           {"empty, shorter than the shared part", QString(), u"2024"_s, 2, false},
           {"empty, nothing shared", QString(), u"2024"_s, 0, true},
           {"Latin-1 letters", u"\u00c6r\u00f8"_s, u"Aero"_s, 0, true},
           {"a Latin-1 letter after z", u"\u00e6"_s, u"z"_s, 0, true},
           {"beyond Latin-1", u"\u0100B"_s, u"\u0100A"_s, 0, false},
           {"a surrogate against a character above them", u"\U0001F600"_s, u"\uE000"_s, 0, false},
           {"case", u"aB"_s, u"ab"_s, 0, true}};
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const auto &[name, a, b, skip, headsDecide] : cases) {
        const int expected = sign(a.compare(b, Qt::CaseSensitive));
        EXPECT_EQ(sign(TextOrder::compare(a, b)), expected) << name;
        EXPECT_EQ(sign(TextOrder::compare(b, a)), -expected) << name;
        EXPECT_EQ(TextOrder::compareHeads(TextOrder::head(a, skip), TextOrder::head(b, skip)),
                  headsDecide ? std::optional(expected) : std::nullopt)
            << name;
    }
}
