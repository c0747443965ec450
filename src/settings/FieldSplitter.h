#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>

// The tab-separated field rule of the language, setup and log files.
namespace FieldSplitter {

// A field starting with a double quote loses its first and last character. A lone double
// quote has no such pair of characters: that is a bad field (nothing).
std::optional<QStringView> unquote(QStringView field);

// Splits a line into `columns` fields: each is the text up to the next TAB; once no TAB is
// left, the whole remainder is the field of every further column. Fields are unquoted;
// nothing when a field is bad.
std::optional<QStringList> split(QStringView line, int columns);

// Key and value of a setup line: the text before the first TAB and the text after it up to
// the next TAB; a line without TAB gives itself twice.
std::optional<std::pair<QString, QString>> keyValue(QStringView line);

} // namespace FieldSplitter
