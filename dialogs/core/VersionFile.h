// The update server's version file and the three result texts of the update
// check: which program version and which library release are the newest.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialogs {

// The version file's path on the update server.
inline constexpr const char* kVersionFilePath = "/Linux/OX-Linux-API-Version.ini";

struct ServerVersions {
  std::string programVersion;  // value of line 4
  std::string libraryDate;     // value of line 5
};

// Lines are separated by line feeds; a carriage return stays in the value.
// A value is the text between the first "=" of its line and the next "=" or
// the line's end. Nothing for an empty text, fewer than five lines, no "="
// in line 4 or 5, or an empty value.
std::optional<ServerVersions> ReadVersionFile(std::string_view text);

// True when any of the first three "."-separated parts of server is greater
// than the local part at the same place, each part compared on its own. A
// part is read as its leading sign and digits (a missing or non-numeric part
// counts as 0); a number too large for 64 bits counts as the largest one.
bool HasNewerPart(std::string_view local, std::string_view server);

// A date of the form year-month-day with four, two and two digits as one
// ordered number; -1 for a text that does not match or a day that the
// calendar does not have. Characters after the day are ignored unless the
// first of them is a digit, so that the carriage return of a CR LF line
// end does not hide a valid date.
std::int64_t LibraryDateValue(std::string_view date);

struct UpdateResults {
  std::string gtk2;     // " - "
  std::string gtk3;     // "yes:  0.25.37 → 0.26.0" or "no:  0.25.37"
  std::string library;  // "yes:  <local> → <server>" or "no:  <server>"
};

UpdateResults DescribeUpdates(std::string_view localVersion, std::string_view localLibraryDate,
                              const ServerVersions& server);

}  // namespace dialogs
