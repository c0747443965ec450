#include "app/Program.h"

#include "link/TerminalStatusGrid.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "settings/LanguageFile.h"
#include "settings/SetupFile.h"

#include "Version.h"

Program::Program(const Services &services, const QString &workingDirectory, const QString &executableFolder)
    : m_services(services), m_workingDirectory(workingDirectory), m_executableFolder(executableFolder),
      // Chosen again as the first step of start-up; the log file needs the folder from the start.
      m_folders(ProgramFolders::choose(workingDirectory, executableFolder)),
      m_frmOption(m_folders, m_texts, services.dialogs, services.clock, services.port),
      m_sender(services.port), m_portHandling(m_frmOption, m_settings, services.devices, m_frmComProblem),
      m_logFile(m_folders.ProgramFolder), m_view(m_frmVimo.mshVimo, m_frmVimo.cmbSow, m_frmVimo.dtpStart,
                                                 m_frmVimo.dtpSlut, m_settings, m_texts, m_logFile),
      m_checks(m_frmVimo.mshVimo, m_frmVimo.lblSummary, m_view, m_settings, m_texts, services.clock),
      m_output(m_frmVimo.mshVimo, m_view, m_checks, m_texts, services.dialogs, services.printer,
               frmVimo::kProgramTitle),
      m_intake(m_frmVimo.mshVimo, m_settings, m_texts, m_sender, m_terminals, m_logFile, services.dialogs,
               services.clock),
      m_receiver(services.port, m_frmVimo.lblBus,
                 [this](int Object, int Code, std::optional<int> Data, const RecordData &MData, int DataCnt) {
                     m_intake.BehModData(Object, Code, Data, MData, DataCnt);
                     m_checks.checkNewRows();
                 }),
      m_scheduler(m_terminals, m_settings, m_sender, m_texts, m_frmVimo.lblActivity, m_frmVimo.lblTerminals,
                  services.clock, [this] { moveToNewDay(); })
{
    frmVimo &window = m_frmVimo;
    connect(&window.cmdOption, &Button::clicked, &m_frmOption, &Form::show);
    connect(&window.cmdUpdate, &Button::clicked, this, &Program::update);
    connect(&window.cmdExport, &Button::clicked, this, [this] { m_output.exportCsv(); });
    connect(&window.cmdPrint, &Button::clicked, this, [this] { m_output.print(); });
    connect(&window.cmdChart, &Button::clicked, this, [this] { m_frmChart.showSeries(m_output.series()); });
    window.cmdPrint.setEnabled(m_output.canPrint());
    connect(&window, &frmVimo::quitRequested, this, &Program::quit);
    connect(&window.timSekund, &Timer::ticked, this, [this] {
        if (m_started)
            m_scheduler.tick();
    });
    connect(&m_frmOption.timModtag, &Timer::ticked, this, [this] { m_receiver.ModtagData(); });
    connect(&m_terminals, &TerminalTable::changed, this,
            [this] { showTerminalStatus(m_terminals, m_frmOption.mshStatus); });
    connect(&m_frmOption, &frmOption::saved, this, [this](const Settings &saved) { m_settings = saved; });
}

Program::~Program() = default;

void Program::start()
{
    m_frmVimo.Load();
    m_folders = ProgramFolders::choose(m_workingDirectory, m_executableFolder);
    m_view.layoutGrid();

    m_frmFileProblem.show();
    m_frmFileProblem.txtFileProblem.setText(QString());
    m_frmFileProblem.appendLine(QStringLiteral("Current directory ") + m_folders.StartDirectory);
    m_frmFileProblem.appendLine(QStringLiteral("HerdFolio directory ") + m_folders.HerdFolioFolder);
    loadSettingsAndTexts();

    const QDateTime now = m_services.clock.now();
    m_frmVimo.dtpStart.setValue(now.addDays(-1));
    m_frmVimo.dtpSlut.setValue(now);
    const QString todayPath = m_view.loadStartupDays(now);
    m_frmFileProblem.appendLine(QStringLiteral("Last two days records loaded from") + todayPath);
    m_frmVimo.show();
    m_view.sortAndBuildSowList();
    m_checks.recheck();
    rememberLoaded();
    m_scheduler.start(now);
    m_frmFileProblem.hide();
    m_started = true;
}

// The setup file and the language file, into the settings in use, the texts and both windows.
void Program::loadSettingsAndTexts()
{
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
    m_frmVimo.setCaptions(m_texts);
    m_view.setHeaderTexts();

    m_frmOption.Load();
    m_frmFileProblem.appendLine(QStringLiteral("Option form loaded"));
    // In use before the options window lists the ports: it selects the port of these settings.
    m_settings = setup.settings;
    m_frmOption.LoadFrmOption(setup);
    m_frmFileProblem.appendLine(QStringLiteral("Setup parameters loaded"));
    // One row per terminal; an empty or non-numeric count means none.
    m_terminals.setTerminalCount(m_settings.terminalCount());
    m_frmOption.LoadCmbLan(m_CurrentLanguage);
    m_frmFileProblem.appendLine(QStringLiteral("Available languages loaded"));
    // Kept: the options window's title ends with the caption of the main window's Options
    // button, because the language files have no title text of its own for it.
    m_frmOption.setTitle(frmVimo::kProgramTitle + QStringLiteral(" ver. ") + QStringLiteral(PCVIMO_VERSION)
                         + QStringLiteral(": ") + m_texts.text(Txt::Options));
}

void Program::update()
{
    m_view.rangeLoad();
    m_checks.recheck();
    rememberLoaded();
    // An open chart follows the grid.
    if (m_frmChart.isVisible())
        m_frmChart.setSeries(m_output.series());
}

void Program::rememberLoaded()
{
    m_output.loaded(m_frmVimo.dtpStart.value(), m_frmVimo.dtpSlut.value(), m_frmVimo.cmbSow.currentText());
}

void Program::moveToNewDay()
{
    const QDateTime now = m_services.clock.now();
    m_frmVimo.dtpStart.setValue(now.addDays(-1));
    m_frmVimo.dtpSlut.setValue(now);
    update();
}

void Program::quit()
{
    if (m_services.port.isOpen())
        m_services.port.close();
    m_services.endProgram();
}
