#include "fakes/OptionFixture.h"
#include "settings/LanguageFile.h"
#include "settings/SetupFile.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

static QStringList settingsOf(const Settings &v)
{
    QStringList s{u"I1=%1"_s.arg(v.interval1), u"I2=%1"_s.arg(v.interval2),
                  u"D1=%1"_s.arg(v.duration1), u"N=%1"_s.arg(v.handTerminals),
                  u"COM=%1"_s.arg(v.comPort),  u"Temp=%1"_s.arg(v.temperature)};
    for (size_t k = 0; k < v.staff.size(); ++k)
        s << u"S%1=%2"_s.arg(k + 1).arg(v.staff[k]);
    for (size_t k = 0; k < v.medicine.size(); ++k)
        s << u"M%1=%2"_s.arg(k + 1).arg(v.medicine[k]);
    return s;
}

// Reads a setup file (none when null) as start-up does. Out come the language and the settings
// that differ from the defaults, "ports" when the port list was rebuilt and "message" for each
// box shown. The window shows the settings read (but for the port, which it does not show).
static QString load(const QByteArray &file)
{
    OptionFixture f;
    QStringList ports;
    QObject::connect(f.options.get(), &frmOption::portListWanted, [&ports] { ports = {u"ports"_s}; });
    if (!file.isNull())
        f.folder.write(u"Setup/FarSetup-2024-03-01.txt"_s, file);
    const SetupFile::Contents setup = SetupFile::read(SetupFile::newest(f.folder.path(), f.clock.now()));
    QString language = u"-"_s;
    f.options->HentSprog(setup, language);
    f.options->LoadFrmOption(setup);
    Settings shown = f.options->edited();
    shown.comPort = setup.settings.comPort;
    EXPECT_EQ(settingsOf(shown), settingsOf(setup.settings));
    QStringList out{language};
    for (const QString &setting : settingsOf(setup.settings))
        if (!settingsOf(Settings{}).contains(setting))
            out << setting;
    return (out + ports + QStringList(qsizetype(f.dialogs.messages.size()), u"message"_s)).join(u' ');
}

TEST(SetupLoad, FileTextInSettingsOut)
{
    const std::pair<const char *, const char *> cases[] = {
        {"COMPort\t5\nLanguage\tDE\nLanguage\tUK\nTemperature\t1\nInterval 1\t02:00\nInterval 2\t00:30\n"
         "Duration 1\t01:15\nNo of Hand Terminals\t4",
         "DE I1=02:00 I2=00:30 D1=01:15 N=4 COM=5 Temp=1 ports"},
        {"Staff 1\tAnna\nStaff 3\t\"Bo Jensen\"\nStaff 20\tLast\nStaff 21\tX\nstaff 2\tX\nMedicine "
         "10\tOx\nX\t1\nStaff 01\tX\nMedicine 0\tX\nMedicine 11\tX\nMedicine 1\tIron",
         "- S1=Anna S3=Bo Jensen S20=Last M1=Iron M10=Ox ports"},
        {"Interval 1", "- I1=Interval 1 ports"}, // a line without TAB is its own value
        {"Staff 1\tAnna\t\"", "- S1=Anna ports"}, // a third field is not read
        {"Temperature\t-1", "- Temp=-1 ports"},
        {"COMPort\t 7.5 ", "- COM=8 ports"},
        {"COMPort\t-32768.5", "- COM=-32768 ports"},
        {"COMPort\t32767", "- COM=32767 ports"},
        {"Staff 1\tA\nStaff 2\t\"\nStaff 3\tB\nLanguage\tDK", "- S1=A message message"}, // a lone quote
        {nullptr, "- message message"},
        // The language is looked up past a bad number, not past an unreadable line.
        {"COMPort\tx\nLanguage\tDK\nStaff 1\tA", "DK message"},
        {"Language\tDK\nStaff 1\tA\nStaff 2\t\"", "DK S1=A message"},
    };
    for (const auto &[file, settings] : cases)
        EXPECT_EQ(load(file), QString::fromLatin1(settings)) << (file ? file : "(missing)");
    // A bad number stops the reading: what follows is not read, the ports are not listed.
    for (const char *bad : {"COMPort\tthree", "COMPort\t32767.5", "COMPort\t-32769", "COMPort\tnan",
                            "Temperature\t2", "Temperature\t-2", "Temperature\tx", "Temperature\t-1e19"})
        EXPECT_EQ(load(QByteArray("Staff 1\tA\n") + bad + "\nStaff 3\tB"), u"- S1=A message") << bad;
}

