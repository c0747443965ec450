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
#include "platform/qt/UnixSession.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

// The only place where Qt's widgets, timers and serial port meet the program's windows.
int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    UnixSession::makeFilesGroupWritable();
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
    UnixSession::watchEndSignals(app, endProgram); // quit as from the window
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
