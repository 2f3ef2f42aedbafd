#include <dlfcn.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/LoopbackHttpServer.h"
#include "support/TempDirectory.h"
#include "toolkit/core/HttpClient.h"

namespace toolkit {
namespace {

using namespace std::chrono_literals;
using Connection = LoopbackHttpServer::Connection;
using Request = LoopbackHttpServer::Request;

constexpr const char* kMissingLine =
    "[Error] can't open 'libcurl' dynamic library needed by Mail and HTTP commands\n";

// Whether one of the usual library names loads with the transfer functions.
bool CurlInstalled() {
  for (const std::string& name : DefaultCurlLibraryNames()) {
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) continue;
    const bool complete = ::dlsym(handle, "curl_easy_init") && ::dlsym(handle, "curl_easy_perform");
    ::dlclose(handle);
    if (complete) return true;
  }
  return false;
}

// Runs a handler and counts the connections it has finished with: a handler
// that sends until the client goes only returns once the client has gone.
LoopbackHttpServer::Handler Counted(LoopbackHttpServer::Handler handler,
                                    std::atomic<int>& finished) {
  return [handler = std::move(handler), &finished](Connection& connection, const Request& request) {
    handler(connection, request);
    ++finished;
  };
}

bool AwaitCount(const std::atomic<int>& count, int expected) {
  for (int i = 0; i < 500 && count < expected; ++i) std::this_thread::sleep_for(20ms);
  return count >= expected;
}

class HttpClientTransfer : public testing::Test {
 protected:
  void SetUp() override {
    if (!CurlInstalled()) GTEST_SKIP() << "no libcurl under any of the usual names on this machine";
  }

  static std::string Url(const LoopbackHttpServer& server, const std::string& path) {
    return "http://" + server.HostAndPort() + path;
  }

  HttpClient client_;
};

TEST_F(HttpClientTransfer, BodyComesBackByteForByteFromOnePlainGet) {
  std::string body = "[Version]\r\nProgramVersion=0.26.0\r\n\xE2\x86\x92 caf\xC3\xA9\n";
  body += std::string("\0\x01\xFF", 3);
  LoopbackHttpServer server(LoopbackHttpServer::Serve(200, body));
  EXPECT_EQ(client_.Get(Url(server, "/Linux/OX-Linux-API-Version.ini")), body);

  const std::vector<Request> requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/Linux/OX-Linux-API-Version.ini");
  for (const char* header :
       {"Authorization", "Cookie", "User-Agent", "Content-Length", "Transfer-Encoding", "Expect"}) {
    EXPECT_EQ(requests[0].head.find(header), std::string::npos) << header << " in\n"
                                                                << requests[0].head;
  }
}

TEST_F(HttpClientTransfer, StatusCodeIsNotExamined) {
  const std::string page = "<html><body>Not Found</body></html>\n";
  LoopbackHttpServer missing(LoopbackHttpServer::Serve(404, page));
  EXPECT_EQ(client_.Get(Url(missing, "/nothing")), page);

  LoopbackHttpServer empty(LoopbackHttpServer::Serve(200, ""));
  const std::optional<std::string> body = client_.Get(Url(empty, "/empty"));
  ASSERT_TRUE(body) << "an empty body is a body";
  EXPECT_EQ(*body, "");
}

TEST_F(HttpClientTransfer, BodyLimitIsExact) {
  HttpLimits limits;
  limits.maxBodyBytes = 1000;
  LoopbackHttpServer fits(LoopbackHttpServer::Serve(200, std::string(1000, 'a')));
  EXPECT_EQ(client_.Get(Url(fits, "/"), limits), std::string(1000, 'a'));
  LoopbackHttpServer over(LoopbackHttpServer::Serve(200, std::string(1001, 'a')));
  EXPECT_FALSE(client_.Get(Url(over, "/"), limits));
}

TEST_F(HttpClientTransfer, LongAndEndlessBodiesAreCutOff) {
  std::atomic<int> finished{0};
  LoopbackHttpServer large(Counted(
      LoopbackHttpServer::Serve(200, std::string(std::size_t{10} * 1024 * 1024, 'x')), finished));
  EXPECT_FALSE(client_.Get(Url(large, "/large")));

  LoopbackHttpServer endless(Counted(LoopbackHttpServer::EndlessBody(), finished));
  EXPECT_FALSE(client_.Get(Url(endless, "/endless")));
  // Both servers are still running, so their handlers can only have ended
  // because the client closed the connection.
  EXPECT_TRUE(AwaitCount(finished, 2)) << "the client did not go away";
}

TEST_F(HttpClientTransfer, SilentServerRunsIntoTheTimeout) {
  LoopbackHttpServer server(LoopbackHttpServer::NeverAnswer());
  HttpLimits limits;
  limits.totalMilliseconds = 1500;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client_.Get(Url(server, "/silent"), limits));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(HttpClientTransfer, RedirectsAreFollowedOverHttpOnly) {
  TempDirectory temp;
  const std::string secret = temp.Write("secret.txt", "local file content");
  LoopbackHttpServer server([&secret](Connection& connection, const Request& request) {
    if (request.target == "/start") {
      LoopbackHttpServer::RedirectTo("/final")(connection, request);
    } else if (request.target == "/final") {
      LoopbackHttpServer::Serve(200, "arrived")(connection, request);
    } else if (request.target == "/loop") {
      LoopbackHttpServer::RedirectTo("/loop")(connection, request);
    } else if (request.target == "/to-file") {
      LoopbackHttpServer::RedirectTo("file://" + secret)(connection, request);
    } else {
      LoopbackHttpServer::Serve(404, "unknown")(connection, request);
    }
  });

  EXPECT_EQ(client_.Get(Url(server, "/start")), "arrived");
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1].target, "/final");

  HttpLimits limits;
  limits.maxRedirects = 3;
  EXPECT_FALSE(client_.Get(Url(server, "/loop"), limits));
  // The first request and three redirects.
  EXPECT_EQ(server.Requests().size(), 2u + 4u);

  EXPECT_EQ(client_.Get(Url(server, "/to-file")), std::nullopt);
}

