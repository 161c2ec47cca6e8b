#include "scripted_http_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
#define CloseSocket closesocket
constexpr int SendFlags = 0;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
#define CloseSocket close
constexpr int SendFlags = MSG_NOSIGNAL;
#endif

#include <chrono>

namespace {

void StartSockets() {
#ifdef _WIN32
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
#endif
}

// True when the socket has something to read within the wait.
bool Readable(intptr_t socket, int milliseconds) {
  fd_set set;
  FD_ZERO(&set);
#ifdef _WIN32
  FD_SET(static_cast<SOCKET>(socket), &set);
#else
  FD_SET(static_cast<int>(socket), &set);
#endif
  timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
  return select(static_cast<int>(socket) + 1, &set, nullptr, nullptr, &wait) > 0;
}

intptr_t Listen(uint16_t& port) {
  StartSockets();
  const auto handle = static_cast<intptr_t>(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(handle, 8);
  SocketLength length = sizeof address;
  getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return handle;
}

}  // namespace

ScriptedHttpServer::ScriptedHttpServer() {
  listener_ = Listen(port_);
  thread_ = std::thread([this] { Serve(); });
}

ScriptedHttpServer::~ScriptedHttpServer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
  CloseSocket(listener_);
}

void ScriptedHttpServer::Add(Script script) {
  std::lock_guard<std::mutex> lock(mutex_);
  scripts_.push_back(std::move(script));
}

std::string ScriptedHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> ScriptedHttpServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

bool ScriptedHttpServer::Stopping() {
  std::lock_guard<std::mutex> lock(mutex_);
  return stop_;
}

void ScriptedHttpServer::Wait(int milliseconds) {
  std::unique_lock<std::mutex> lock(mutex_);
  wake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stop_; });
}

void ScriptedHttpServer::Serve() {
  size_t served = 0;
  while (!Stopping()) {
    if (!Readable(listener_, 50)) continue;
    const auto client = static_cast<intptr_t>(accept(listener_, nullptr, nullptr));
    if (client < 0) continue;

    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && Readable(client, 5000)) {
      const int got = static_cast<int>(recv(client, buffer, sizeof buffer, 0));
      if (got <= 0) break;
      request.append(buffer, static_cast<size_t>(got));
    }
    Script script{{{"HTTP/1.1 500 No script left\r\nContent-Length: 0\r\n\r\n"}}};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
      if (served < scripts_.size()) script = scripts_[served];
    }
    ++served;
    Answer(client, script);
    CloseSocket(client);
  }
}

void ScriptedHttpServer::Answer(intptr_t client, const Script& script) {
  for (const Piece& piece : script.Pieces) {
    size_t sent = 0;
    while (sent < piece.Bytes.size()) {
      const int put = static_cast<int>(
          send(client, piece.Bytes.data() + sent, static_cast<int>(piece.Bytes.size() - sent), SendFlags));
      if (put <= 0) return;
      sent += static_cast<size_t>(put);
    }
    if (piece.PauseMilliseconds > 0) Wait(piece.PauseMilliseconds);
  }
  if (script.SilentMilliseconds > 0) Wait(script.SilentMilliseconds);
}

uint16_t RefusingPort() {
  uint16_t port = 0;
  const intptr_t handle = Listen(port);
  CloseSocket(handle);
  return port;
}
