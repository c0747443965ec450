#include "SimulatorOptions.h"

#include <gtest/gtest.h>

// A command line in, the options of the run out ("vanish" is the first gap at or after `at`
// seconds), or what is wrong with it. A leading blank compares the end of the text.
TEST(SimulatorOptions, commandLineInOptionsOut)
{
    struct Case
    {
        const char *arguments, *expected;
        double at = 0;
    };
    const std::vector<Case> cases = {
        {"--folder /opt/vimo",
         "/opt/vimo/ports/COM3 terminals 3 records 5 file  seed - duration - drained 0 "
         "linger 0 log  state  quiet 0 delay 20 baud 4800 faults 0/0/0/0/0/0 added 0 vanish none"},
        {"--folder=/f --port=7 --terminals=2 --records=6,3,2 --seed=4000000000 --duration=2.5 "
         "--until-drained --linger=3 --verify-log=/v --state-file=/s.json --quiet --reply-delay=0 --baud=0 "
         "--corrupt=0.1 --corrupt-records=0.25 --drop-acks=0.2 --garbage=1 --late-counts=0.3 "
         "--short-records=0.05 --add-records=7 --vanish-at=30 --vanish-at=10 --vanish-for=4 --vanish-for=6",
         "/f/ports/COM7 terminals 2 records 6,3,2 file  seed 4000000000 duration 2.5 drained 1 linger 3 "
         "log /v state /s.json quiet 1 delay 0 baud 0 faults 0.1/0.2/1/0.25/0.3/0.05 added 7 vanish 10+6"},
        // Gaps at the moments given and every so often; one without a length of its own takes the last.
        {"--folder=/f --vanish-at=150 --vanish-for=3 --vanish-for=7 --vanish-every=100", " vanish 150+3",
         120},
        {"--folder=/f --vanish-at=150 --vanish-for=3 --vanish-for=7 --vanish-every=100", " vanish 300+7",
         250},
        {"", "error: --folder is required"},
        {"--folder=/f --corrupt=1.5", "error: --corrupt: expected a number from 0 to 1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto parsed
            = SimulatorOptions::parse(QStringList{QStringLiteral("pcvimo-simulator")}
                                      + QString::fromLatin1(c.arguments).split(u' ', Qt::SkipEmptyParts));
        const auto *error = std::get_if<QString>(&parsed);
        QString text = error ? QStringLiteral("error: ") + *error : QString();
        if (const auto *o = std::get_if<SimulatorOptions>(&parsed)) {
            const auto gap = o->vanish.next(c.at);
            const auto number = [](auto value) { return QString::number(value).toStdString(); };
            QString each = QString::number(o->records);
            for (qsizetype i = 0; i < o->recordsEach.size(); ++i)
                each = (i ? each + u',' : QString()) + QString::number(o->recordsEach[i]);
            text = QString::asprintf(
                "%s terminals %d records %s file %s seed %s duration %s drained %d linger %g "
                "log %s state %s quiet %d delay %d baud %d faults %g/%g/%g/%g/%g/%g added %d vanish %s",
                qPrintable(o->linkPath()), o->terminals, qPrintable(each), qPrintable(o->recordsFile),
                o->seed ? number(*o->seed).c_str() : "-", o->duration ? number(*o->duration).c_str() : "-",
                o->untilDrained, o->linger, qPrintable(o->verifyLogFolder), qPrintable(o->stateFile),
                o->quiet, o->replyDelayMs, o->baud, o->faults.corrupt, o->faults.dropAcks, o->faults.garbage,
                o->faults.corruptRecords, o->faults.lateCounts, o->faults.shortRecords, o->addRecords,
                gap ? (number(gap->start) + '+' + number(gap->length)).c_str() : "none");
        }
        const QString expected = QString::fromLatin1(c.expected);
        EXPECT_TRUE(expected.startsWith(u' ') ? text.endsWith(expected) : text.startsWith(expected))
            << text.toStdString();
    }
}
