#include "app/frmVimo.h"

#include "link/TerminalStatusGrid.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ReportPrinter.h"
#include "platform/SerialPort.h"
#include "records/CsvExport.h"
#include "records/RecordReport.h"
#include "settings/LanguageFile.h"
#include "settings/SetupFile.h"

#include "Version.h"

#include <QDir>
#include <QStandardPaths>

namespace {
const QString kProgramTitle = QStringLiteral("PC Vimo 2");
const QString kVersion = QStringLiteral(PCVIMO_VERSION); // the titles say "1.00"
} // namespace

frmVimo::frmVimo(const Services &services, const QString &workingDirectory, const QString &executableFolder)
    : Form(kProgramTitle, 12405, 8400), m_services(services), m_workingDirectory(workingDirectory),
      m_executableFolder(executableFolder),
      // Chosen again as the first step of start-up; the log file needs the folder from the start.
      m_folders(ProgramFolders::choose(workingDirectory, executableFolder)),
      m_frmOption(m_folders, m_texts, services.dialogs, services.clock, services.port),
      m_sender(services.port), m_portHandling(m_frmOption, services.devices, m_frmComProblem),
      m_logFile(m_folders.ProgramFolder),
      m_view(mshVimo, cmbSow, dtpStart, dtpSlut, m_frmOption, m_texts, m_logFile),
      m_checks(mshVimo, lblSummary, m_view, m_frmOption, m_texts, services.clock),
      m_intake(mshVimo, m_frmOption, m_texts, m_sender, m_terminals, m_logFile, services.dialogs,
               services.clock),
      m_receiver(services.port, lblBus,
                 [this](int Object, int Code, std::optional<int> Data, const RecordData &MData, int DataCnt) {
                     m_intake.BehModData(Object, Code, Data, MData, DataCnt);
                     m_checks.checkNewRows();
                 }),
      m_scheduler(m_terminals, m_settings, m_sender, m_texts, lblActivity, lblTerminals, services.clock,
                  [this] { moveToNewDay(); })
{
    place(QStringLiteral("mshVimo"), {120, 120, 12135, 6255}, &mshVimo);
    place(QStringLiteral("lblSow"), {120, 6600, 2295, 255}, &lblSow);
    place(QStringLiteral("cmbSow"), {120, 6960, 2295, 315}, &cmbSow);
    place(QStringLiteral("lblStart"), {2640, 6600, 1695, 375}, &lblStart);
    place(QStringLiteral("dtpStart"), {2760, 6960, 1335, 325}, &dtpStart);
    place(QStringLiteral("lblSlut"), {4560, 6600, 1575, 255}, &lblSlut);
    place(QStringLiteral("dtpSlut"), {4680, 6960, 1215, 325}, &dtpSlut);
    place(QStringLiteral("cmdUpdate"), {6240, 6840, 1215, 495}, &cmdUpdate);
    place(QStringLiteral("lblBus"), {6600, 6480, 615, 375}, &lblBus);
    place(QStringLiteral("lblActivity"), {8280, 6600, 2055, 735}, &lblActivity);
    place(QStringLiteral("cmdOption"), {10560, 6720, 1575, 615}, &cmdOption);
    // Below the controls of old, which keep their places.
    place(QStringLiteral("lblSummary"), {120, 7440, 13260, 255}, &lblSummary);
    place(QStringLiteral("cmdExport"), {120, 7800, 1575, 435}, &cmdExport);
    place(QStringLiteral("cmdPrint"), {1800, 7800, 1575, 435}, &cmdPrint);
    place(QStringLiteral("lblTerminals"), {3480, 7800, 9900, 435}, &lblTerminals);

    cmdUpdate.setEnabled(false);
    connect(&cmdOption, &Button::clicked, &m_frmOption, &Form::show);
    connect(&cmdUpdate, &Button::clicked, this, &frmVimo::cmdUpdate_Click);
    connect(&cmdExport, &Button::clicked, this, &frmVimo::cmdExport_Click);
    connect(&cmdPrint, &Button::clicked, this, &frmVimo::cmdPrint_Click);
    cmdPrint.setEnabled(services.printer != nullptr);
    auto enableUpdate = [this] { cmdUpdate.setEnabled(true); };
    connect(&cmbSow, &ComboBox::clicked, this, enableUpdate);
    connect(&dtpStart, &DatePicker::changedByUser, this, enableUpdate);
    connect(&dtpSlut, &DatePicker::changedByUser, this, enableUpdate);
    connect(&timSekund, &Timer::ticked, this, &frmVimo::timSekund_Timer);
    connect(&m_terminals, &TerminalTable::changed, this,
            [this] { showTerminalStatus(m_terminals, m_frmOption.mshStatus); });
    connect(&m_frmOption.timModtag, &Timer::ticked, this, [this] { m_receiver.ModtagData(); });
    connect(&m_frmOption, &frmOption::saved, this, [this](const Settings &saved) { m_settings = saved; });
    m_frmOption.setPortLister([this] { m_portHandling.GetSerialPortNames(); });
    services.port.setLineLostHandler([this](const PortError &error) { m_portHandling.lineLost(error); });
}

frmVimo::~frmVimo()
{
    // The port is the caller's and outlives this window.
    m_services.port.setLineLostHandler({});
}

