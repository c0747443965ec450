#pragma once

#include "app/Services.h"
#include "app/frmVimo.h"
#include "link/PacketSender.h"
#include "link/PollScheduler.h"
#include "link/PortHandling.h"
#include "link/Receiver.h"
#include "link/TerminalTable.h"
#include "link/frmComProblem.h"
#include "records/LogFile.h"
#include "records/RecordChecks.h"
#include "records/RecordIntake.h"
#include "records/RecordOutput.h"
#include "records/RecordView.h"
#include "records/frmChart.h"
#include "settings/ProgramFolders.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"
#include "settings/frmFileProblem.h"
#include "settings/frmOption.h"

// The whole program, put together from the services it is given (the real ones in main.cpp,
// fakes in tests and fuzzers): the settings in use, the windows, the terminals' line, the
// record store and view, and what connects them. `start` runs the start-up sequence.
//
// A record's way: the receive timer → Receiver (packets) → RecordIntake (stored in the day's
// log file, shown in the grid, acknowledged) → RecordChecks (flags, summary).
class Program : public QObject
{
    Q_OBJECT
public:
    Program(const Services &services, const QString &workingDirectory, const QString &executableFolder);
    ~Program() override;

    // The start-up sequence; runs once when the program starts.
    void start();
    // Reloads the grid with the chosen range and sow: the Update button, and the change of day.
    void update();

    frmVimo &mainWindow() { return m_frmVimo; }
    frmOption &options() { return m_frmOption; }
    frmFileProblem &traceWindow() { return m_frmFileProblem; }
    frmComProblem &comProblem() { return m_frmComProblem; }
    frmChart &chart() { return m_frmChart; }
    PollScheduler &scheduler() { return m_scheduler; }
    Receiver &receiver() { return m_receiver; }
    TerminalTable &terminals() { return m_terminals; }
    const QString &currentLanguage() const { return m_CurrentLanguage; }

private:
    void loadSettingsAndTexts();
    void moveToNewDay();
    void rememberLoaded();
    void quit();

    Services m_services;
    QString m_workingDirectory;
    QString m_executableFolder;
    ProgramFolders m_folders;
    TextTable m_texts;
    QString m_CurrentLanguage;
    Settings m_settings; // as read at start-up, then as last saved in the options window
    frmVimo m_frmVimo;
    frmFileProblem m_frmFileProblem;
    frmOption m_frmOption;
    frmComProblem m_frmComProblem;
    frmChart m_frmChart{m_texts};
    TerminalTable m_terminals;
    PacketSender m_sender;
    PortHandling m_portHandling;
    LogFile m_logFile;
    RecordView m_view;
    RecordChecks m_checks;
    RecordOutput m_output;
    RecordIntake m_intake;
    Receiver m_receiver;
    PollScheduler m_scheduler;
    bool m_started = false;
};