// Names in the Setup folder in, the file read out; the present day is 2024-03-07. A file dated
// later is passed over only while there is one up to the present day; the default's copy
// (0001-01-01) comes after every file of the farm's.
TEST(SetupFileSearch, NewestFileUpToTheRoundedPresentDay)
{
    const std::tuple<int, const char *, const char *> cases[] = {
        {12, "", "FarSetup-2024-03-08.txt"},
        {9,
         "FarSetup-2024-03-01.txt farsetup-2024-03-05.TXT FarSetup-x.txt Other-2024-03-06.txt "
         "FarSetup-2024-03-06.bak",
         "farsetup-2024-03-05.TXT"},
        {9, "FarSetup-2024-03-01.txt FarSetup-2024-03-07.txt FarSetup-2024-03-08.txt",
         "FarSetup-2024-03-07.txt"},
        {12, "FarSetup-2024-03-01.txt FarSetup-2024-03-08.txt", "FarSetup-2024-03-08.txt"},
        {9, "FarSetup-2024-04-01.txt FarSetup-2025-01-01.txt FarSetup-2024-05-01.txt",
         "FarSetup-2025-01-01.txt"}, // the clock was reset
        {9, "FarSetup-0001-01-01.txt FarSetup-2024-04-01.txt", "FarSetup-2024-04-01.txt"},
        {9, "FarSetup-2019-06-01.txt FarSetup-0001-01-01.txt", "FarSetup-2019-06-01.txt"},
        {9, "FarSetup-0001-01-01.txt", "FarSetup-0001-01-01.txt"},
    };
    for (const auto &[hour, names, chosen] : cases) {
        TempFolder folder;
        for (const QString &name : QString::fromLatin1(names).split(u' ', Qt::SkipEmptyParts))
            folder.write(u"Setup/"_s + name, {});
        const QDateTime now(QDate(2024, 3, 7), QTime(hour, 0));
        EXPECT_EQ(QFileInfo(SetupFile::newest(folder.path(), now)).fileName(), QString::fromLatin1(chosen))
            << names;
    }
}

