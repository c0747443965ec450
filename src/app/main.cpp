#include "app/frmVimo.h"
#include "link/frmComProblem.h"
#include "platform/Clock.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtReportPrinter.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/TimerBinding.h"

#include <QApplication>
#include <QDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
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
    QtSerialPort port(programFolder);
    PortsFolderDeviceList devices(programFolder);
    const auto endProgram
        = [&app] { QMetaObject::invokeMethod(&app, &QApplication::quit, Qt::QueuedConnection); };
    // PCVIMO_PRINT_PDF=file prints to that PDF file, without the print dialog.
    QtReportPrinter printer(qEnvironmentVariable("PCVIMO_PRINT_PDF"));
    frmVimo vimo(Services{dialogs, clock, port, devices, endProgram, &printer}, QDir::currentPath(),
                 programFolder);

    FormWindow mainWindow(vimo);
    FormWindow optionWindow(vimo.options());
    FormWindow traceWindow(vimo.traceWindow());
    FormWindow portProblemWindow(vimo.comProblem());
    bindTimer(vimo.timSekund, &app);
    bindTimer(vimo.options().timModtag, &app);

    vimo.Load();
    return app.exec();
}
