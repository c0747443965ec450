#include "settings/frmOption.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/ProgramFolders.h"
#include "settings/SetupFile.h"

#include "Version.h"

namespace {
const QString kProgramTitle = QStringLiteral("PC Vimo 2");
constexpr int kStaffRows = Settings::kStaffNames;
constexpr int kMedicineRows = Settings::kMedicineNames;
constexpr int kInitialPorts = 20;
constexpr int kLongestName = 10;

// The port list as the window starts with it: "none", "COM1" .. "COM20".
QStringList initialPorts()
{
    QStringList ports{QStringLiteral("none")};
    for (int i = 1; i <= kInitialPorts; ++i)
        ports << QStringLiteral("COM") + QString::number(i);
    return ports;
}
} // namespace

frmOption::frmOption(const ProgramFolders &folders, const TextTable &texts, Dialogs &dialogs,
                     const Clock &clock, SerialPort &port)
    : Form(kProgramTitle, 9840, 7140), MSComm1(port), m_folders(folders), m_texts(texts), m_dialogs(dialogs),
      m_clock(clock)
{
    place(QStringLiteral("lblStaff"), {120, 120, 1500, 255}, &lblStaff);
    // The name grids are tall enough to show every row without scrolling.
    place(QStringLiteral("mshStaff"), {120, 420, 1530, 6540}, &mshStaff);
    place(QStringLiteral("lblMedicine"), {1800, 120, 1800, 255}, &lblMedicine);
    place(QStringLiteral("mshMedicine"), {1800, 420, 1830, 3540}, &mshMedicine);
    place(QStringLiteral("mshStatus"), {1800, 4080, 1830, 2880}, &mshStatus);
    const int labelLeft = 3840;
    const int fieldLeft = 6480;
    const int rowStep = 480;
    int top = 420;
    auto placeRow
        = [&](const QString &labelName, Label *label, const QString &fieldName, Form::ControlRef field) {
              place(labelName, {labelLeft, top + 30, 2520, 315}, label);
              place(fieldName, {fieldLeft, top, 3120, 330}, field);
              top += rowStep;
          };
    placeRow(QStringLiteral("lblLan"), &lblLan, QStringLiteral("cmbLan"), &cmbLan);
    placeRow(QStringLiteral("lblTemp"), &lblTemp, QStringLiteral("cmbTemp"), &cmbTemp);
    placeRow(QStringLiteral("lblIntv1"), &lblIntv1, QStringLiteral("txtIntv1"), &txtIntv1);
    placeRow(QStringLiteral("lblIntv2"), &lblIntv2, QStringLiteral("txtIntv2"), &txtIntv2);
    placeRow(QStringLiteral("lblDur1"), &lblDur1, QStringLiteral("txtDur1"), &txtDur1);
    placeRow(QStringLiteral("lblNoHand"), &lblNoHand, QStringLiteral("txtNoHand"), &txtNoHand);
    placeRow(QStringLiteral("lblActivity"), &lblActivity, QStringLiteral("cmbCom"), &cmbCom);
    place(QStringLiteral("cmdComP"), {fieldLeft, top, 3120, 420}, &cmdComP);
    place(QStringLiteral("lblVersion"), {labelLeft, top + 720, 5760, 255}, &lblVersion);
    place(QStringLiteral("cmdSetup"), {labelLeft, 6420, 2400, 540}, &cmdSetup);
    place(QStringLiteral("cmdGemLuk"), {fieldLeft, 6420, 3120, 540}, &cmdGemLuk);

    cmdSetup.setEnabled(false);
    connect(&cmdGemLuk, &Button::clicked, this, &frmOption::cmdGemLuk_Click);
    connect(&cmdComP, &Button::clicked, this, &frmOption::GetSerialPortNames);
    connect(&mshStaff, &Grid::cellActivated, this, [this] { editName(mshStaff, Txt::PersonColumn); });
    connect(&mshMedicine, &Grid::cellActivated, this,
            [this] { editName(mshMedicine, Txt::MedicationColumn); });
}

