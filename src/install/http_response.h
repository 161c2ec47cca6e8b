#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reading one HTTP response: status line and header up to the blank line,
// then the body by its length, in chunks, or until the server closes. No
// I/O of its own: bytes come from a ByteSource and go to a ByteSink.

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to max bytes, waiting at most the given time: the count, 0 when the
  // peer has closed, or a negative value when nothing came in time or the
  // connection broke.
  virtual int Receive(char* buffer, int max, int waitMilliseconds) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Called once, when the status says a body follows; false when the body
  // has nowhere to go.
  virtual bool Begin() = 0;
  virtual bool Write(const char* data, size_t size) = 0;
};

enum class ResponseOutcome {
  Done,      // 200 and the whole body went to the sink
  Redirect,  // 301, 302, 303, 307 or 308 to an http:// location
  Failed,    // anything else: another status, a bad header, a cut body
};

struct ResponseResult {
  ResponseOutcome Outcome = ResponseOutcome::Failed;
  std::string Location;  // for a redirect
};

struct ResponseLimits {
  int ReadWaitMilliseconds = 10000;      // the longest silence of the server
  size_t MaxHeaderBytes = 64 * 1024;     // status line and header together
  int64_t MaxUntilCloseBytes = 1000000000;  // a body without length or chunks
};

// The size of the one buffer every body passes through. Under Wine each
// receive costs a round trip to the server, so the read size decides the
// speed: 256 MiB took 0.61 s with 64 KiB reads, 0.33 s with 256 KiB and
// 0.18 s with 512 KiB (scripts/bench download), while memory stays the same.
constexpr size_t ResponseBufferBytes = 512 * 1024;

ResponseResult ReadHttpResponse(ByteSource& source, ByteSink& sink,
                                const ResponseLimits& limits = ResponseLimits());
