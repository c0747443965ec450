#include "platform/LineSettings.h"

#include <gtest/gtest.h>

namespace {

// Settings text in, line out as "baud parity data stop" ("-" when refused).
TEST(LineSettings, ReadsTheSettingsTextOrRefusesIt)
{
    const auto text = [](const LineSettings &l) {
        const char parities[] = "NEOMS"; // in the order of LineSettings::Parity
        const char *stops[] = {"1", "1.5", "2"};
        return QStringLiteral("%1 %2 %3 %4")
            .arg(l.baudRate)
            .arg(QLatin1Char(parities[int(l.parity)]))
            .arg(l.dataBits)
            .arg(QLatin1String(stops[int(l.stopBits)]));
    };
    const struct
    {
        const char *settings, *line;
    } cases[] = {
        {"4800,N,8,1", "4800 N 8 1"},
        {" 9600 , e , 7 , 2 ", "9600 E 7 2"},
        {"1200,O,5,1.5", "1200 O 5 1.5"},
        {"300,M,6,1", "300 M 6 1"},
        {"300,S,8,2", "300 S 8 2"},
        {"4800,X,8,1", "-"},
        {"4800,N,9,1", "-"},
        {"4800,N,4,1", "-"},
        {"4800,N,8,3", "-"},
        {"1,N,8,1", "1 N 8 1"},
        {"0,N,8,1", "-"},
        {"-4800,N,8,1", "-"},
        {"fast,N,8,1", "-"},
        {"4800,N,8", "-"},
        {"4800,N,8,1,1", "-"},
        {"", "-"},
    };
    for (const auto &c : cases) {
        const auto line = LineSettings::parse(QString::fromLatin1(c.settings));
        EXPECT_EQ(line ? text(*line) : QStringLiteral("-"), QString::fromLatin1(c.line)) << c.settings;
    }
}

} // namespace
