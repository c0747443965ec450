#include "RecordBytes.h"
#include "RecordsFixture.h"
#include "link/LinkState.h"
#include "link/PacketSender.h"
#include "records/RecordIntake.h"

#include <QFile>

#include <gtest/gtest.h>

// A record comes only in a long (FC) packet. A short packet with the record command (line noise
// that happens to pass its checksum) carries no record: the receiver hands on with it whatever
// the last long packet left, maybe another terminal's record, which must not be stored again
// under the served terminal nor acknowledged to it.
TEST(RecordIntakeShortPacket, aShortRecordPacketStoresAndSendsNothing)
{
    for (const int value : {0, 5, 15359}) {
        SCOPED_TRACE(value);
        RecordsFixture f;
        f.port.setPortNumber(1);
        f.port.open();
        f.options->mshStatus.setRows(5);
        PacketSender sender{f.port};
        LinkState link;
        link.ServedTerminal = 4;
        link.RecordsOutstanding = 3;
        RecordIntake intake{f.mshVimo, *f.options, f.texts, sender, link, *f.logFile, f.dialogs, f.clock};

        intake.BehModData(4, 1, value, makeRecord(), 30);
        EXPECT_EQ(f.port.takeWrittenHex(), QString());
        EXPECT_EQ(link.RecordsOutstanding, 3);
        EXPECT_EQ(f.mshVimo.rows(), 2);
        EXPECT_FALSE(QFile::exists(f.folder.file(QStringLiteral("VimoLog/FAR-2024-03-07.txt"))));

        // The same bytes in a long packet are a record.
        intake.BehModData(4, 1, std::nullopt, makeRecord(), 30);
        EXPECT_EQ(f.mshVimo.rows(), 3);
        EXPECT_NE(f.port.takeWrittenHex(), QString());
    }
}
