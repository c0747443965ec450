#include "settings/LanguageFile.h"

#include "platform/ComboBox.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "settings/FieldSplitter.h"
#include "settings/NumberText.h"
#include "settings/TextTable.h"

#include <optional>

namespace LanguageFile {

namespace {

const QString kMessageTitle = QStringLiteral("HM Set-up: Language Information File not found");
constexpr qsizetype kLongestHeader = 32767;

// The header's fields, split into as many columns as it has TABs plus one.
std::optional<QStringList> headerFields(QStringView header)
{
    if (header.size() > kLongestHeader)
        return std::nullopt;
    return FieldSplitter::split(header, int(header.count(u'\t')) + 1);
}

} // namespace

QString path(const QString &programFolder)
{
    return joinPath(programFolder, QStringLiteral("ViMoText.txt"));
}

void LoadLanguage(TextTable &texts, const QString &programFolder, const QString &language, Dialogs &dialogs)
{
    const QString file = path(programFolder);
    int lineNumber = 0;
    int columns = 0;
    int chosen = -1; // 0-based column
    int fallback = -1; // the last "UK" column
    bool failed = false;

    // The language file is the package's, outside the folders users share: a link to it is followed.
    const bool read = TextFile::forEachLine(
        file,
        [&](QStringView line) {
            if (failed)
                return;
            if (lineNumber == 0) {
                const auto fields = headerFields(line);
                if (!fields) {
                    failed = true;
                    return;
                }
                columns = int(fields->size());
                // Kept: only header fields 2 to 10 are searched, one fewer than the language list offers,
                // so a language in field 11 can be chosen but reads the "UK" texts, because the language
                // files in use were laid out against this bound.
                for (int c = 1; c < columns && c < 10; ++c) {
                    if (fields->at(c) == language) {
                        chosen = c;
                        break;
                    }
                    if (fields->at(c) == u"UK")
                        fallback = c;
                }
                if (chosen < 0)
                    chosen = fallback;
                lineNumber = 1;
                return;
            }
            ++lineNumber;
            const auto fields = FieldSplitter::split(line, columns);
            const auto index = fields ? NumberText::wholeNumber16(fields->at(0)) : std::nullopt;
            if (!index || *index < 0 || *index >= TextTable::kSize) {
                failed = true;
                return;
            }
            if (chosen > 0) // column 0 holds the numbers
                texts.set(*index, fields->at(chosen));
        },
        TextFile::FinalLink::Followed);

    if (!read || failed || lineNumber == 0) {
        dialogs.messageBox(QStringLiteral("Text File ") + file
                               + QStringLiteral(" doesn't exist or is bad (check line ")
                               + QString::number(read ? lineNumber : 0)
                               + QStringLiteral("). Get updated information from your dealer."),
                           kMessageTitle);
    }
}

void LoadCmbLan(ComboBox &cmbLan, const QString &programFolder, const QString &currentLanguage,
                Dialogs &dialogs)
{
    const QString file = path(programFolder);
    std::optional<QString> header;
    const bool read = TextFile::forEachLine(
        file,
        [&header](QStringView line) {
            if (!header)
                header = line.toString();
        },
        TextFile::FinalLink::Followed);
    const auto fields = read && header ? headerFields(*header) : std::nullopt;
    if (!fields) {
        dialogs.messageBox(
            QStringLiteral("Text File ") + file
                + QStringLiteral(" doesn't exist or is bad. Get updated information from your dealer."),
            kMessageTitle);
        return;
    }
    cmbLan.addItem(QStringLiteral("none"));
    // Kept: the "none" entry is never selected, not even when it is the current language, because
    // a save with nothing selected writes "none" again, so the choice survives all the same.
    for (int c = 1; c < fields->size() && c <= 10; ++c) {
        cmbLan.addItem(fields->at(c));
        if (fields->at(c) == currentLanguage)
            cmbLan.setCurrentIndex(c);
    }
}

} // namespace LanguageFile
