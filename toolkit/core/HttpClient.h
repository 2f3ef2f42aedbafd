// One HTTP GET through libcurl, loaded at run time under the first of a list
// of library names that loads; the program is never linked against it.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace toolkit {

// Bounds of one transfer, so that a slow, silent or endless server can
// neither hold the program for good nor fill its memory. Timeouts must be
// positive and the redirect count not negative: a transfer with limits out
// of range is not started.
struct HttpLimits {
  long maxRedirects = 5;
  long connectMilliseconds = 10'000;
  long totalMilliseconds = 30'000;
  std::size_t maxBodyBytes = 64 * 1024;  // a longer body counts as a failed transfer
};

// The library names tried in order: "libcurl-gnutls.so.4", "libcurl-nss.so.4",
// "libcurl-gnutls.so.3", "libcurl-nss.so.3", "libcurl.so", "libcurl.so.4",
// "libcurl.so.3".
std::vector<std::string> DefaultCurlLibraryNames();

class HttpClient {
 public:
  explicit HttpClient(std::vector<std::string> libraryNames = DefaultCurlLibraryNames());
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;
  ~HttpClient();

  // GET of an http:// address. Redirects are followed, over http only. The
  // status code is not examined: an error page's body comes back like any
  // other. Nothing when no library loads, the transfer fails or a limit is
  // passed. The first call that finds no library writes one line to
  // standard error; later calls stay silent. One client serves one thread at
  // a time.
  std::optional<std::string> Get(const std::string& url, const HttpLimits& limits = {});

 private:
  struct Library;
  bool Load();

  std::vector<std::string> libraryNames_;
  bool tried_ = false;
  std::unique_ptr<Library> library_;
};

}  // namespace toolkit
