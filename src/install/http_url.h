#pragma once

#include <cstdint>
#include <string>

// The parts of an http URL that the built-in client uses.
struct HttpUrl {
  std::string Host;  // exactly as written in the URL
  uint16_t Port = 80;
  std::string Path;  // after the first "/" that follows "://", query included
};

// Splits "scheme://[user[:password]@]host[:port][/path]". False for a URL
// without "://", with an empty host or with a port that is not 1 to 65535.
bool SplitHttpUrl(const std::string& url, HttpUrl& parts);

// The request the client sends, byte for byte.
std::string BuildHttpRequest(const HttpUrl& parts);