void frmOption::Load()
{
    lblStaff.setCaption(m_texts.text(Txt::StaffHeading));
    mshStaff.setCols(2);
    mshStaff.setWidth(1500);
    mshStaff.setColWidth(0, 400);
    mshStaff.setColWidth(1, 1100);
    mshStaff.setRows(kStaffRows + 1);
    for (int i = 1; i <= kStaffRows; ++i)
        mshStaff.setText(i, 0, QString::number(i));
    mshStaff.setText(0, 1, m_texts.text(Txt::StaffColumn));

    lblMedicine.setCaption(m_texts.text(Txt::MedicineHeading));
    mshMedicine.setCols(2);
    mshMedicine.setWidth(1800);
    mshMedicine.setColWidth(0, 400);
    mshMedicine.setColWidth(1, 1400);
    mshMedicine.setRows(kMedicineRows + 1);
    for (int i = 1; i <= kMedicineRows; ++i)
        mshMedicine.setText(i, 0, QString::number(i));
    mshMedicine.setText(0, 1, m_texts.text(Txt::MedicineColumn));

    mshStatus.setCols(3);
    mshStatus.setWidth(1800);
    for (int c = 0; c < mshStatus.cols(); ++c)
        mshStatus.setColWidth(c, 490);
    mshStatus.setText(0, 1, QStringLiteral("Pre."));
    mshStatus.setText(0, 2, QStringLiteral("Rec."));

    cmdComP.setCaption(m_texts.text(Txt::ListPorts));
    lblLan.setCaption(m_texts.text(Txt::Language));
    lblTemp.setCaption(m_texts.text(Txt::Temperature));
    cmbTemp.addItem(m_texts.text(Txt::TemperatureChoice0));
    cmbTemp.addItem(m_texts.text(Txt::TemperatureChoice1));
    cmbTemp.setCurrentIndex(0);
    lblIntv1.setCaption(m_texts.text(Txt::Interval1));
    lblIntv2.setCaption(m_texts.text(Txt::Interval2));
    lblDur1.setCaption(m_texts.text(Txt::Duration1));
    lblActivity.setCaption(m_texts.text(Txt::SerialPortHeading));
    lblNoHand.setCaption(m_texts.text(Txt::HandTerminals));
    cmdSetup.setCaption(m_texts.text(Txt::Setup));
    cmdGemLuk.setCaption(m_texts.text(Txt::SaveAndClose));
    lblVersion.setCaption(m_texts.text(Txt::VersionFacts)
                              .arg(QStringLiteral(PCVIMO_VERSION), QString::fromLatin1(qVersion()),
                                   QStringLiteral(QT_VERSION_STR)));

    cmbCom.addItems(initialPorts());
}

void frmOption::HentSprog(const SetupFile::Contents &setup, QString &Lan)
{
    if (setup.languageFound)
        Lan = setup.settings.language;
    if (setup.languageMissed())
        m_dialogs.messageBox(setup.path + QStringLiteral(" does not exist"), kProgramTitle);
}

void frmOption::LoadFrmOption(const SetupFile::Contents &setup)
{
    const Settings &settings = setup.settings;
    cmbTemp.setCurrentIndex(settings.temperature);
    txtIntv1.setText(settings.interval1);
    txtIntv2.setText(settings.interval2);
    txtDur1.setText(settings.duration1);
    txtNoHand.setText(settings.handTerminals);
    for (int k = 1; k <= kStaffRows; ++k)
        mshStaff.setText(k, 1, settings.staff[size_t(k) - 1]);
    for (int k = 1; k <= kMedicineRows; ++k)
        mshMedicine.setText(k, 1, settings.medicine[size_t(k) - 1]);
    if (!setup.whole()) {
        // Kept: a bad setup file is reported in the language file's words and title, because
        // that is the message farms and dealers know.
        m_dialogs.messageBox(
            QStringLiteral("Text File ") + setup.path
                + QStringLiteral(" doesn't exist or is bad. Get updated information from your dealer."),
            QStringLiteral("HM Set-up: Language Information File not found"));
        return;
    }
    GetSerialPortNames();
}

void frmOption::LoadCmbLan(const QString &CurrentLanguage)
{
    LanguageFile::LoadCmbLan(cmbLan, m_folders.ProgramFolder, CurrentLanguage, m_dialogs);
}

void frmOption::GetSerialPortNames()
{
    Q_EMIT portListWanted();
}

bool frmOption::userCloseRequest()
{
    hide();
    return false;
}

void frmOption::editName(Grid &grid, Txt prompt)
{
    const int row = grid.currentRow();
    const int col = grid.currentCol();
    QString answer = m_dialogs.inputBox(m_texts.text(prompt), kProgramTitle, grid.text(row, col));
    // Kept: a name is cut to 10 characters although 20 are broadcast, because the name columns
    // of the grids and farms' lists were made for ten.
    answer.truncate(kLongestName);
    grid.setText(row, col, answer);
}

Settings frmOption::edited() const
{
    Settings settings;
    settings.language = cmbLan.currentIndex() >= 0 ? cmbLan.currentText() : QStringLiteral("none");
    settings.comPort = -1;
    if (cmbCom.currentIndex() >= 0)
        settings.comPort = cmbCom.items() == initialPorts() ? cmbCom.currentIndex()
                                                            : cmbCom.itemData(cmbCom.currentIndex());
    settings.temperature = cmbTemp.currentIndex();
    settings.interval1 = txtIntv1.text();
    settings.interval2 = txtIntv2.text();
    settings.duration1 = txtDur1.text();
    settings.handTerminals = txtNoHand.text();
    for (int k = 1; k <= kStaffRows; ++k)
        settings.staff[size_t(k) - 1] = mshStaff.text(k, 1);
    for (int k = 1; k <= kMedicineRows; ++k)
        settings.medicine[size_t(k) - 1] = mshMedicine.text(k, 1);
    return settings;
}

void frmOption::cmdGemLuk_Click()
{
    const Settings settings = edited();
    if (!SetupFile::write(m_folders.ProgramFolder, m_clock.now(), settings)) {
        m_dialogs.messageBox(QStringLiteral("Data was not stored correctly. Restart PC and try again"),
                             QStringLiteral("FILE PROBLEM"));
        return;
    }
    // Handed back only once it is on the disk: what the terminals are sent is what the next
    // start reads.
    Q_EMIT saved(settings);
    hide();
}
