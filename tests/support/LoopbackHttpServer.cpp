// A small HTTP server on 127.0.0.1 for tests.
#include "support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

// How often a waiting thread looks at the stop flag.
constexpr int kPollMilliseconds = 50;
// A request head longer than this, or one that takes longer to arrive, is
// not answered.
constexpr std::size_t kMaxHeadBytes = std::size_t{64} * 1024;
constexpr auto kHeadTimeout = std::chrono::seconds(5);
// After its answer a connection waits this long for the client to close
// first, so that closing never resets a response the client has not read.
constexpr auto kLingerTimeout = std::chrono::seconds(2);

// Waits for the events on the socket; false after a poll timeout.
bool PollFor(int socket, short events, short& revents) {
  pollfd entry{.fd = socket, .events = events, .revents = 0};
  const int ready = ::poll(&entry, 1, kPollMilliseconds);
  revents = entry.revents;
  return ready > 0;
}

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

// Reads up to the blank line that ends the head; empty when the client goes,
// stays silent, sends too much or the server stops.
std::string ReadHead(int socket, const std::atomic<bool>& stopping) {
  std::string received;
  const auto deadline = std::chrono::steady_clock::now() + kHeadTimeout;
  char buffer[4096];
  while (!stopping && std::chrono::steady_clock::now() < deadline) {
    short revents = 0;
    if (!PollFor(socket, POLLIN, revents)) continue;
    const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return {};
    received.append(buffer, static_cast<std::size_t>(count));
    const std::size_t end = received.find("\r\n\r\n");
    if (end != std::string::npos) return received.substr(0, end + 4);
    if (received.size() > kMaxHeadBytes) return {};
  }
  return {};
}

LoopbackHttpServer::Request ParseRequest(std::string head) {
  LoopbackHttpServer::Request request;
  const std::string_view line = std::string_view(head).substr(0, head.find("\r\n"));
  const std::size_t methodEnd = line.find(' ');
  request.method = std::string(line.substr(0, methodEnd));
  if (methodEnd != std::string_view::npos) {
    const std::string_view rest = line.substr(methodEnd + 1);
    request.target = std::string(rest.substr(0, rest.find(' ')));
  }
  request.head = std::move(head);
  return request;
}

// Ends the sending side and waits a little for the client to close, then
// closes the socket.
void CloseGracefully(int socket, const std::atomic<bool>& stopping) {
  ::shutdown(socket, SHUT_WR);
  const auto deadline = std::chrono::steady_clock::now() + kLingerTimeout;
  char buffer[4096];
  while (!stopping && std::chrono::steady_clock::now() < deadline) {
    short revents = 0;
    if (!PollFor(socket, POLLIN, revents)) continue;
    const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
  }
  ::close(socket);
}

}  // namespace

LoopbackHttpServer::Connection::Connection(int socket, const std::atomic<bool>& stopping)
    : socket_(socket), stopping_(stopping) {}

bool LoopbackHttpServer::Connection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (stopping_) return false;
    short revents = 0;
    if (!PollFor(socket_, POLLOUT, revents)) continue;
    if ((revents & (POLLERR | POLLHUP)) != 0) return false;
    const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void LoopbackHttpServer::Connection::WaitForEnd() {
  char buffer[4096];
  while (!stopping_) {
    short revents = 0;
    if (!PollFor(socket_, POLLIN, revents)) continue;
    const ssize_t count = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (count < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    // End of stream or a reset: the client has gone. Anything else it sends
    // is not looked at.
    if (count <= 0) return;
  }
}

bool LoopbackHttpServer::Connection::Stopping() const {
  return stopping_;
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler, int port) : handler_(std::move(handler)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
  // A fixed port is taken again right after the previous test let it go.
  const int reuse = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  socklen_t length = sizeof address;
  if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, SOMAXCONN) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    const std::string reason = std::strerror(errno);
    ::close(listener_);
    throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + reason);
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stopping_ = true;
  // Shutting the listening socket down makes a blocked accept return.
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  ::close(listener_);
  // No worker is added once the acceptor has ended.
  std::vector<std::thread> workers;
  {
    const std::lock_guard lock(mutex_);
    workers.swap(workers_);
  }
  for (std::thread& worker : workers) worker.join();
}

std::string LoopbackHttpServer::HostAndPort() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

LoopbackHttpServer::Handler LoopbackHttpServer::Serve(int status, std::string body) {
  return [status, body = std::move(body)](Connection& connection, const Request&) {
    const std::string head = "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) +
                             "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    if (connection.Send(head)) connection.Send(body);
  };
}

LoopbackHttpServer::Handler LoopbackHttpServer::RedirectTo(std::string location) {
  return [location = std::move(location)](Connection& connection, const Request&) {
    connection.Send("HTTP/1.1 302 Found\r\nLocation: " + location +
                    "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  };
}

LoopbackHttpServer::Handler LoopbackHttpServer::EndlessBody() {
  return [](Connection& connection, const Request&) {
    // Without a length the body lasts until the connection closes.
    if (!connection.Send(
            "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n")) {
      return;
    }
    const std::string chunk(std::size_t{16} * 1024, 'x');
    while (connection.Send(chunk)) {
    }
  };
}

LoopbackHttpServer::Handler LoopbackHttpServer::NeverAnswer() {
  return [](Connection& connection, const Request&) { connection.WaitForEnd(); };
}

void LoopbackHttpServer::AcceptLoop() {
  while (!stopping_) {
    const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0) {
      if (stopping_) return;
      if (errno == EINTR || errno == ECONNABORTED) continue;
      // Out of descriptors or memory for a moment: try again shortly.
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
        continue;
      }
      return;
    }
    const std::lock_guard lock(mutex_);
    workers_.emplace_back([this, socket] {
      std::string head = ReadHead(socket, stopping_);
      if (!head.empty()) {
        Request request = ParseRequest(std::move(head));
        {
          const std::lock_guard requestsLock(mutex_);
          requests_.push_back(request);
        }
        Connection connection(socket, stopping_);
        handler_(connection, request);
      }
      CloseGracefully(socket, stopping_);
    });
  }
}
