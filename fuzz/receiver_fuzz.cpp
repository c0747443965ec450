// The terminals' byte stream into the receiver, with the real record intake behind it: count
// answers fill the status grid, records go to today's log file and the record grid and are
// acknowledged on the (fake) line.
#include "FuzzSupport.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "link/LinkState.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "records/LogFile.h"
#include "records/RecordIntake.h"
#include "settings/frmOption.h"

#include <QFile>

namespace {
constexpr int kTerminals = 8;
constexpr int kRecordGridColumns = 14;
constexpr int kNoTerminal = 0xFF; // first byte that means "nobody is served"
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzEnvironment &env = fuzzEnvironment();
    FakeDialogs dialogs;
    LogFile logFile(env.folder.path(), dialogs);
    const QString todayPath = logFile.path(env.clock.now().date());
    QFile::remove(todayPath); // every input starts the day's file anew

    FakeSerialPort port;
    port.setPortNumber(1);
    port.open();
    frmOption options(env.folders, env.texts, dialogs, env.clock, port);
    options.Load();
    options.mshStatus.setRows(kTerminals + 1);
    for (int i = 1; i <= 20; ++i)
        options.mshStaff.setText(i, 1, QStringLiteral("S%1").arg(i - 1));

    Grid mshVimo{2, kRecordGridColumns};
    const int rowsBefore = mshVimo.rows();
    LinkState link;
    link.ServedTerminal = data[0] == kNoTerminal ? -1 : data[0];
    link.RecordsOutstanding = link.ServedTerminal < 0 ? 0 : 1;
    PacketSender sender(port);
    Label lblBus;
    Label lblActivity;
    RecordIntake intake(mshVimo, options, env.texts, sender, link, logFile, dialogs, env.clock, lblActivity);
    Receiver receiver(port, lblBus,
                      [&intake](int object, int code, std::optional<int> value, const RecordData &data,
                                int count) { intake.BehModData(object, code, value, data, count); });

    port.feed(inputBytes(data + 1, size - 1));
    while (port.bytesWaiting() > 0)
        receiver.ModtagData();

    // Stored and shown go together: one log line per new grid row. Whatever the terminal
    // sent, every line is whole: thirteen fields and one line end.
    QFile log(todayPath);
    qsizetype stored = 0;
    if (log.open(QIODevice::ReadOnly)) {
        const QByteArray text = log.readAll();
        require(text.endsWith("\r\n"), "the log file ends with a whole line");
        const QList<QByteArray> lines = text.chopped(2).split('\n');
        for (const QByteArray &line : lines) {
            require(line.endsWith('\r') || &line == &lines.back(), "every line ends with CR LF");
            const QByteArray body = line.endsWith('\r') ? line.chopped(1) : line;
            require(body.count('\t') == 12 && !body.contains('\r'), "a log line holds thirteen fields");
        }
        stored = lines.size() - 1;
    }
    require(stored == mshVimo.rows() - rowsBefore, "every stored record is shown, and only those");
    require(dialogs.messages.empty(), "no message box on a healthy disk");
    return 0;
}