TEST_F(HttpClientTransfer, OtherAddressesAreRefused) {
  TempDirectory temp;
  const std::string secret = temp.Write("secret.txt", "local file content");
  HttpLimits limits;
  limits.connectMilliseconds = 1500;
  limits.totalMilliseconds = 1500;
  EXPECT_FALSE(client_.Get("file://" + secret, limits));
  EXPECT_FALSE(client_.Get("ftp://127.0.0.1/pub/file.txt", limits));

  LoopbackHttpServer server(LoopbackHttpServer::Serve(200, "answer"));
  // Up to the NUL the address would be a good one.
  EXPECT_FALSE(client_.Get(Url(server, "/") + std::string(1, '\0') + "ignored"));
  // Limits that would not bound the transfer.
  for (const auto& change : {+[](HttpLimits& l) { l.maxRedirects = -1; },
                             +[](HttpLimits& l) { l.totalMilliseconds = 0; },
                             +[](HttpLimits& l) { l.connectMilliseconds = 0; }}) {
    HttpLimits unbounded;
    change(unbounded);
    EXPECT_FALSE(client_.Get(Url(server, "/"), unbounded));
  }
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(client_.Get(Url(server, "/")), "answer") << "the client still works";
}

TEST_F(HttpClientTransfer, RefusedConnectionGivesNothing) {
  std::string url;
  {
    LoopbackHttpServer gone(LoopbackHttpServer::Serve(200, "answer"));
    url = Url(gone, "/");
  }
  EXPECT_FALSE(client_.Get(url));
}

TEST_F(HttpClientTransfer, FirstLoadableLibraryWins) {
  std::vector<std::string> names{"libcurl-not-here.so.9", "libc.so.6"};
  const std::vector<std::string> defaults = DefaultCurlLibraryNames();
  names.insert(names.end(), defaults.begin(), defaults.end());
  HttpClient client(names);
  LoopbackHttpServer server(LoopbackHttpServer::Serve(200, "answer"));
  testing::internal::CaptureStderr();
  EXPECT_EQ(client.Get(Url(server, "/")), "answer");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(HttpClient, MissingLibraryIsReportedOnce) {
  for (const char* name : {"libcurl-not-here.so.9", "libc.so.6"}) {
    HttpClient client({name});
    testing::internal::CaptureStderr();
    EXPECT_FALSE(client.Get("http://127.0.0.1:9/"));
    EXPECT_FALSE(client.Get("http://127.0.0.1:9/"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kMissingLine) << name;
  }
}

}  // namespace
}  // namespace toolkit
