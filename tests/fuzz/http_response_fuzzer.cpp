// Any response bytes, arriving in any pieces, read without crashing; a body
// counts as whole only when the response framed it so.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "install/http_response.h"

namespace {

// Hands out the response in the pieces the fuzzer chose, then closes or
// stays silent.
class FakeConnection : public ByteSource {
 public:
  FakeConnection(std::vector<std::string> pieces, bool closes)
      : pieces_(std::move(pieces)), closes_(closes) {}
  int Receive(char* buffer, int max, int) override {
    while (next_ < pieces_.size() && pieces_[next_].empty()) ++next_;
    if (next_ == pieces_.size()) return closes_ ? 0 : -1;
    std::string& piece = pieces_[next_];
    const size_t take = std::min(piece.size(), static_cast<size_t>(max));
    std::memcpy(buffer, piece.data(), take);
    piece.erase(0, take);
    return static_cast<int>(take);
  }

 private:
  std::vector<std::string> pieces_;
  bool closes_;
  size_t next_ = 0;
};

class MemorySink : public ByteSink {
 public:
  bool Begin() override {
    if (begun) __builtin_trap();
    begun = true;
    return true;
  }
  bool Write(const char* data, size_t size) override {
    if (!begun) __builtin_trap();
    body.append(data, size);
    return true;
  }
  bool begun = false;
  std::string body;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool closes = input.ConsumeBool();
  std::vector<std::string> pieces;
  while (input.remaining_bytes() > 0) {
    const size_t length = input.ConsumeIntegralInRange<size_t>(1, 300);
    pieces.push_back(input.ConsumeBytesAsString(length));
  }
  std::string all;
  for (const std::string& piece : pieces) all += piece;

  FakeConnection connection(pieces, closes);
  MemorySink sink;
  ResponseLimits limits;
  limits.MaxHeaderBytes = 4096;
  const ResponseResult result = ReadHttpResponse(connection, sink, limits);
  if (result.Outcome == ResponseOutcome::Done) {
    // A whole body is made of bytes that arrived, and no more of them.
    if (!sink.begun || sink.body.size() > all.size()) __builtin_trap();
  }
  if (result.Outcome == ResponseOutcome::Redirect) {
    // Only plain http locations are followed.
    const std::string scheme = result.Location.substr(0, 7);
    if (scheme.size() != 7 || (scheme[0] | 0x20) != 'h' || scheme.substr(4) != "://") __builtin_trap();
  }
  return 0;
}
