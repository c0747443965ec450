#include "PcLine.h"

#include <gtest/gtest.h>

namespace {
using B = TerminalRecord::Byte;
}

// The line the program must write for a record: every field from its byte(s), in log order.
TEST(TerminalRecord, logLineFollowsTheRecordBytes)
{
    struct Case
    {
        const char *name;
        std::function<void(TerminalRecord &)> change;
        QByteArray line;
    };
    const std::vector<Case> cases = {
        {"plain record", [](TerminalRecord &) {},
         "2024-03-07 09:05\t0\tDK0004    \t4\t0\t0\t0\t0\t0\t0\t385\t0\t0"},
        {"every field set",
         [](TerminalRecord &r) {
             r.set(B::Year, 5);
             r.set(B::Month, 12);
             r.set(B::Day, 31);
             r.set(B::Hour, 23);
             r.set(B::Minute, 59);
             r.set(B::Staff, 19);
             r.set(B::ReactionTime, 42);
             r.set(B::Alive, 14);
             r.set(B::Still, 2);
             r.set(B::Mumi, 1);
             r.set(B::Weak, 3);
             r.set(B::Female, 7);
             r.set(B::BirthAssist, 1);
             r.set(B::Medication, 10);
             r.set(B::Dose, 255);
             r.setTemperature(410);
         },
         "2005-12-31 23:59\t19\tDK0004    \t14\t2\t1\t3\t1\t10\t255\t410\t7\t42"},
        {"tab, CR and LF in the sow id become blanks",
         [](TerminalRecord &r) { r.setSow(QByteArray("A\tB\rC\nD", 7)); },
         "2024-03-07 09:05\t0\tA B C D   \t4\t0\t0\t0\t0\t0\t0\t385\t0\t0"},
        {"temperature above 16 signed bits is stored as 0",
         [](TerminalRecord &r) { r.setTemperature(0x8001); },
         "2024-03-07 09:05\t0\tDK0004    \t4\t0\t0\t0\t0\t0\t0\t0\t0\t0"},
        {"a long sow id is cut to ten", [](TerminalRecord &r) { r.setSow("DK12345678901"); },
         "2024-03-07 09:05\t0\tDK12345678\t4\t0\t0\t0\t0\t0\t0\t385\t0\t0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TerminalRecord r = sampleRecord(4);
        c.change(r);
        EXPECT_EQ(r.logLine(), c.line);
    }
}

TEST(TerminalRecord, hexRoundTripsAndRejectsOtherText)
{
    const TerminalRecord r = sampleRecord(7);
    EXPECT_EQ(TerminalRecord::fromHex(r.toHex()), r);
    EXPECT_EQ(TerminalRecord::fromHex(r.toHex().remove(QLatin1Char(' ')).toLower()), r);
    const QString good = r.toHex();
    for (const QString &bad : {QString(), good.left(good.size() - 3), good + QStringLiteral(" 00"),
                               QString(good).replace(0, 2, QStringLiteral("G0")),
                               QString(good).replace(0, 2, QStringLiteral("+1"))}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(TerminalRecord::fromHex(bad));
    }
}
