// The terminals' byte stream into the whole program as it is put together (the main window's
// parts over fake services): count answers fill the status grid, records go to today's log file
// and the record grid and are acknowledged on the (fake) line.
#include "FuzzSupport.h"
#include "app/Program.h"
#include "fakes/FakeDeviceList.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"

#include <QFile>

namespace {
constexpr int kTerminals = 8;
constexpr int kNoTerminal = 0xFF; // first byte that means "nobody is served"
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzEnvironment &env = fuzzEnvironment();
    static const bool filesWritten = [&env] {
        env.folder.write(QStringLiteral("ViMoText.txt"), QByteArrayLiteral("Index\tUK\r\n1\tT1\r\n"));
        QByteArray setup = "Language\tUK\r\nNo of Hand Terminals\t" + QByteArray::number(kTerminals) + "\r\n";
        for (int i = 1; i <= 20; ++i)
            setup += "Staff " + QByteArray::number(i) + "\tS" + QByteArray::number(i - 1) + "\r\n";
        env.folder.write(QStringLiteral("Setup/FarSetup-2024-03-01.txt"), setup);
        return true;
    }();
    Q_UNUSED(filesWritten);

    // The whole program, put together as it runs, over fakes; every input starts the day anew.
    FakeDialogs dialogs;
    FakeSerialPort port;
    FakeDeviceList devices;
    Program program(Services{dialogs, env.clock, port, devices, [] {}}, env.folder.path(), env.folder.path());
    const QString todayPath = LogFile(env.folder.path()).path(env.clock.now().date());
    QFile::remove(todayPath);
    program.start();
    dialogs.messages.clear();
    port.setPortNumber(1);
    port.open();
    TerminalTable &link = program.terminals();
    link.ServedTerminal = data[0] == kNoTerminal ? -1 : data[0];
    link.RecordsOutstanding = link.ServedTerminal < 0 ? 0 : 1;
    const Grid &mshVimo = program.mainWindow().mshVimo;
    const int rowsBefore = mshVimo.rows();
    port.feed(inputBytes(data + 1, size - 1));
    while (port.bytesWaiting() > 0)
        program.receiver().ModtagData();

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
