#pragma once

#include "protocol/LogField.h"
#include "protocol/RecordLayout.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// A farrowing record as a terminal sends it (30 data bytes) and the log field texts made
// from it.
namespace RecordFields {

using RecordLayout::kRecordBytes;
using RecordLayout::kSowLength;
using RecordLayout::RecordByte;

using RecordBytes = std::span<const std::uint8_t, kRecordBytes>;
using FieldTexts = std::array<QString, kLogFieldCount>;

// Only record types 1, 2 and 3 are farrowing records.
bool isAcceptedType(RecordBytes bytes);
// The count of records still held; nothing when it does not fit a 16-bit signed number.
std::optional<int> recordsLeft(RecordBytes bytes);

// The day the record was made on; invalid when its bytes are no date.
QDate recordDay(RecordBytes bytes);

FieldTexts fromRecord(RecordBytes bytes);
LogFieldViews views(const FieldTexts &texts);
// One whole log line: the fields joined by TAB, ended by CR LF, in the log's code page.
QByteArray logLine(const FieldTexts &texts);

} // namespace RecordFields
