#include "platform/net.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

bool NetStart() { return true; }

void NetStop() {}

bool ResolveIPv4(const std::string& host, uint32_t& address) {
  in_addr dotted {};
  if (inet_pton(AF_INET, host.c_str(), &dotted) == 1) {
    address = dotted.s_addr;
    return true;
  }
  addrinfo hints {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  freeaddrinfo(found);
  return true;
}

bool TcpConnection::Connect(uint32_t address, uint16_t port) {
  Close();
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in peer {};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(port);
  peer.sin_addr.s_addr = address;
  if (connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
    close(fd);
    return false;
  }
  socket_ = fd;
  return true;
}

bool TcpConnection::SendAll(const char* data, size_t size, int waitMilliseconds) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  while (size > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (socket_ < 0 || left.count() <= 0) return false;
    pollfd ready {static_cast<int>(socket_), POLLOUT, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    const ssize_t sent = send(static_cast<int>(socket_), data, size, MSG_NOSIGNAL);
    if (sent > 0) {
      data += sent;
      size -= static_cast<size_t>(sent);
    } else if (errno != EINTR) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  return true;
}

int TcpConnection::Receive(char* buffer, int max, int waitMilliseconds) {
  if (socket_ < 0) return ReceiveFailed;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd ready {static_cast<int>(socket_), POLLIN, 0};
    const int polled = poll(&ready, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (polled == 0) return ReceiveTimedOut;
    if (polled < 0) {
      if (errno == EINTR) continue;
      return ReceiveFailed;
    }
    const ssize_t got = recv(static_cast<int>(socket_), buffer, static_cast<size_t>(max), 0);
    if (got > 0) return static_cast<int>(got);
    if (got == 0) return ReceiveClosed;
    if (errno != EINTR && errno != EAGAIN) return ReceiveFailed;
  }
}

void TcpConnection::Close() {
  if (socket_ >= 0) close(static_cast<int>(socket_));
  socket_ = -1;
}
