#include "install/http_response.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  const size_t length = std::strlen(prefix);
  if (text.size() < length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  }
  return true;
}

bool ContainsIgnoringCase(const std::string& text, const char* word) {
  std::string lower = text;
  for (char& c : lower) c = LowerAscii(c);
  return lower.find(word) != std::string::npos;
}

std::string TrimBlanks(const std::string& text) {
  size_t start = 0;
  size_t end = text.size();
  while (start < end && (text[start] == ' ' || text[start] == '\t')) ++start;
  while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(start, end - start);
}

// Unread bytes of the connection in one fixed buffer: [begin, end).
class Input {
 public:
  Input(ByteSource& source, int waitMilliseconds)
      : source_(source), wait_(waitMilliseconds), buffer_(ResponseBufferBytes) {}

  const char* Data() const { return buffer_.data() + begin_; }
  size_t Available() const { return end_ - begin_; }
  void Consume(size_t count) { begin_ += count; }

  // Reads more behind what is buffered. The count read, 0 when the server
  // closed, negative when it stayed silent or the buffer is full.
  int More() {
    if (begin_ > 0) {
      std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    if (end_ == buffer_.size()) return -1;
    const int got = source_.Receive(buffer_.data() + end_, static_cast<int>(buffer_.size() - end_), wait_);
    if (got > 0) end_ += static_cast<size_t>(got);
    return got;
  }

  // Takes one line ended by LF (a CR before it is dropped); false when the
  // connection ends first or the line does not fit the buffer.
  bool Line(std::string& line) {
    for (;;) {
      const char* start = Data();
      const void* lf = std::memchr(start, '\n', Available());
      if (lf != nullptr) {
        size_t length = static_cast<const char*>(lf) - start;
        Consume(length + 1);
        if (length > 0 && start[length - 1] == '\r') --length;
        line.assign(start, length);
        return true;
      }
      if (More() <= 0) return false;
    }
  }

 private:
  ByteSource& source_;
  int wait_;
  std::vector<char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
};

struct Header {
  int Status = 0;
  bool Chunked = false;
  int64_t Length = -1;
  std::string Location;
};

// "HTTP/x.y 200 Reason": the three digits after the first blank.
int ParseStatus(const std::string& line) {
  if (!StartsWithIgnoringCase(line, "HTTP/")) return 0;
  const size_t blank = line.find(' ');
  if (blank == std::string::npos || line.size() < blank + 4) return 0;
  int status = 0;
  for (size_t i = blank + 1; i < blank + 4; ++i) {
    if (line[i] < '0' || line[i] > '9') return 0;
    status = status * 10 + (line[i] - '0');
  }
  if (line.size() > blank + 4 && line[blank + 4] != ' ') return 0;
  return status;
}

// A decimal count without sign; -1 when the text is anything else.
int64_t ParseLength(const std::string& text) {
  if (text.empty() || text.size() > 18) return -1;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool ReadHeader(Input& input, const ResponseLimits& limits, Header& header) {
  size_t used = 0;
  std::string line;
  bool first = true;
  for (;;) {
    if (!input.Line(line)) return false;
    used += line.size() + 2;
    if (used > limits.MaxHeaderBytes) return false;
    if (first) {
      header.Status = ParseStatus(line);
      if (header.Status == 0) return false;
      first = false;
      continue;
    }
    if (line.empty()) return true;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string name = TrimBlanks(line.substr(0, colon));
    const std::string value = TrimBlanks(line.substr(colon + 1));
    if (StartsWithIgnoringCase(name, "transfer-encoding") && name.size() == 17) {
      if (ContainsIgnoringCase(value, "chunked")) header.Chunked = true;
    } else if (StartsWithIgnoringCase(name, "content-length") && name.size() == 14) {
      const int64_t length = ParseLength(value);
      if (length < 0 || (header.Length >= 0 && header.Length != length)) return false;
      header.Length = length;
    } else if (StartsWithIgnoringCase(name, "location") && name.size() == 8) {
      header.Location = value;
    }
  }
}

bool Pass(Input& input, ByteSink& sink, size_t count) {
  if (!sink.Write(input.Data(), count)) return false;
  input.Consume(count);
  return true;
}

bool CopyLength(Input& input, ByteSink& sink, int64_t remaining) {
  while (remaining > 0) {
    if (input.Available() == 0 && input.More() <= 0) return false;
    const size_t take = static_cast<size_t>(std::min<int64_t>(remaining, input.Available()));
    if (!Pass(input, sink, take)) return false;
    remaining -= static_cast<int64_t>(take);
  }
  return true;
}

// The size at the start of a chunk's size line; -1 when there are no hex
// digits or the size is beyond any real body.
int64_t ParseChunkSize(const std::string& line) {
  size_t pos = 0;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  int64_t size = 0;
  size_t digits = 0;
  for (; pos < line.size(); ++pos) {
    const char c = LowerAscii(line[pos]);
    int value;
    if (c >= '0' && c <= '9') {
      value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      value = c - 'a' + 10;
    } else {
      break;
    }
    size = size * 16 + value;
    if (size > (int64_t{1} << 40)) return -1;
    ++digits;
  }
  return digits == 0 ? -1 : size;
}

bool CopyChunks(Input& input, ByteSink& sink) {
  std::string line;
  for (;;) {
    if (!input.Line(line)) return false;
    const int64_t size = ParseChunkSize(line);
    if (size < 0) return false;
    if (size == 0) return true;  // trailers after the last chunk are not read
    if (!CopyLength(input, sink, size)) return false;
    if (!input.Line(line) || !line.empty()) return false;
  }
}

bool CopyUntilClose(Input& input, ByteSink& sink, int64_t cap) {
  int64_t written = 0;
  for (;;) {
    written += static_cast<int64_t>(input.Available());
    if (written > cap) return false;
    if (!Pass(input, sink, input.Available())) return false;
    const int got = input.More();
    if (got == 0) return true;
    if (got < 0) return false;
  }
}

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

ResponseResult ReadHttpResponse(ByteSource& source, ByteSink& sink, const ResponseLimits& limits) {
  ResponseResult result;
  Input input(source, limits.ReadWaitMilliseconds);
  Header header;
  if (!ReadHeader(input, limits, header)) return result;

  if (IsRedirect(header.Status)) {
    if (StartsWithIgnoringCase(header.Location, "http://")) {
      result.Outcome = ResponseOutcome::Redirect;
      result.Location = header.Location;
    }
    return result;
  }
  if (header.Status != 200 || !sink.Begin()) return result;

  bool whole;
  if (header.Chunked) {
    whole = CopyChunks(input, sink);
  } else if (header.Length >= 0) {
    whole = CopyLength(input, sink, header.Length);
  } else {
    whole = CopyUntilClose(input, sink, limits.MaxUntilCloseBytes);
  }
  if (whole) result.Outcome = ResponseOutcome::Done;
  return result;
}
