#include "install/http_url.h"

bool SplitHttpUrl(const std::string& url, HttpUrl& parts) {
  const size_t scheme = url.find("://");
  if (scheme == std::string::npos) return false;
  const size_t rest = scheme + 3;
  const size_t slash = url.find('/', rest);
  // User name and password stand before an "@" of the authority; an "@" in
  // the path belongs to the path.
  const size_t authorityEnd = slash == std::string::npos ? url.size() : slash;
  const size_t at = url.find('@', rest);
  const size_t hostStart = at < authorityEnd ? at + 1 : rest;
  const size_t hostEnd = url.find_first_of(":/", hostStart);
  const std::string host =
      url.substr(hostStart, hostEnd == std::string::npos ? hostEnd : hostEnd - hostStart);
  if (host.empty()) return false;

  uint16_t port = 80;
  if (hostEnd != std::string::npos && url[hostEnd] == ':') {
    const size_t portEnd = url.find('/', hostEnd);
    const std::string digits =
        url.substr(hostEnd + 1, portEnd == std::string::npos ? portEnd : portEnd - hostEnd - 1);
    if (digits.empty() || digits.size() > 5) return false;
    uint32_t value = 0;
    for (const char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value == 0 || value > 65535) return false;
    port = static_cast<uint16_t>(value);
  }

  parts.Host = host;
  parts.Port = port;
  parts.Path = slash == std::string::npos ? std::string() : url.substr(slash + 1);
  return true;
}

std::string BuildHttpRequest(const HttpUrl& parts) {
  std::string request = "GET /" + parts.Path + " HTTP/1.1\r\nAccept: */*\r\nHost: " + parts.Host;
  if (parts.Port != 80) request += ":" + std::to_string(parts.Port);
  request += "\r\nConnection: close\r\n\r\n";
  return request;
}
