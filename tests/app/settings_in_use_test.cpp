#include "AppFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The settings read at start-up are in use everywhere; an edit in the options window only once
// it is saved: in the broadcast, in the names the grid shows and in the port a new port list
// selects.
TEST(SettingsInUse, TheSettingsReadThenTheOnesSaved)
{
    AppFixture f;
    f.writeLog("2024-03-07 04:00\t0\tA1        \t9\t0\t0\t1\t1\t0\t0\t0\t4\t2");
    f.devices.names << u"USB Serial Port (COM5)"_s;
    f.program.start();
    frmOption &options = f.program.options();
    // What the next tick sends as the broadcast's interval 1 item, the name the grid shows, the port.
    auto shown = [&] {
        f.vimo.cmdUpdate.click();
        f.program.scheduler().moveTo({0, 31}); // the count request kept away
        f.port.takeWrittenHex();
        f.vimo.timSekund.tick();
        return f.port.takeWrittenHex() + u'|' + f.vimo.mshVimo.text(f.vimo.mshVimo.rows() - 1, 2) + u'|'
            + QString::number(f.port.portNumber());
    };
    EXPECT_EQ(shown(), u"FA F0 0F 30 05 00 00 00 00 30 04|Anna|3"_s)
        << "no interval 1 in the file: the box's own name";

    options.txtIntv1.setText(u"01:00"_s);
    options.mshStaff.setText(1, 1, u"Eva"_s);
    options.cmbCom.userSelect(1);
    options.cmdComP.click();
    EXPECT_EQ(shown(), u"FA F0 0F 30 05 00 00 00 00 30 04|Anna|3"_s)
        << "not saved: the list goes back to the saved port";

    options.cmbCom.userSelect(1);
    options.cmdGemLuk.click();
    options.cmdComP.click();
    EXPECT_EQ(shown(), u"FA F0 0F 30 05 00 00 30 0C 70 00|Eva|5"_s);
}
