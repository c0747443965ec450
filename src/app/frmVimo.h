#pragma once

#include "app/Services.h"
#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/Timer.h"
#include "settings/ProgramFolders.h"
#include "settings/TextTable.h"
#include "settings/frmFileProblem.h"
#include "settings/frmOption.h"

#include <memory>

class LogFile;
class PacketSender;
class PollScheduler;
class PortHandling;
class Receiver;
class RecordIntake;
class RecordView;
class frmComProblem;
struct LinkState;

// The main window: the record grid with its date range and sow filter, the link's status
// lines, and the start-up of the whole program.
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
    Timer timSekund{1000, true};

    // What the scheduler calls at the change of day, and the button's own click.
    void cmdUpdate_Click();

    frmOption &options() { return m_frmOption; }
    frmFileProblem &traceWindow() { return m_frmFileProblem; }
    frmComProblem &comProblem() { return *m_frmComProblem; }
    PollScheduler &scheduler() { return *m_scheduler; }
    RecordIntake &intake() { return *m_intake; }
    LinkState &link() { return *m_link; }
    const ProgramFolders &folders() const { return m_folders; }
    const QString &currentLanguage() const { return m_CurrentLanguage; }

Q_SIGNALS:
    // The main window was closed: the program ends.
    void programEnd();

private:
    void setCaptions();
    void buildLink();
    void prepareStatusGrid();
    void timSekund_Timer();
    void moveToNewDay();

    Services m_services;
    QString m_workingDirectory;
    QString m_executableFolder;
    ProgramFolders m_folders;
    TextTable m_texts;
    QString m_CurrentLanguage;
    frmFileProblem m_frmFileProblem;
    frmOption m_frmOption;
    std::unique_ptr<frmComProblem> m_frmComProblem;
    std::unique_ptr<LinkState> m_link;
    std::unique_ptr<PacketSender> m_sender;
    std::unique_ptr<PortHandling> m_portHandling;
    std::unique_ptr<LogFile> m_logFile;
    std::unique_ptr<RecordView> m_view;
    std::unique_ptr<RecordIntake> m_intake;
    std::unique_ptr<Receiver> m_receiver;
    std::unique_ptr<PollScheduler> m_scheduler;
    bool m_started = false;
};
