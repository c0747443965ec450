#include "PcLine.h"
#include "RecordFile.h"
#include "RecordGenerator.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

namespace {
using B = TerminalRecord::Byte;
const QDateTime kNow(QDate(2024, 3, 1), QTime(2, 30)); // shortly after a change of month
} // namespace

// Generated records must be ones the program takes: a valid date within the span before now,
// oldest first, counts that fit a litter, and sow ids that tell the records apart.
TEST(RecordGenerator, makesValidDistinctRecordsOldestFirst)
{
    const auto perTerminal = RecordGenerator(7).generate(4, 60, kNow);
    ASSERT_EQ(perTerminal.size(), 4u);
    std::set<QByteArray> sows;
    const QRegularExpression sowForm(QStringLiteral("^DK\\d{4}    $"));
    for (const auto &records : perTerminal) {
        ASSERT_EQ(records.size(), 60u);
        QDateTime previous;
        for (const TerminalRecord &r : records) {
            SCOPED_TRACE(r.toHex().toStdString());
            const QDate date(2000 + r.at(B::Year), r.at(B::Month), r.at(B::Day));
            ASSERT_TRUE(date.isValid());
            const QDateTime when(date, QTime(r.at(B::Hour), r.at(B::Minute)));
            ASSERT_TRUE(when.isValid());
            EXPECT_LT(when, kNow);
            EXPECT_GE(when, kNow.addSecs(-60LL * RecordGenerator::kSpanMinutes));
            if (previous.isValid()) {
                EXPECT_GE(when, previous);
            }
            previous = when;

            EXPECT_GE(r.at(B::Type), 1);
            EXPECT_LE(r.at(B::Type), 3);
            EXPECT_LE(r.at(B::Staff), 19);
            EXPECT_LE(r.at(B::Alive), 20);
            EXPECT_LE(r.at(B::Female), r.at(B::Alive));
            EXPECT_LE(r.at(B::Weak), r.at(B::Alive));
            EXPECT_LE(r.at(B::BirthAssist), 1);
            EXPECT_LE(r.at(B::Medication), 10);
            EXPECT_EQ(r.at(B::Dose) == 0, r.at(B::Medication) == 0);
            EXPECT_GE(r.temperature(), 375);
            EXPECT_LE(r.temperature(), 410);
            EXPECT_TRUE(sowForm.match(QString::fromLatin1(r.sow())).hasMatch());
            EXPECT_EQ(r.remaining(), 0);
            sows.insert(r.sow());
        }
    }
    EXPECT_EQ(sows.size(), 240u);
}

TEST(RecordGenerator, seedDecidesTheRecords)
{
    const auto a = RecordGenerator(11).generate(2, 5, kNow);
    EXPECT_EQ(RecordGenerator(11).generate(2, 5, kNow), a);
    EXPECT_NE(RecordGenerator(12).generate(2, 5, kNow), a);
    EXPECT_TRUE(RecordGenerator(11).generate(3, 0, kNow)[2].empty());
}

TEST(RecordGenerator, longerSowIdsWhenFourDigitsDoNotSuffice)
{
    const auto records = RecordGenerator(3).generate(3, 3000, kNow);
    std::set<QByteArray> sows;
    for (const auto &terminal : records) {
        for (const TerminalRecord &r : terminal)
            sows.insert(r.sow());
    }
    EXPECT_EQ(sows.size(), 9000u);
}

TEST(RecordFile, readsRecordsPerTerminal)
{
    const QString a = sampleRecord(1).toHex();
    const QString b = sampleRecord(2).toHex().remove(QLatin1Char(' '));
    const QString c = sampleRecord(3).toHex().toLower();
    const QString text = QStringLiteral("# records for the test\n%1\n\n  %2  \n3: %3\r\n%1\n").arg(a, b, c);
    const auto parsed = RecordFile::parse(text, 3);
    ASSERT_TRUE(std::holds_alternative<RecordFile::PerTerminal>(parsed))
        << std::get<QString>(parsed).toStdString();
    const auto &records = std::get<RecordFile::PerTerminal>(parsed);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (std::vector<TerminalRecord>{sampleRecord(1)}));
    EXPECT_EQ(records[1], (std::vector<TerminalRecord>{sampleRecord(2)}));
    // The addressed line does not take a turn: the last line goes to terminal 3 as well.
    EXPECT_EQ(records[2], (std::vector<TerminalRecord>{sampleRecord(3), sampleRecord(1)}));
}

TEST(RecordFile, namesTheLineThatIsWrong)
{
    const QString good = sampleRecord(1).toHex();
    struct Case
    {
        QString text;
        const char *error;
    };
    const std::vector<Case> cases = {
        {good + QStringLiteral("\n") + good.left(20), "line 2: expected 30 bytes"},
        {QStringLiteral("#\n4: ") + good, "line 2: terminal address must be 1..3"},
        {QStringLiteral("0: ") + good, "line 1: terminal address"},
        {QStringLiteral("x: ") + good, "line 1: terminal address"},
        {QStringLiteral("\n\n") + good + QStringLiteral(" zz"), "line 3: expected 30 bytes"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const auto parsed = RecordFile::parse(c.text, 3);
        ASSERT_TRUE(std::holds_alternative<QString>(parsed));
        EXPECT_TRUE(std::get<QString>(parsed).startsWith(QString::fromLatin1(c.error)))
            << std::get<QString>(parsed).toStdString();
    }
}
