#include "PcLine.h"
#include "RecordFile.h"
#include "RecordGenerator.h"

#include <gtest/gtest.h>

#include <set>

// A records file in (a record a line as hex pairs, blanks optional; "N:" gives it to terminal N,
// other lines are dealt out in turn), the lines the program must write for each terminal's
// records out, or the line that is wrong. The count bytes 0 and 1 never reach the line.
TEST(RecordFile, textInLogLinesOut)
{
    const std::vector<std::pair<const char *, const char *>> cases = {
        {"00 00 01 18 03 07 09 05 00 00 04 00 00 00 00 00 00 00 01 81 44 4B 30 30 30 34 20 20 20 20",
         "1: 2024-03-07 09:05\t0\tDK0004    \t4\t0\t0\t0\t0\t0\t0\t385\t0\t0"},
        {"2: 012c0118030709050000040000000000000001814b4b30303034202020ff",
         "2: 2024-03-07 09:05\t0\tKK0004   \xFF\t4\t0\t0\t0\t0\t0\t0\t385\t0\t0"},
        {"00 00 03 05 0C 1F 17 3B 13 2A 0E 02 01 03 07 01 0A FF 01 9A 44 4B 30 30 30 34 20 20 20 20",
         "1: 2005-12-31 23:59\t19\tDK0004    \t14\t2\t1\t3\t1\t10\t255\t410\t7\t42"},
        // TAB, CR and LF in the sow id become blanks, so a line never splits.
        {"00 00 01 18 03 07 09 05 00 00 04 00 00 00 00 00 00 00 01 81 41 09 42 0D 43 0A 44 20 20 20",
         "1: 2024-03-07 09:05\t0\tA B C D   \t4\t0\t0\t0\t0\t0\t0\t385\t0\t0"},
        // A temperature that does not fit 16 signed bits is stored as 0.
        {"00 00 01 18 03 07 09 05 00 00 04 00 00 00 00 00 00 00 80 01 44 4B 30 30 30 34 20 20 20 20",
         "1: 2024-03-07 09:05\t0\tDK0004    \t4\t0\t0\t0\t0\t0\t0\t0\t0\t0"},
        {"0000011803070905000004000000000000000181444B30303034202020", "line 1"},
        {"0000011803070905000004000000000000000181444B303030342020202020", "line 1"},
        {"G000011803070905000004000000000000000181444B3030303420202020", "line 1"},
        {"+100011803070905000004000000000000000181444B3030303420202020", "line 1"},
        {"#\n4: 0000011803070905000004000000000000000181444B3030303420202020", "line 2"},
        {"\n\nx: 0000011803070905000004000000000000000181444B3030303420202020", "line 3"},
    };
    const auto linesOf = [](const QString &text) {
        const auto parsed = RecordFile::parse(text, 3);
        if (const auto *error = std::get_if<QString>(&parsed))
            return error->section(u':', 0, 0); // the line that is wrong
        QStringList lines;
        for (std::size_t i = 0; i < 3; ++i) {
            for (const TerminalRecord &r : std::get<RecordFile::PerTerminal>(parsed)[i])
                lines << QString::number(i + 1) + QStringLiteral(": ") + QString::fromLatin1(r.logLine());
        }
        return lines.join(QStringLiteral(" | "));
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(linesOf(QString::fromLatin1(text)).toStdString(),
                  QString::fromLatin1(expected).toStdString());
    const QString r1 = sampleRecord(1).toHex(), r2 = sampleRecord(2).toHex().remove(u' '),
                  r3 = sampleRecord(3).toHex().toLower();
    const auto line = [](int n) { return QString::fromLatin1(sampleRecord(n).logLine()); };
    EXPECT_EQ(linesOf(QStringLiteral("# records\n%1\n\n  %2  \n3: %3\r\n%1\n").arg(r1, r2, r3)), // 3: no turn
              QStringLiteral("1: %1 | 2: %2 | 3: %3 | 3: %1").arg(line(1), line(2), line(3)));
}

// Generated records must be ones the program takes: a valid date within the span before now,
// oldest first, counts that fit a litter, sow ids that tell them apart (more than four digits
// here); the seed repeats them.
TEST(RecordGenerator, makesValidDistinctRecordsOldestFirst)
{
    using B = TerminalRecord::Byte;
    const QDateTime now(QDate(2024, 3, 1), QTime(2, 30)); // shortly after a change of month
    std::set<QByteArray> sows;
    for (const auto &records : RecordGenerator(7).generate(2, 3000, now)) {
        QDateTime previous = now.addSecs(-60LL * RecordGenerator::kSpanMinutes);
        for (const TerminalRecord &r : records) {
            const QDateTime when(QDate(2000 + r.at(B::Year), r.at(B::Month), r.at(B::Day)),
                                 QTime(r.at(B::Hour), r.at(B::Minute)));
            ASSERT_TRUE(when.isValid() && previous <= when && when < now && r.at(B::Type) >= 1
                        && r.at(B::Type) <= 3 && r.at(B::Staff) <= 19 && r.at(B::Alive) <= 20
                        && r.at(B::Female) <= r.at(B::Alive) && r.at(B::Weak) <= r.at(B::Alive)
                        && r.at(B::BirthAssist) <= 1 && r.at(B::Medication) <= 10
                        && (r.at(B::Dose) == 0) == (r.at(B::Medication) == 0) && r.temperature() >= 375
                        && r.temperature() <= 410 && r.remaining() == 0)
                << r.toHex().toStdString();
            previous = when;
            sows.insert(r.sow());
        }
    }
    EXPECT_EQ(sows.size(), 6000u);
    const auto some = RecordGenerator(11).generate(2, 5, now);
    EXPECT_EQ(RecordGenerator(11).generate(2, 5, now), some);
}
