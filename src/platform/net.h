#pragma once

#include <cstdint>
#include <string>

// TCP over IPv4, the one network service of the tool.

// Starts the socket layer (Windows Sockets 1.1); true on success.
bool NetStart();
// Releases the socket layer once for every successful NetStart.
void NetStop();

// The IPv4 address of a host: a dotted address is taken as it stands, a name
// is resolved to the first IPv4 address of the answer. Network byte order.
bool ResolveIPv4(const std::string& host, uint32_t& address);

// What a receive can end with besides data.
constexpr int ReceiveClosed = 0;     // the peer closed the connection
constexpr int ReceiveTimedOut = -1;  // nothing arrived within the wait
constexpr int ReceiveFailed = -2;    // the connection broke

class TcpConnection {
 public:
  TcpConnection() = default;
  ~TcpConnection() { Close(); }
  TcpConnection(const TcpConnection&) = delete;
  TcpConnection& operator=(const TcpConnection&) = delete;

  // A blocking connect, bounded only by the system's own connect timeout.
  bool Connect(uint32_t address, uint16_t port);
  // Sends all bytes within the wait, retrying failed sends after 50 ms.
  bool SendAll(const char* data, size_t size, int waitMilliseconds);
  // Waits at most the given time for data and takes what is there, up to max
  // bytes: the count, or ReceiveClosed, ReceiveTimedOut or ReceiveFailed.
  int Receive(char* buffer, int max, int waitMilliseconds);
  void Close();

 private:
  intptr_t socket_ = -1;
};
