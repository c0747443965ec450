#include "AppFixture.h"

#include <gtest/gtest.h>

namespace {

// What the next tick sends as the broadcast's interval 1 item.
QString interval1Sent(AppFixture &f)
{
    f.vimo.scheduler().BroadcastStep = 31;
    f.vimo.scheduler().SecondCounter = 0; // keeps the count request away
    f.port.takeWrittenHex();
    f.vimo.timSekund.tick();
    return f.port.takeWrittenHex();
}

QString interval1Packet(int minutes)
{
    using namespace Packet;
    return toHex(FaFrame::make(kBroadcastAddress, Command::Interval1, minutes, FlagMode::Never, 0).encode());
}

// The terminals are sent the settings read at start-up; an edit in the options window only once
// it is saved.
TEST(SettingsInUse, TheBroadcastSendsTheSettingsReadThenTheOnesSaved)
{
    AppFixture f;
    f.vimo.Load();
    EXPECT_EQ(interval1Sent(f), interval1Packet(0)) << "the file has no interval 1: the box's own name";
    f.vimo.options().txtIntv1.setText(QStringLiteral("01:00"));
    EXPECT_EQ(interval1Sent(f), interval1Packet(0)) << "not saved yet";
    f.vimo.options().cmdGemLuk.click();
    EXPECT_EQ(interval1Sent(f), interval1Packet(60));
}

} // namespace
