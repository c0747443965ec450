#pragma once

#include "TerminalRecord.h"

#include <QString>

#include <variant>
#include <vector>

// Records read from a text file, one record a line:
//   [ADDRESS:] 30 bytes as hex pairs, blanks between pairs optional
// ADDRESS (1..terminals) gives the record to that terminal; lines without it are dealt out in
// turn to terminals 1, 2, ... Blank lines and lines starting with '#' are skipped. A terminal
// sends its records in file order; bytes 0 and 1 are replaced by the count it still holds.
namespace RecordFile {

using PerTerminal = std::vector<std::vector<TerminalRecord>>;

// The records per terminal (element i = terminal i + 1), or what is wrong, with its line number.
std::variant<PerTerminal, QString> parse(const QString &text, int terminals);
std::variant<PerTerminal, QString> read(const QString &path, int terminals);

} // namespace RecordFile
