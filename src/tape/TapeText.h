#pragma once
// The tape as text: numbers printed with their grouping, and the tape copied or saved as tab
// text, aligned text or CSV.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "tape/Tape.h"

namespace vexlo::tape {

// A display text as the tape prints it: "1234." and "1,234." -> "1,234", "-0.50" -> "-0.50"; a
// text that is no plain number ("2019年") stays as it is.
std::string groupedNumber(std::string_view display);

// The number a printed text stands for, as the display would take it: "1,234" -> "1234", "" for
// a text with no number.
std::string plainValue(std::string_view printed);

// Lines [first, first + count) as tab-separated rows, number then function: a spreadsheet
// pastes them as two columns.
std::string tabText(const std::deque<Line>& lines, std::size_t first, std::size_t count);

// The whole tape for a file: aligned text with its rules drawn, or CSV; both UTF-8 with a byte
// order mark and CR LF line ends, as spreadsheets on Japanese desktops expect.
enum class FileFormat { Text, Csv };
std::string fileText(const std::deque<Line>& lines, FileFormat format);

}  // namespace vexlo::tape
