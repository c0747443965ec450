#include "app/frmVimo.h"

#include "platform/Clock.h"
#include "settings/LanguageFile.h"
#include "settings/NumberText.h"

namespace {
const QString kProgramTitle = QStringLiteral("PC Vimo 2");
const QString kVersion = QStringLiteral("1.00");
} // namespace

frmVimo::frmVimo(const Services &services, const QString &workingDirectory, const QString &executableFolder)
    : Form(kProgramTitle, 12405, 7530), m_services(services), m_workingDirectory(workingDirectory),
      m_executableFolder(executableFolder),
      m_frmOption(m_folders, m_texts, services.dialogs, services.clock, services.port)
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

    cmdUpdate.setEnabled(false);
    connect(&cmdOption, &Button::clicked, &m_frmOption, &Form::show);
    auto enableUpdate = [this] { cmdUpdate.setEnabled(true); };
    connect(&cmbSow, &ComboBox::clicked, this, enableUpdate);
    connect(&dtpStart, &DatePicker::changedByUser, this, enableUpdate);
    connect(&dtpSlut, &DatePicker::changedByUser, this, enableUpdate);
}

frmVimo::~frmVimo() = default;

void frmVimo::Load()
{
    setWidth(13500);
    m_folders = ProgramFolders::choose(m_workingDirectory, m_executableFolder);
    setTitle(kProgramTitle + QStringLiteral(" Version ") + kVersion);

    m_frmFileProblem.show();
    m_frmFileProblem.txtFileProblem.setText(QString());
    m_frmFileProblem.appendLine(QStringLiteral("Current directory ") + m_folders.StartDirectory);
    m_frmFileProblem.appendLine(QStringLiteral("HerdFolio directory ") + m_folders.HerdFolioFolder);
    m_frmOption.HentSprog(m_CurrentLanguage);
    m_frmFileProblem.appendLine(QStringLiteral("Language ") + m_CurrentLanguage);
    LanguageFile::LoadLanguage(m_texts, m_folders.ProgramFolder, m_CurrentLanguage, m_services.dialogs);
    m_frmFileProblem.appendLine(QStringLiteral("Language() loaded") + m_CurrentLanguage);
    setCaptions();

    m_frmOption.Load();
    m_frmFileProblem.appendLine(QStringLiteral("Option form loaded"));
    m_frmOption.LoadFrmOption();
    m_frmFileProblem.appendLine(QStringLiteral("Setup parameters loaded"));

    const auto terminals = NumberText::roundHalfEven(NumberText::leadingNumber(m_frmOption.txtNoHand.text()) + 1);
    m_frmOption.mshStatus.setRows(int(std::clamp<long long>(terminals, 1, 256)));
    for (int i = 1; i < m_frmOption.mshStatus.rows(); ++i)
        m_frmOption.mshStatus.setText(i, 0, QString::number(i));

    m_frmOption.LoadCmbLan(m_CurrentLanguage);
    m_frmFileProblem.appendLine(QStringLiteral("Available languages loaded"));
    m_frmOption.setTitle(kProgramTitle + QStringLiteral(" ver. ") + kVersion + QStringLiteral(": ")
                         + m_texts.text(Txt::Options));

    const QDateTime now = m_services.clock.now();
    dtpStart.setValue(now.addDays(-1));
    dtpSlut.setValue(now);
    show();
    m_frmFileProblem.hide();
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
}

bool frmVimo::userCloseRequest()
{
    return true;
}
