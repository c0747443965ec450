#include "app/Program.h"
#include "link/frmComProblem.h"
#include "platform/Clock.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtReportPrinter.h"
#include "platform/qt/QtSerialPort.h"
#ifdef Q_OS_WIN
#include "platform/win/WinSerialPort.h"

#include <QSessionManager>
#endif
#include "platform/qt/TimerBinding.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <memory>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Written to by the signal handler, read by the event loop (the only safe way out of a handler).
int g_endSignal[2] = {-1, -1};
void onEndSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_endSignal[0], &byte, 1);
}
} // namespace
#endif

// The only place where Qt's widgets, timers and serial port meet the program's windows.
int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // The log, setup and port files are shared by the users of the program folder's group
    // (its folders are setgid), so every file the program makes is group-writable.
    ::umask(::umask(0) & ~mode_t(S_IWGRP));
#endif
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    const QString programFolder = QCoreApplication::applicationDirPath();
    QtDialogs dialogs;
    SystemClock clock;
#ifdef Q_OS_WIN
    // Reads by polling; QSerialPort's reads wait on a completion port that Wine never posts to.
    WinSerialPort port;
#else
    QtSerialPort port(programFolder);
#endif
    PortsFolderDeviceList devices(programFolder);
    const auto endProgram
        = [&app] { QMetaObject::invokeMethod(&app, &QApplication::quit, Qt::QueuedConnection); };
    // PCVIMO_PRINT_PDF=file prints to that PDF file, without the print dialog.
    QtReportPrinter printer(qEnvironmentVariable("PCVIMO_PRINT_PDF"));
    Program program(Services{dialogs, clock, port, devices, endProgram, &printer}, QDir::currentPath(),
                    programFolder);

    FormWindow mainWindow(program.mainWindow());
    // Each user's main window comes back where and as large as it was left.
    QSettings userSettings(QSettings::UserScope, QStringLiteral("PC Vimo"), QStringLiteral("PC Vimo 2"));
    const QString placementKey = QStringLiteral("mainWindow/geometry");
    mainWindow.restorePlacement(userSettings, placementKey);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app,
                     [&] { mainWindow.savePlacement(userSettings, placementKey); });
    FormWindow optionWindow(program.options());
    FormWindow traceWindow(program.traceWindow());
    FormWindow portProblemWindow(program.comProblem());
    FormWindow chartWindow(program.chart());
    bindTimer(program.mainWindow().timSekund, &app);
    bindTimer(program.options().timModtag, &app);

#ifdef Q_OS_UNIX
    // Ended by the session (logout, shutdown, kill): quit as from the window, so the port is
    // closed and its lock file removed. A lock left by a user's killed program would keep the
    // other users of the farm PC off the port until the next boot.
    std::unique_ptr<QSocketNotifier> endNotifier;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_endSignal) == 0) {
        endNotifier = std::make_unique<QSocketNotifier>(g_endSignal[1], QSocketNotifier::Read);
        QObject::connect(endNotifier.get(), &QSocketNotifier::activated, &app, endProgram);
        struct sigaction action = {};
        action.sa_handler = onEndSignal;
        ::sigemptyset(&action.sa_mask);
        for (const int signal : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(signal, &action, nullptr);
    }
#endif

#ifdef Q_OS_WIN
    // Logging off or shutting down: the port is closed and the program ends as from the window.
    // Every record line is on the disk before it is acknowledged, so no file is left half written.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&program](QSessionManager &) { program.mainWindow().userCloseRequest(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&port] { port.close(); });
#endif

    program.start();
    return app.exec();
}
