#pragma once

#include "app/Services.h"
#include "link/PacketSender.h"
#include "link/PollScheduler.h"
#include "link/PortHandling.h"
#include "link/Receiver.h"
#include "link/TerminalTable.h"
#include "link/frmComProblem.h"
#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/Report.h"
#include "platform/Timer.h"
#include "records/LogFile.h"
#include "records/RecordChecks.h"
#include "records/RecordIntake.h"
#include "records/RecordView.h"
#include "settings/ProgramFolders.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"
#include "settings/frmFileProblem.h"
#include "settings/frmOption.h"

// The main window: the record grid with its date range and sow filter, the link's status
// lines, and the start-up of the whole program. It is also where the program is put together:
// its constructor builds every window and part from the services it is given (the real ones
// in main.cpp, fakes in tests), and Load runs the start-up sequence.
class frmVimo : public Form
{
    Q_OBJECT
public:
    frmVimo(const Services &services, const QString &workingDirectory, const QString &executableFolder);
    ~frmVimo() override;

    // The start-up sequence; runs once when the program starts.
    void Load();
    bool userCloseRequest() override;

    Grid mshVimo{2, 14};
    Label lblSow;
    ComboBox cmbSow;
    Label lblStart;
    DatePicker dtpStart;
    Label lblSlut;
    DatePicker dtpSlut;
    Button cmdUpdate;
    Label lblBus;
    Label lblActivity;
    Button cmdOption;
    Label lblSummary;
    Button cmdExport;
    Button cmdPrint;
    Label lblTerminals; // terminals passed over for what they send
    Timer timSekund{1000, true};

    // What the scheduler calls at the change of day, and the button's own click.
    void cmdUpdate_Click();
    // The shown records to a CSV file, and to the printer.
    void cmdExport_Click();
    void cmdPrint_Click();

    frmOption &options() { return m_frmOption; }
    frmFileProblem &traceWindow() { return m_frmFileProblem; }
    frmComProblem &comProblem() { return m_frmComProblem; }
    PollScheduler &scheduler() { return m_scheduler; }
    RecordIntake &intake() { return m_intake; }
    Receiver &receiver() { return m_receiver; }
    TerminalTable &terminals() { return m_terminals; }
    const ProgramFolders &folders() const { return m_folders; }
    const QString &currentLanguage() const { return m_CurrentLanguage; }

private:
    void setCaptions();
    void prepareStatusGrid();
    void timSekund_Timer();
    void moveToNewDay();
    Report shownRecords() const;
    void rememberShown();

    Services m_services;
    QString m_workingDirectory;
    QString m_executableFolder;
    ProgramFolders m_folders;
    TextTable m_texts;
    QString m_CurrentLanguage;
    Settings m_settings; // as read at start-up, then as last saved in the options window
    frmFileProblem m_frmFileProblem;
    frmOption m_frmOption;
    frmComProblem m_frmComProblem;
    TerminalTable m_terminals;
    PacketSender m_sender;
    PortHandling m_portHandling;
    LogFile m_logFile;
    RecordView m_view;
    RecordChecks m_checks;
    RecordIntake m_intake;
    Receiver m_receiver;
    PollScheduler m_scheduler;
    bool m_started = false;
    // What the grid was last loaded with: the range and sow filter, and their page-header lines.
    struct Shown
    {
        QDate from, to;
        QString range, sow;
    } m_shown;
};
