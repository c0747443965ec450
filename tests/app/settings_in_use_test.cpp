#include "AppFixture.h"

#include <gtest/gtest.h>

namespace {

// What the next tick sends as the broadcast's interval 1 item.
QString interval1Sent(AppFixture &f)
{
    f.program.scheduler().moveTo({0, 31}); // the count request kept away
    f.port.takeWrittenHex();
    f.vimo.timSekund.tick();
    return f.port.takeWrittenHex();
}

QString interval1Packet(int minutes)
{
    using namespace Packet;
    return toHex(FaFrame::make(kBroadcastAddress, Command::Interval1, minutes, FlagMode::Never, 0).encode());
}

// The settings read at start-up are in use everywhere; an edit in the options window only once
// it is saved: in the broadcast, in the names the grid shows and in the port a new port list
// selects.
TEST(SettingsInUse, TheSettingsReadThenTheOnesSaved)
{
    AppFixture f;
    f.folder.write(QStringLiteral("VimoLog/FAR-2024-03-07.txt"),
                   "header\r\n2024-03-07 04:00\t0\tA1        \t9\t0\t0\t1\t1\t0\t0\t0\t4\t2\r\n");
    f.devices.names << QStringLiteral("USB Serial Port (COM5)");
    f.program.start();
    frmOption &options = f.program.options();
    const Grid &grid = f.vimo.mshVimo;
    auto shown = [&] {
        f.vimo.cmdUpdate.click();
        f.port.takeWrittenHex();
        return interval1Sent(f) + u'|' + grid.text(grid.rows() - 1, 2) + u'|'
            + QString::number(f.port.portNumber());
    };
    EXPECT_EQ(shown(), interval1Packet(0) + QStringLiteral("|Anna|3"))
        << "no interval 1 in the file: the box's own name";

    options.txtIntv1.setText(QStringLiteral("01:00"));
    options.mshStaff.setText(1, 1, QStringLiteral("Eva"));
    options.cmbCom.userSelect(1);
    options.cmdComP.click();
    EXPECT_EQ(shown(), interval1Packet(0) + QStringLiteral("|Anna|3"))
        << "not saved: the list goes back to the saved port";

    options.cmbCom.userSelect(1);
    options.cmdGemLuk.click();
    options.cmdComP.click();
    EXPECT_EQ(shown(), interval1Packet(60) + QStringLiteral("|Eva|5"));
}

} // namespace
