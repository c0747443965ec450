#pragma once

#include <QString>

class ComboBox;
class Dialogs;
class TextTable;

// The language file ViMoText.txt: one column of texts per language.
namespace LanguageFile {

QString path(const QString &programFolder);

// Reads the column of `language` (or the "UK" column) into the text table.
void LoadLanguage(TextTable &texts, const QString &programFolder, const QString &language, Dialogs &dialogs);

// Adds "none" and the language names of the header to the list and selects the current one.
void LoadCmbLan(ComboBox &cmbLan, const QString &programFolder, const QString &currentLanguage,
                Dialogs &dialogs);

} // namespace LanguageFile
