// File URIs and URI lists, as exchanged by drag and drop.
#include "toolkit/core/UriList.h"

#include <optional>

namespace toolkit {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A NUL cannot stand in a path handed on as a C string; a line end would
// split it where the dropped files travel as lines of text. Neither may
// appear, raw or percent-encoded.
bool MayStandInPath(char byte) {
  return byte != '\0' && byte != '\n' && byte != '\r';
}

std::optional<std::string> PercentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char byte = text[i];
    if (byte == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      byte = static_cast<char>(high * 16 + low);
      i += 2;
    }
    if (!MayStandInPath(byte)) return std::nullopt;
    decoded += byte;
  }
  return decoded;
}

// Compares the start of text with a lower-case ASCII prefix, ignoring case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool EqualsNoCase(std::string_view text, std::string_view lowerCase) {
  return text.size() == lowerCase.size() && StartsWithNoCase(text, lowerCase);
}

std::optional<std::string> LocalPathFromUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (!StartsWithNoCase(uri, kScheme)) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  const std::size_t slash = uri.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = uri.substr(0, slash);
  if (!host.empty() && !EqualsNoCase(host, "localhost")) return std::nullopt;
  std::string_view path = uri.substr(slash);
  // A query or fragment is not part of a file path.
  path = path.substr(0, path.find_first_of("?#"));
  return PercentDecode(path);
}

}  // namespace

std::string FileUriFromPath(std::string_view absolutePath) {
  if (absolutePath.empty() || absolutePath.front() != '/') return {};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  uri.reserve(uri.size() + absolutePath.size());
  for (const char c : absolutePath) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte) || c == '/') {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0x0f];
    }
  }
  return uri;
}

std::vector<std::string> LocalPathsFromUriList(std::string_view uriList) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start <= uriList.size()) {
    std::size_t end = uriList.find('\n', start);
    if (end == std::string_view::npos) end = uriList.size();
    std::string_view line = uriList.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\0')) {
      line.remove_suffix(1);
    }
    if (!line.empty() && line.front() != '#') {
      if (std::optional<std::string> path = LocalPathFromUri(line)) {
        paths.push_back(std::move(*path));
      }
    }
    start = end + 1;
  }
  return paths;
}

}  // namespace toolkit
