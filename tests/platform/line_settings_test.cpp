#include "platform/LineSettings.h"

#include <gtest/gtest.h>

// Settings text in, line out as "baud parity data stop"; or refused.
TEST(LineSettings, ReadsTheSettingsTextOrRefusesIt)
{
    const std::pair<const char *, const char *> read[] // settings, line
        = {{"4800,N,8,1", "4800 N 8 1"},     {" 9600 , e , 7 , 2 ", "9600 E 7 2"},
           {"1200,O,5,1.5", "1200 O 5 1.5"}, {"300,M,6,1", "300 M 6 1"},
           {"300,S,8,2", "300 S 8 2"},       {"1,N,8,1", "1 N 8 1"}};
    for (const auto &[settings, line] : read) {
        const std::optional<LineSettings> l = LineSettings::parse(QString::fromLatin1(settings));
        ASSERT_TRUE(l) << settings;
        const char *stops[] = {"1", "1.5", "2"};
        // The parities in the order of LineSettings::Parity.
        EXPECT_EQ(std::to_string(l->baudRate) + ' ' + "NEOMS"[int(l->parity)] + ' '
                      + std::to_string(l->dataBits) + ' ' + stops[int(l->stopBits)],
                  line);
    }
    for (const char *refused : {"4800,X,8,1", "4800,N,9,1", "4800,N,4,1", "4800,N,8,3", "0,N,8,1",
                                "-4800,N,8,1", "fast,N,8,1", "4800,N,8", "4800,N,8,1,1", ""})
        EXPECT_FALSE(LineSettings::parse(QString::fromLatin1(refused))) << refused;
}
