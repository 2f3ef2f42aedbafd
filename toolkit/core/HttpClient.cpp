// One HTTP GET through libcurl, loaded at run time.
#include "toolkit/core/HttpClient.h"

#include <dlfcn.h>

#include <cstdio>
#include <utility>

namespace toolkit {
namespace {

// The few parts of libcurl's interface that are used. Its headers are not
// needed: the easy handle is an opaque pointer, results are plain enum
// values, and option numbers are a type base (0 for a long, 10000 for a
// pointer or string, 20000 for a function) plus the option's own index.
// Both have stayed the same across every release of the .so.3 and .so.4
// interfaces.
using EasyHandle = void;
using InitFunction = EasyHandle* (*)();
using SetoptFunction = int (*)(EasyHandle*, int, ...);
using PerformFunction = int (*)(EasyHandle*);
using CleanupFunction = void (*)(EasyHandle*);
using WriteFunction = std::size_t (*)(char*, std::size_t, std::size_t, void*);

constexpr int kCurlOk = 0;

constexpr int kOptionWriteData = 10'000 + 1;
constexpr int kOptionUrl = 10'000 + 2;
constexpr int kOptionWriteFunction = 20'000 + 11;
constexpr int kOptionFollowLocation = 52;
constexpr int kOptionMaxRedirects = 68;
constexpr int kOptionNoSignal = 99;
constexpr int kOptionTimeoutMilliseconds = 155;
constexpr int kOptionConnectTimeoutMilliseconds = 156;
// Allowed protocols as a bit set (deprecated in newer libraries, still accepted
// by most) and, since the bit set ran out of room, as a comma-separated list.
constexpr int kOptionProtocols = 181;
constexpr int kOptionRedirectProtocols = 182;
constexpr int kOptionProtocolsText = 10'000 + 318;
constexpr int kOptionRedirectProtocolsText = 10'000 + 319;
constexpr long kProtocolHttp = 1;

constexpr const char* kLibraryMissing =
    "[Error] can't open 'libcurl' dynamic library needed by Mail and HTTP commands\n";

// Where the write callback collects the body.
struct BodySink {
  std::string body;
  std::size_t maxBytes = 0;
};

// Returning anything but the number of bytes handed over makes libcurl end
// the transfer with a write error, which is how a too long body stops it.
std::size_t CollectBody(char* data, std::size_t size, std::size_t count, void* context) {
  auto* sink = static_cast<BodySink*>(context);
  if (size != 0 && count > sink->maxBytes / size) return 0;
  const std::size_t bytes = size * count;
  if (bytes > sink->maxBytes - sink->body.size()) return 0;
  try {
    sink->body.append(data, bytes);
  } catch (...) {
    // No exception may pass through libcurl's C frames.
    return 0;
  }
  return bytes;
}

}  // namespace

// The library stays loaded after the client is gone: libcurl initialises
// itself and its TLS library on first use and keeps that state in their own
// data for the rest of the process. Unloading would leave that memory without
// any reference (LeakSanitizer reports it as leaked) and would unload code
// that another client in the process may still be using; one library mapped
// for the process's lifetime costs nothing.
struct HttpClient::Library {
  InitFunction init = nullptr;
  SetoptFunction setopt = nullptr;
  PerformFunction perform = nullptr;
  CleanupFunction cleanup = nullptr;
};

std::vector<std::string> DefaultCurlLibraryNames() {
  return {"libcurl-gnutls.so.4", "libcurl-nss.so.4", "libcurl-gnutls.so.3", "libcurl-nss.so.3",
          "libcurl.so",          "libcurl.so.4",     "libcurl.so.3"};
}

HttpClient::HttpClient(std::vector<std::string> libraryNames)
    : libraryNames_(std::move(libraryNames)) {}

HttpClient::~HttpClient() = default;

bool HttpClient::Load() {
  if (tried_) return library_ != nullptr;
  tried_ = true;
  for (const std::string& name : libraryNames_) {
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) continue;
    auto library = std::make_unique<Library>();
    library->init = reinterpret_cast<InitFunction>(::dlsym(handle, "curl_easy_init"));
    library->setopt = reinterpret_cast<SetoptFunction>(::dlsym(handle, "curl_easy_setopt"));
    library->perform = reinterpret_cast<PerformFunction>(::dlsym(handle, "curl_easy_perform"));
    library->cleanup = reinterpret_cast<CleanupFunction>(::dlsym(handle, "curl_easy_cleanup"));
    if (library->init && library->setopt && library->perform && library->cleanup) {
      library_ = std::move(library);
      return true;
    }
    // Nothing of this library has run, so it can go again.
    ::dlclose(handle);
  }
  (void)std::fputs(kLibraryMissing, stderr);
  return false;
}

std::optional<std::string> HttpClient::Get(const std::string& url, const HttpLimits& limits) {
  if (!Load()) return std::nullopt;
  // libcurl takes a negative redirect count as "no limit" and a zero timeout
  // as "wait for ever"; neither is a bound.
  if (limits.maxRedirects < 0 || limits.connectMilliseconds <= 0 || limits.totalMilliseconds <= 0) {
    return std::nullopt;
  }
  // libcurl reads the address up to its first NUL; a longer string would
  // fetch another address than the one asked for.
  if (url.find('\0') != std::string::npos) return std::nullopt;

  const Library& curl = *library_;
  const std::unique_ptr<EasyHandle, CleanupFunction> easy(curl.init(), curl.cleanup);
  if (!easy) return std::nullopt;

  const auto set = [&](int option, auto value) {
    return curl.setopt(easy.get(), option, value) == kCurlOk;
  };
  // Only plain http, for the address and every redirect: never file: or any
  // other scheme a server might redirect to. A library that can restrict
  // neither way does not transfer at all.
  const bool httpOnly =
      (set(kOptionProtocols, kProtocolHttp) && set(kOptionRedirectProtocols, kProtocolHttp)) ||
      (set(kOptionProtocolsText, "http") && set(kOptionRedirectProtocolsText, "http"));
  if (!httpOnly) return std::nullopt;

  BodySink sink{.body = {}, .maxBytes = limits.maxBodyBytes};
  const WriteFunction collect = &CollectBody;
  // Timeouts through the signal-free path, so that no alarm signal reaches the
  // rest of the program or its other threads.
  const bool configured =
      set(kOptionNoSignal, 1L) && set(kOptionUrl, url.c_str()) && set(kOptionFollowLocation, 1L) &&
      set(kOptionMaxRedirects, limits.maxRedirects) &&
      set(kOptionConnectTimeoutMilliseconds, limits.connectMilliseconds) &&
      set(kOptionTimeoutMilliseconds, limits.totalMilliseconds) &&
      set(kOptionWriteFunction, collect) && set(kOptionWriteData, static_cast<void*>(&sink));
  if (!configured) return std::nullopt;

  if (curl.perform(easy.get()) != kCurlOk) return std::nullopt;
  return std::move(sink.body);
}

}  // namespace toolkit
