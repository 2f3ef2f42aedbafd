// The date stamp that the web page's head template receives: "06. Dec. 2026".
#pragma once

#include <ctime>
#include <string>

namespace exports {

// Day of the month as two digits, ". ", the month's English three-letter
// abbreviation, ". ", the year as at least four digits. A month outside
// 1 … 12 gives an empty abbreviation.
std::string DateStamp(int year, int month, int day);

// The stamp of a moment in the local time zone.
std::string DateStampOf(std::time_t moment);

}  // namespace exports
