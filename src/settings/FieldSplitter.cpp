#include "settings/FieldSplitter.h"

namespace FieldSplitter {

std::optional<QStringView> unquote(QStringView field)
{
    // Kept: a field that starts with a double quote loses its first and last character, whatever
    // the last one is ("Hi becomes H), because files saved with quoted fields read as they always have.
    if (!field.startsWith(u'"'))
        return field;
    if (field.size() < 2)
        return std::nullopt;
    return field.mid(1, field.size() - 2);
}

std::optional<QStringList> split(QStringView line, int columns)
{
    QStringList fields;
    QStringView rest = line;
    for (int c = 0; c < columns; ++c) {
        const qsizetype tab = rest.indexOf(u'\t');
        const auto field = unquote(tab >= 0 ? rest.left(tab) : rest);
        if (!field)
            return std::nullopt;
        fields.append(field->toString());
        // Kept: once the TABs run out every further field repeats the last one (a setup line
        // "Interval 1" without a TAB sets that text to "Interval 1"), because hand-edited files
        // read as they always have.
        if (tab >= 0)
            rest = rest.mid(tab + 1);
    }
    return fields;
}

std::optional<std::pair<QString, QString>> keyValue(QStringView line)
{
    const auto fields = split(line, 2);
    if (!fields)
        return std::nullopt;
    return std::pair{fields->at(0), fields->at(1)};
}

} // namespace FieldSplitter
