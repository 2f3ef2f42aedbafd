// The date stamp that the web page's head template receives.
#include "export/core/DateStamp.h"

#include <array>

namespace exports {
namespace {

// The number in decimal with leading zeros up to the width.
std::string ZeroPadded(int number, std::size_t width) {
  std::string digits = std::to_string(number);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

}  // namespace

std::string DateStamp(int year, int month, int day) {
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* word = month >= 1 && month <= 12 ? kMonths[static_cast<std::size_t>(month - 1)] : "";
  return ZeroPadded(day, 2) + ". " + word + ". " + ZeroPadded(year, 4);
}

std::string DateStampOf(std::time_t moment) {
  std::tm local{};
  if (!::localtime_r(&moment, &local)) return {};  // a moment the calendar cannot hold
  return DateStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace exports
