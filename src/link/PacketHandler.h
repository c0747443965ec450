#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// Data bytes of the last decoded FC packet (a record is 30 of them).
using RecordData = std::array<std::uint8_t, 41>;

// Receives every packet the receiver accepts. Object: the sender's address; Code: the command;
// Data: the 14-bit value of an FA packet (nothing for an FC packet); MData: the data bytes the
// last FC packet left; DataCnt: its count.
using PacketHandler = std::function<void(int Object, int Code, std::optional<int> Data,
                                         const RecordData &MData, int DataCnt)>;