// The Setup folder's names in, its names after start-up's copying out. The shipped template is
// copied only into a folder without a setup file, and reads without a message.
TEST(SetupDefault, CopiedOnlyWhereThereIsNoSetupFile)
{
    const std::tuple<bool, const char *, const char *> cases[] = {
        {true, "", "FarSetup-0001-01-01.txt"},
        {true, "FarSetup-x.txt", "FarSetup-0001-01-01.txt FarSetup-x.txt"},
        {true, "FarSetup-2019-06-01.txt", "FarSetup-2019-06-01.txt"}, // the farm's own, from the old PC
        {true, "farsetup-2030-01-01.TXT", "farsetup-2030-01-01.TXT"},
        {false, "", ""},
    };
    QFile shipped(QStringLiteral(PCVIMO_DATA_DIR "/FarSetup-default.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray defaults = shipped.readAll();
    for (const auto &[withTemplate, names, after] : cases) {
        OptionFixture f;
        if (withTemplate)
            f.folder.write(u"FarSetup-default.txt"_s, defaults);
        for (const QString &name : QString::fromLatin1(names).split(u' ', Qt::SkipEmptyParts))
            f.folder.write(u"Setup/"_s + name, "Staff 1\tOwn");
        SCOPED_TRACE(names);
        EXPECT_EQ(SetupFile::copyDefaultWhenNone(f.folder.path()), std::string_view(after) != names);
        EXPECT_EQ(QDir(f.folder.file(u"Setup"_s)).entryList(QDir::Files).join(u' '),
                  QString::fromLatin1(after));
    }
    // The template's copy reads without a message.
    OptionFixture f;
    f.folder.write(u"FarSetup-default.txt"_s, defaults);
    SetupFile::copyDefaultWhenNone(f.folder.path());
    EXPECT_EQ(load(f.folder.read(u"Setup/FarSetup-0001-01-01.txt"_s)),
              u"UK I1=02:00 I2=00:30 D1=01:00 N=3 COM=3 ports");
    // A Setup folder that is not there is not made here: saving reports it.
    QDir(f.folder.file(u"Setup"_s)).removeRecursively();
    EXPECT_FALSE(SetupFile::copyDefaultWhenNone(f.folder.path()));
}

TEST(SetupSave, EverySettingUnderTheRoundedDayReadsBackAndClosingSavesNothing)
{
    OptionFixture f;
    frmOption &o = *f.options;
    f.clock.moment = QDateTime(QDate(2024, 3, 7), QTime(15, 0));
    o.show();
    o.cmbLan.addItem(u"DK"_s);
    o.cmbLan.setCurrentIndex(0);
    o.cmbCom.setCurrentIndex(4); // the initial list saves the entry's position
    const QStringList &ports = o.cmbCom.items();
    EXPECT_EQ((ports.first(2) + ports.last(1)).join(u' ') + QString::number(ports.size()),
              u"none COM1 COM2021");
    o.txtIntv1.setText(u"02:00"_s);
    o.mshStaff.setText(2, 1, u"Søren"_s);
    o.mshMedicine.setText(10, 1, u"Ox"_s);
    // What the window hands back (a connection, not QSignalSpy: the Windows build has no Qt Test).
    std::vector<Settings> handedBack;
    QObject::connect(&o, &frmOption::saved, [&](const Settings &s) { handedBack.push_back(s); });
    o.cmdGemLuk.click();
    EXPECT_FALSE(o.isVisible());
    const QString saved = u"Setup/FarSetup-2024-03-08.txt"_s;
    EXPECT_EQ(f.folder.read(saved).count("\r\n"), 37);
    EXPECT_EQ(load(f.folder.read(saved)), u"DK I1=02:00 COM=4 S2=Søren M10=Ox ports"_s);
    EXPECT_TRUE(handedBack == std::vector{SetupFile::read(f.folder.file(saved)).settings})
        << "the settings handed back are the ones saved";
    // A port found later saves its number; the first entry, none, saves 0.
    o.cmbCom.addItem(u"USB Serial Port (COM7)"_s, 7);
    for (const auto &[entry, port] : {std::pair{21, "7"}, std::pair{0, "0"}, std::pair{-1, "-1"}}) {
        o.cmbCom.setCurrentIndex(entry);
        o.cmdGemLuk.click();
        EXPECT_TRUE(f.folder.read(saved).contains(QByteArray("COMPort\t") + port + "\r\n")) << entry;
    }
    // Closing the window hides it, keeping what was typed but not saving it.
    o.show();
    o.txtIntv1.setText(u"03:00"_s);
    EXPECT_FALSE(o.userCloseRequest() || o.isVisible());
    EXPECT_EQ(o.txtIntv1.text(), u"03:00");
    EXPECT_FALSE(f.folder.read(saved).contains("03:00"));
    EXPECT_EQ(handedBack.size(), 4u) << "closing hands nothing back";
}

// Every box the settings show, each once: a program folder without language or setup file and
// a save that fails (the window stays open).
TEST(SettingsMessages, EachFailureShowsItsBox)
{
    OptionFixture f;
    frmOption &o = *f.options;
    const SetupFile::Contents read = SetupFile::read(SetupFile::newest(f.folder.path(), f.clock.now()));
    QString language;
    o.HentSprog(read, language);
    o.LoadFrmOption(read);
    o.LoadCmbLan(u"UK"_s);
    LanguageFile::LoadLanguage(f.texts, f.folder.path(), u"UK"_s, f.dialogs);
    QDir(f.folder.file(u"Setup"_s)).removeRecursively();
    o.show();
    QObject::connect(&o, &frmOption::saved,
                     [] { ADD_FAILURE() << "settings not saved are not handed back"; });
    o.cmdGemLuk.click();
    EXPECT_TRUE(o.isVisible());

    const QString setup = f.folder.file(u"Setup/FarSetup-2024-03-07.txt"_s),
                  texts = f.folder.file(u"ViMoText.txt"_s);
    const QString bad = u"HM Set-up: Language Information File not found/Text File %1 doesn't exist or is "
                        u"bad%2. Get updated information from your dealer."_s;
    QStringList shown;
    for (const auto &message : f.dialogs.messages)
        shown << message.title + u'/' + message.text;
    EXPECT_EQ(shown,
              (QStringList{u"PC Vimo 2/"_s + setup + u" does not exist"_s, bad.arg(setup, QString()),
                           bad.arg(texts, QString()), bad.arg(texts, u" (check line 0)"_s),
                           u"FILE PROBLEM/Data was not stored correctly. Restart PC and try again"_s}));
}
