// A small HTTP server on 127.0.0.1 for tests: it listens on a free port (or
// the one asked for),
// answers each connection on its own thread through a handler, and records
// the requests it saw. Every response closes its connection.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class LoopbackHttpServer {
 public:
  struct Request {
    std::string method;  // "GET"
    std::string target;  // "/Linux/OX-Linux-API-Version.ini"
    std::string head;    // the whole request head, request line and headers
  };

  // One accepted connection, handed to the handler.
  class Connection {
   public:
    Connection(int socket, const std::atomic<bool>& stopping);
    // Writes all bytes; false once the client has gone or the server stops.
    bool Send(std::string_view bytes);
    // Waits until the server stops or the client closes the connection.
    void WaitForEnd();
    bool Stopping() const;

   private:
    int socket_;
    const std::atomic<bool>& stopping_;
  };

  using Handler = std::function<void(Connection&, const Request&)>;

  // Port 0 takes any free port. Throws std::runtime_error when it cannot listen.
  explicit LoopbackHttpServer(Handler handler, int port = 0);
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
  // Stops listening, wakes every handler still waiting and joins them.
  ~LoopbackHttpServer();

  int Port() const { return port_; }
  // "127.0.0.1:<port>"
  std::string HostAndPort() const;
  std::vector<Request> Requests() const;

  // Handlers for the usual answers.
  // A response with the status and the body, with its Content-Length.
  static Handler Serve(int status, std::string body);
  // "302 Found" with the Location header.
  static Handler RedirectTo(std::string location);
  // A 200 head without length, then body bytes until the client gives up.
  static Handler EndlessBody();
  // Accepts and reads the request, then never answers.
  static Handler NeverAnswer();

 private:
  void AcceptLoop();

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
  std::vector<std::thread> workers_;
  std::thread acceptor_;
};
