#include "RecordGenerator.h"

#include <gtest/gtest.h>

#include <set>

// Generated records must tell themselves apart in the log (sow ids all different, more than
// four digits here), or a record stored twice in place of another would pass the log check;
// their dates are real, in the span before now, oldest first; the seed repeats them.
TEST(RecordGenerator, makesDistinctRecordsOldestFirst)
{
    using B = TerminalRecord::Byte;
    const QDateTime now(QDate(2024, 3, 1), QTime(2, 30)); // shortly after a change of month
    std::set<QByteArray> sows;
    for (const auto &records : RecordGenerator(7).generate(2, 3000, now)) {
        QDateTime previous = now.addSecs(-60LL * RecordGenerator::kSpanMinutes);
        for (const TerminalRecord &r : records) {
            const QDateTime when(QDate(2000 + r.at(B::Year), r.at(B::Month), r.at(B::Day)),
                                 QTime(r.at(B::Hour), r.at(B::Minute)));
            ASSERT_TRUE(when.isValid() && previous <= when && when < now && r.remaining() == 0)
                << r.toHex().toStdString();
            previous = when;
            sows.insert(r.sow());
        }
    }
    EXPECT_EQ(sows.size(), 6000u);
    const auto some = RecordGenerator(11).generate(2, 5, now);
    EXPECT_EQ(RecordGenerator(11).generate(2, 5, now), some);
}
