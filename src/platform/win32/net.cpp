#include "platform/net.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <chrono>

bool NetStart() {
  WSADATA data;
  return WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

void NetStop() { WSACleanup(); }

bool ResolveIPv4(const std::string& host, uint32_t& address) {
  const unsigned long dotted = inet_addr(host.c_str());
  if (dotted != INADDR_NONE || host == "255.255.255.255") {
    // inet_addr also takes shortened forms such as "127.1"; only four dotted
    // numbers count as an address here, everything else is a name.
    int dots = 0;
    for (const char c : host) dots += c == '.';
    if (dots == 3) {
      address = dotted;
      return true;
    }
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

namespace {

SOCKET AsSocket(intptr_t handle) { return static_cast<SOCKET>(handle); }

// Waits until the socket can be read (or written) or the wait runs out.
int WaitFor(SOCKET socket, bool forWriting, long milliseconds) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(socket, &set);
  timeval wait {milliseconds / 1000, (milliseconds % 1000) * 1000};
  return select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &wait);
}

long MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<long>(left.count()) : 0;
}

}  // namespace

bool TcpConnection::Connect(uint32_t address, uint16_t port) {
  Close();
  const SOCKET handle = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (handle == INVALID_SOCKET) return false;
  sockaddr_in peer {};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(port);
  peer.sin_addr.s_addr = address;
  if (connect(handle, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
    closesocket(handle);
    return false;
  }
  // From here on reads and writes never block: a read takes what is there
  // and waits in select only when nothing is, which costs one call per read
  // instead of two while data streams in.
  u_long nonBlocking = 1;
  ioctlsocket(handle, FIONBIO, &nonBlocking);
  socket_ = static_cast<intptr_t>(handle);
  return true;
}

bool TcpConnection::SendAll(const char* data, size_t size, int waitMilliseconds) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  while (size > 0) {
    const long left = MillisecondsLeft(deadline);
    if (socket_ < 0 || left <= 0) return false;
    if (WaitFor(AsSocket(socket_), true, left) <= 0) continue;
    const int sent = send(AsSocket(socket_), data, static_cast<int>(size), 0);
    if (sent > 0) {
      data += sent;
      size -= static_cast<size_t>(sent);
    } else {
      Sleep(50);
    }
  }
  return true;
}

int TcpConnection::Receive(char* buffer, int max, int waitMilliseconds) {
  if (socket_ < 0) return ReceiveFailed;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  for (;;) {
    const int got = recv(AsSocket(socket_), buffer, max, 0);
    if (got > 0) return got;
    if (got == 0) return ReceiveClosed;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return ReceiveFailed;
    const int ready = WaitFor(AsSocket(socket_), false, MillisecondsLeft(deadline));
    if (ready == 0) return ReceiveTimedOut;
    if (ready < 0) return ReceiveFailed;
  }
}

void TcpConnection::Close() {
  if (socket_ >= 0) closesocket(AsSocket(socket_));
  socket_ = -1;
}
