// The update server's version file and the three result texts of the update check.
#include "dialogs/core/VersionFile.h"

#include <array>
#include <limits>

namespace dialogs {
namespace {

// The value of one line: from after its first "=" up to the next "=" or the
// line's end. Nothing when the line has no "=".
std::optional<std::string_view> LineValue(std::string_view line) {
  const std::size_t start = line.find('=');
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view rest = line.substr(start + 1);
  return rest.substr(0, rest.find('='));
}

// The leading number of a part: an optional sign, then decimal digits up to
// the first other character. Runs of digits too long for the type stay at
// its largest (or smallest) value.
std::int64_t PartNumber(std::string_view part) {
  bool negative = false;
  if (!part.empty() && (part.front() == '+' || part.front() == '-')) {
    negative = part.front() == '-';
    part.remove_prefix(1);
  }
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (const char c : part) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (kMax - digit) / 10) {
      value = kMax;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

// The first three "."-separated parts as numbers; missing parts are 0.
std::array<std::int64_t, 3> VersionParts(std::string_view version) {
  std::array<std::int64_t, 3> parts{};
  for (std::int64_t& part : parts) {
    const std::size_t end = version.find('.');
    part = PartNumber(version.substr(0, end));
    if (end == std::string_view::npos) break;
    version.remove_prefix(end + 1);
  }
  return parts;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number of the digits date[start, start + count); -1 when one is no digit.
int Digits(std::string_view date, std::size_t start, std::size_t count) {
  int value = 0;
  for (std::size_t i = start; i < start + count; ++i) {
    if (!IsDigit(date[i])) return -1;
    value = value * 10 + (date[i] - '0');
  }
  return value;
}

int DaysInMonth(int year, int month) {
  constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

}  // namespace

std::optional<ServerVersions> ReadVersionFile(std::string_view text) {
  if (text.empty()) return std::nullopt;
  // Lines 4 and 5 hold the values; the lines before them are not read.
  std::array<std::string_view, 5> lines;
  std::size_t count = 0;
  std::size_t start = 0;
  while (count < lines.size() && start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t length = end == std::string_view::npos ? text.size() - start : end - start;
    lines[count++] = text.substr(start, length);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (count < lines.size()) return std::nullopt;

  const std::optional<std::string_view> program = LineValue(lines[3]);
  const std::optional<std::string_view> library = LineValue(lines[4]);
  if (!program || !library || program->empty() || library->empty()) return std::nullopt;
  return ServerVersions{.programVersion = std::string(*program),
                        .libraryDate = std::string(*library)};
}

bool HasNewerPart(std::string_view local, std::string_view server) {
  const std::array<std::int64_t, 3> localParts = VersionParts(local);
  const std::array<std::int64_t, 3> serverParts = VersionParts(server);
  for (std::size_t i = 0; i < localParts.size(); ++i) {
    if (serverParts[i] > localParts[i]) return true;
  }
  return false;
}

std::int64_t LibraryDateValue(std::string_view date) {
  // "yyyy-mm-dd", optionally followed by anything that is not a further
  // digit, such as the carriage return a version file with CR LF line ends
  // leaves at the end of the value.
  constexpr std::size_t kLength = 10;
  if (date.size() < kLength || date[4] != '-' || date[7] != '-') return -1;
  if (date.size() > kLength && IsDigit(date[kLength])) return -1;
  const int year = Digits(date, 0, 4);
  const int month = Digits(date, 5, 2);
  const int day = Digits(date, 8, 2);
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return -1;
  return std::int64_t{year} * 10'000 + std::int64_t{month} * 100 + day;
}

UpdateResults DescribeUpdates(std::string_view localVersion, std::string_view localLibraryDate,
                              const ServerVersions& server) {
  constexpr std::string_view kArrow = " \xE2\x86\x92 ";  // U+2192 RIGHTWARDS ARROW in UTF-8
  UpdateResults results;
  results.gtk2 = " - ";

  if (HasNewerPart(localVersion, server.programVersion)) {
    results.gtk3 =
        "yes:  " + std::string(localVersion) + std::string(kArrow) + server.programVersion;
  } else {
    results.gtk3 = "no:  " + std::string(localVersion);
  }

  if (LibraryDateValue(localLibraryDate) < LibraryDateValue(server.libraryDate)) {
    results.library =
        "yes:  " + std::string(localLibraryDate) + std::string(kArrow) + server.libraryDate;
  } else {
    results.library = "no:  " + server.libraryDate;
  }
  return results;
}

}  // namespace dialogs
