#pragma once

// Comma-separated text as spreadsheets read it: UTF-8 with a byte-order mark, a header line,
// every cell quoted with its quotes doubled, lines ended by CR LF. A cell that a spreadsheet
// would take for a formula gets a leading apostrophe, so an exported name never runs.

#include "core/entities/Event.h"
#include "core/util/paDateUtils.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

using TCsvRow = std::vector<std::string>;

// One quoted cell of UTF-8 text.
std::string CsvCell(std::string_view text);
// The byte-order mark, the header and the rows.
std::string CsvText(const TCsvRow& header, const std::vector<TCsvRow>& rows);

// The eight columns of the event lists: their captions, and one event's cells as the lists show
// them with t as the moment the next arisings are counted from and today as the day "Until
// event" counts from. Texts are UTF-8.
inline constexpr int EventListColumns = 8;
std::array<std::string, EventListColumns> EventListCaptions();
std::array<std::string, EventListColumns> EventListCells(TEvent& event, TDateTime t,
                                                         TDateTime today);

} // namespace kelvo