void frmVimo::Load()
{
    setWidth(13500);
    m_folders = ProgramFolders::choose(m_workingDirectory, m_executableFolder);
    setTitle(kProgramTitle + QStringLiteral(" Version ") + kVersion);
    m_view.layoutGrid();

    m_frmFileProblem.show();
    m_frmFileProblem.txtFileProblem.setText(QString());
    m_frmFileProblem.appendLine(QStringLiteral("Current directory ") + m_folders.StartDirectory);
    m_frmFileProblem.appendLine(QStringLiteral("HerdFolio directory ") + m_folders.HerdFolioFolder);
    // A new installation starts from the program's default settings; a farm's own files, of
    // any date, are never joined by it.
    SetupFile::copyDefaultWhenNone(m_folders.ProgramFolder);
    const SetupFile::Contents setup
        = SetupFile::read(SetupFile::newest(m_folders.ProgramFolder, m_services.clock.now()));
    m_frmOption.HentSprog(setup, m_CurrentLanguage);
    m_frmFileProblem.appendLine(QStringLiteral("Language ") + m_CurrentLanguage);
    LanguageFile::LoadLanguage(m_texts, m_folders.ProgramFolder, m_CurrentLanguage, m_services.dialogs);
    // Kept: the trace lines keep their wording, with no blank before the value here and in the
    // records line below, because support staff compare them with the earlier program's.
    m_frmFileProblem.appendLine(QStringLiteral("Language() loaded") + m_CurrentLanguage);
    setCaptions();
    m_view.setHeaderTexts();

    m_frmOption.Load();
    m_frmFileProblem.appendLine(QStringLiteral("Option form loaded"));
    m_frmOption.LoadFrmOption(setup);
    m_settings = setup.settings;
    m_frmFileProblem.appendLine(QStringLiteral("Setup parameters loaded"));
    prepareStatusGrid();
    m_frmOption.LoadCmbLan(m_CurrentLanguage);
    m_frmFileProblem.appendLine(QStringLiteral("Available languages loaded"));
    // Kept: the options window's title ends with the caption of this window's Options button,
    // because the language files have no title text of its own for it.
    m_frmOption.setTitle(kProgramTitle + QStringLiteral(" ver. ") + kVersion + QStringLiteral(": ")
                         + m_texts.text(Txt::Options));

    const QDateTime now = m_services.clock.now();
    dtpStart.setValue(now.addDays(-1));
    dtpSlut.setValue(now);
    const QString todayPath = m_view.loadStartupDays(now);
    m_frmFileProblem.appendLine(QStringLiteral("Last two days records loaded from") + todayPath);
    show();
    m_view.sortAndBuildSowList();
    m_checks.recheck();
    rememberShown();
    m_scheduler.start(now);
    m_frmFileProblem.hide();
    m_started = true;
}

void frmVimo::prepareStatusGrid()
{
    // One row per terminal; an empty or non-numeric count means none.
    m_terminals.setTerminalCount(m_settings.terminalCount());
}

void frmVimo::setCaptions()
{
    lblSow.setCaption(m_texts.text(Txt::SowHeading));
    lblStart.setCaption(m_texts.text(Txt::StartHeading));
    lblSlut.setCaption(m_texts.text(Txt::EndHeading));
    lblBus.setCaption(m_texts.text(Txt::BusStart));
    lblActivity.setCaption(m_texts.text(Txt::ActivityStart));
    cmdOption.setCaption(m_texts.text(Txt::Options));
    cmdUpdate.setCaption(m_texts.text(Txt::Update));
    cmdExport.setCaption(m_texts.text(Txt::Export));
    cmdPrint.setCaption(m_texts.text(Txt::Print));
}

void frmVimo::cmdUpdate_Click()
{
    m_view.rangeLoad();
    m_checks.recheck();
    rememberShown();
}

// The pickers and the sow list may be changed again before the next Update: an export or a print
// names what the grid shows, not what is chosen.
void frmVimo::rememberShown()
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    m_shown = {dtpStart.value().date(), dtpSlut.value().date(),
               m_texts.text(Txt::StartHeading) + u' ' + dtpStart.value().toString(format) + u' '
                   + m_texts.text(Txt::EndHeading) + u' ' + dtpSlut.value().toString(format),
               m_texts.text(Txt::SowHeading) + QStringLiteral(": ") + cmbSow.currentText()};
}

Report frmVimo::shownRecords() const
{
    return RecordReport::make(mshVimo, m_checks.countedRows(), {kProgramTitle, m_shown.range, m_shown.sow},
                              lblSummary.caption(), m_texts.text(Txt::PageOfPages));
}

void frmVimo::cmdExport_Click()
{
    const QString title = m_texts.text(Txt::ExportTitle);
    const QString name = CsvExport::fileName(m_shown.from, m_shown.to);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path
        = m_services.dialogs.saveFileName(title, QDir(folder).filePath(name), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    if (!CsvExport::write(path, CsvExport::bytes(shownRecords(), CsvExport::separator())))
        m_services.dialogs.messageBox(m_texts.text(Txt::WriteFailed) + u' ' + path, title);
}

void frmVimo::cmdPrint_Click()
{
    if (m_services.printer && m_services.printer->print(shownRecords()) == PrintOutcome::Failed)
        m_services.dialogs.messageBox(m_texts.text(Txt::PrintFailed), kProgramTitle);
}

void frmVimo::timSekund_Timer()
{
    if (m_started)
        m_scheduler.tick();
}

void frmVimo::moveToNewDay()
{
    const QDateTime now = m_services.clock.now();
    dtpStart.setValue(now.addDays(-1));
    dtpSlut.setValue(now);
    cmdUpdate_Click();
}

bool frmVimo::userCloseRequest()
{
    if (m_services.port.isOpen())
        m_services.port.close();
    m_services.endProgram();
    return true;
}
