#include "settings/SetupFile.h"

#include "platform/Codec1252.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "settings/FieldSplitter.h"
#include "settings/NumberText.h"

#include <QDir>

#include <vector>

namespace SetupFile {

namespace {
const QString kPrefix = QStringLiteral("FarSetup-");
const QString kSuffix = QStringLiteral(".txt");
const QString kTemplate = QStringLiteral("FarSetup-default.txt");

struct DatedName
{
    QDate day;
    QString name; // as found: where names are case-sensitive, "farsetup-....TXT" is not the written form
};

std::vector<DatedName> datedNames(const QString &programFolder)
{
    std::vector<DatedName> found;
    const QDir folder(joinPath(programFolder, QStringLiteral("Setup")));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        // The two cannot overlap: a name with both is long enough for them.
        if (!name.startsWith(kPrefix, Qt::CaseInsensitive) || !name.endsWith(kSuffix, Qt::CaseInsensitive))
            continue;
        const QString middle = name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
        const QDate day = QDate::fromString(middle, u"yyyy-MM-dd");
        if (day.isValid())
            found.push_back({day, name});
    }
    return found;
}

// The keys, each spelled here only, in the order a save writes them.
const QString kLanguage = QStringLiteral("Language");
const QString kComPort = QStringLiteral("COMPort");
const QString kTemperature = QStringLiteral("Temperature");
struct TextEntry
{
    QString key;
    QString Settings::*value;
};
const TextEntry kTexts[] = {
    {QStringLiteral("Interval 1"), &Settings::interval1},
    {QStringLiteral("Interval 2"), &Settings::interval2},
    {QStringLiteral("Duration 1"), &Settings::duration1},
    {QStringLiteral("No of Hand Terminals"), &Settings::handTerminals},
};
const QString kStaff = QStringLiteral("Staff ");
const QString kMedicine = QStringLiteral("Medicine ");

QString numberedKey(const QString &prefix, size_t index)
{
    return prefix + QString::number(index + 1);
}

// The name a "Staff k" or "Medicine k" key stands for, exactly as a save spells it: "Staff 01"
// and "staff 1" are other keys.
QString *namedEntry(const QString &key, const QString &prefix, auto &names)
{
    if (!key.startsWith(prefix))
        return nullptr;
    const QString number = key.mid(prefix.size());
    const int k = number.toInt(); // 0 when it is no number
    if (k < 1 || k > int(names.size()) || QString::number(k) != number)
        return nullptr;
    return &names[size_t(k) - 1];
}

// Takes one entry other than the language; false for a bad number. Unknown keys are passed over.
bool take(Settings &settings, const QString &key, const QString &value)
{
    if (key == kComPort || key == kTemperature) {
        const auto number = NumberText::wholeNumber16(value);
        if (!number)
            return false;
        if (key == kComPort) {
            settings.comPort = *number;
            return true;
        }
        if (*number < -1 || *number >= Settings::kTemperatureChoices)
            return false;
        settings.temperature = *number;
        return true;
    }
    for (const TextEntry &entry : kTexts)
        if (key == entry.key)
            settings.*entry.value = value;
    if (QString *name = namedEntry(key, kStaff, settings.staff))
        *name = value;
    if (QString *name = namedEntry(key, kMedicine, settings.medicine))
        *name = value;
    return true;
}

void takeIfNewer(DatedName &newest, const DatedName &candidate)
{
    if (candidate.day > newest.day) // a day not yet set is earlier than any
        newest = candidate;
}
} // namespace

QDate roundedDay(const QDateTime &now)
{
    // Kept: rounded to the nearest whole day, so a save from noon on is named after the following
    // day, because farms' Setup folders hold such names: a plain date would name an afternoon save
    // older than one the earlier program already named after tomorrow, and the next start would
    // read that older file.
    return now.time().hour() >= 12 ? now.date().addDays(1) : now.date();
}

QString path(const QString &programFolder, QDate day)
{
    return joinPath(programFolder,
                    QStringLiteral("Setup/") + kPrefix + day.toString(u"yyyy-MM-dd") + kSuffix);
}

QDate defaultDay()
{
    return QDate(1, 1, 1);
}

QString newest(const QString &programFolder, const QDateTime &now)
{
    // A file dated after the day a save now would be named after was saved under a wrong clock:
    // taken as the newest, it would hide every later save, so it is passed over while there is
    // another. When every file is dated later (the clock was reset), the newest of them holds
    // the last settings made. The default's copy is dated before any clock, so it would be
    // the only file "up to now" then and hide all of the farm's: it comes last of all.
    const QDate latestPossible = roundedDay(now);
    DatedName upToNow, later, theDefault;
    for (const DatedName &file : datedNames(programFolder)) {
        if (file.day == defaultDay())
            takeIfNewer(theDefault, file);
        else
            takeIfNewer(file.day <= latestPossible ? upToNow : later, file);
    }
    for (const DatedName *chosen : {&upToNow, &later, &theDefault})
        if (chosen->day.isValid())
            return joinPath(programFolder, QStringLiteral("Setup/") + chosen->name);
    return path(programFolder, latestPossible);
}

bool copyDefaultWhenNone(const QString &programFolder)
{
    if (!datedNames(programFolder).empty())
        return false;
    // The template belongs to the installed program and is replaced with it; only its copy in
    // Setup is the farm's, so an upgrade or a removal never touches a farm's settings. Like the
    // language file, it lives outside the shared folders.
    const auto bytes = TextFile::readAll(joinPath(programFolder, kTemplate), TextFile::FinalLink::Followed);
    return bytes
        && TextFile::replaceWhole(path(programFolder, defaultDay()), *bytes) == TextFile::Outcome::Done;
}

Contents read(const QString &path)
{
    Contents contents;
    contents.path = path;
    contents.opened = TextFile::forEachLine(path, [&contents](QStringView line) {
        if (contents.unreadableLine)
            return;
        const auto entry = FieldSplitter::keyValue(line);
        if (!entry) {
            contents.unreadableLine = true;
            return;
        }
        const auto &[key, value] = *entry;
        if (key == kLanguage) {
            // The first entry names the language; the look-up for it goes past a bad number.
            if (!contents.languageFound)
                contents.settings.language = value;
            contents.languageFound = true;
        } else if (!contents.badNumber) {
            contents.badNumber = !take(contents.settings, key, value);
        }
    });
    return contents;
}

QByteArray bytes(const Settings &settings)
{
    const auto line = [](const QString &key, const QString &value) {
        return Codec1252::encode(key + u'\t' + value + QStringLiteral("\r\n"));
    };
    QByteArray file = line(kLanguage, settings.language) + line(kComPort, QString::number(settings.comPort))
        + line(kTemperature, QString::number(settings.temperature));
    for (const TextEntry &entry : kTexts)
        file += line(entry.key, settings.*entry.value);
    for (size_t k = 0; k < settings.staff.size(); ++k)
        file += line(numberedKey(kStaff, k), settings.staff[k]);
    for (size_t k = 0; k < settings.medicine.size(); ++k)
        file += line(numberedKey(kMedicine, k), settings.medicine[k]);
    return file;
}

bool write(const QString &programFolder, const QDateTime &now, const Settings &settings)
{
    return TextFile::replaceWhole(path(programFolder, roundedDay(now)), bytes(settings))
        == TextFile::Outcome::Done;
}

} // namespace SetupFile
