#include "SimulatorOptions.h"

#include <gtest/gtest.h>

namespace {
SimulatorOptions::Parsed parse(const QStringList &arguments)
{
    return SimulatorOptions::parse(QStringList{QStringLiteral("pcvimo-simulator")} + arguments);
}
} // namespace

TEST(SimulatorOptions, defaultsAndValues)
{
    const auto plain = parse({QStringLiteral("--folder"), QStringLiteral("/opt/vimo")});
    ASSERT_TRUE(std::holds_alternative<SimulatorOptions>(plain));
    const auto &o = std::get<SimulatorOptions>(plain);
    EXPECT_EQ(o.port, 3);
    EXPECT_EQ(o.terminals, 3);
    EXPECT_EQ(o.records, 5);
    EXPECT_FALSE(o.seed);
    EXPECT_FALSE(o.duration);
    EXPECT_FALSE(o.untilDrained);
    EXPECT_EQ(o.replyDelayMs, 20);
    EXPECT_EQ(o.baud, 4800);
    EXPECT_EQ(o.linkPath(), QStringLiteral("/opt/vimo/ports/COM3"));

    const auto full = parse(
        {QStringLiteral("--folder=/f"), QStringLiteral("--port=7"), QStringLiteral("--terminals=2"),
         QStringLiteral("--records=40"), QStringLiteral("--seed=4000000000"),
         QStringLiteral("--duration=2.5"), QStringLiteral("--until-drained"), QStringLiteral("--linger=3"),
         QStringLiteral("--verify-log=/f"), QStringLiteral("--state-file=/tmp/s.json"),
         QStringLiteral("--quiet"), QStringLiteral("--reply-delay=0"), QStringLiteral("--baud=0")});
    ASSERT_TRUE(std::holds_alternative<SimulatorOptions>(full)) << std::get<QString>(full).toStdString();
    const auto &f = std::get<SimulatorOptions>(full);
    EXPECT_EQ(f.linkPath(), QStringLiteral("/f/ports/COM7"));
    EXPECT_EQ(f.terminals, 2);
    EXPECT_EQ(f.records, 40);
    EXPECT_EQ(f.seed, 4000000000u);
    EXPECT_EQ(f.duration, 2.5);
    EXPECT_TRUE(f.untilDrained);
    EXPECT_EQ(f.linger, 3.0);
    EXPECT_EQ(f.verifyLogFolder, QStringLiteral("/f"));
    EXPECT_EQ(f.stateFile, QStringLiteral("/tmp/s.json"));
    EXPECT_TRUE(f.quiet);
    EXPECT_EQ(f.replyDelayMs, 0);
    EXPECT_EQ(f.baud, 0);
    EXPECT_FALSE(f.faults.corrupt > 0 || f.faults.dropAcks > 0 || f.faults.garbage > 0);
    EXPECT_TRUE(f.vanish.empty());

    const auto faulty = parse({QStringLiteral("--folder=/f"), QStringLiteral("--corrupt=0.1"),
                               QStringLiteral("--drop-acks=0.2"), QStringLiteral("--garbage=1"),
                               QStringLiteral("--vanish-at=30"), QStringLiteral("--vanish-at=90"),
                               QStringLiteral("--vanish-for=4"), QStringLiteral("--vanish-every=600")});
    ASSERT_TRUE(std::holds_alternative<SimulatorOptions>(faulty)) << std::get<QString>(faulty).toStdString();
    const auto &g = std::get<SimulatorOptions>(faulty);
    EXPECT_EQ(g.faults.corrupt, 0.1);
    EXPECT_EQ(g.faults.dropAcks, 0.2);
    EXPECT_EQ(g.faults.garbage, 1.0);
    ASSERT_TRUE(g.vanish.next(0));
    EXPECT_EQ(g.vanish.next(0)->start, 30.0);
    EXPECT_EQ(g.vanish.next(31)->start, 90.0);
    EXPECT_EQ(g.vanish.next(31)->length, 4.0);
    EXPECT_EQ(g.vanish.next(91)->start, 600.0);
}

TEST(SimulatorOptions, rejectsWhatCannotRun)
{
    struct Case
    {
        QStringList arguments;
        const char *error;
    };
    const std::vector<Case> cases = {
        {{}, "--folder is required"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--terminals=0")},
         "--terminals: expected a number from 1 to 254"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--terminals=255")}, "--terminals"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--port=x")}, "--port"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--records=2.5")}, "--records"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--records=15360")}, "--records"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--duration=0")}, "--duration"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--seed=-1")}, "--seed"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--records=3"),
          QStringLiteral("--records-file=r.txt")},
         "--records and --records-file"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("stray")}, "unexpected argument"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--bogus")}, "Unknown option"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--corrupt=1.5")},
         "--corrupt: expected a number from 0 to 1"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--drop-acks=-0.1")}, "--drop-acks"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--garbage=x")}, "--garbage"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--vanish-at=-1")}, "--vanish-at"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--vanish-at=5"), QStringLiteral("--vanish-for=0")},
         "--vanish-for"},
        {{QStringLiteral("--folder=/f"), QStringLiteral("--vanish-for=5")}, "--vanish-for needs"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const auto parsed = parse(c.arguments);
        ASSERT_TRUE(std::holds_alternative<QString>(parsed));
        EXPECT_TRUE(std::get<QString>(parsed).contains(QString::fromLatin1(c.error)))
            << std::get<QString>(parsed).toStdString();
    }
}

TEST(SimulatorOptions, helpDescribesRecordsFileAndExitCodes)
{
    const auto parsed = parse({QStringLiteral("--help")});
    ASSERT_TRUE(std::holds_alternative<SimulatorOptions::Help>(parsed));
    const QString text = std::get<SimulatorOptions::Help>(parsed).text;
    for (const char *part :
         {"--records-file", "--until-drained", "[ADDRESS:] 30 bytes as hex pairs", "Exit codes",
          "--corrupt F", "--drop-acks F", "--garbage F", "--vanish-at S", "start bytes"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(part))) << part;
}
