#include "install/http_client.h"

#include "install/http_url.h"
#include "platform/files.h"
#include "platform/net.h"

namespace {

constexpr int SendWaitMilliseconds = 10000;
constexpr int MaxRedirects = 5;

class ConnectionSource : public ByteSource {
 public:
  explicit ConnectionSource(TcpConnection& connection) : connection_(connection) {}
  int Receive(char* buffer, int max, int waitMilliseconds) override {
    return connection_.Receive(buffer, max, waitMilliseconds);
  }

 private:
  TcpConnection& connection_;
};

// The body's file, created beside the target only once the status is good.
class PartFile : public ByteSink {
 public:
  explicit PartFile(std::string target) : target_(std::move(target)) {}
  ~PartFile() override {
    if (stream_.IsOpen()) {
      stream_.Close();
      DeleteFileAt(path_);
    }
  }
  bool Begin() override {
    stream_ = CreateFileBeside(target_, path_);
    return stream_.IsOpen();
  }
  bool Write(const char* data, size_t size) override {
    return stream_.Write(data, static_cast<int64_t>(size));
  }
  // Closes the file and puts it in the target's place. No flush to disk: a
  // download that a power cut spoils is simply fetched again, and the flush
  // of a large archive costs a third of its transfer time.
  bool Finish() {
    stream_.Close();
    if (ReplaceFileWith(path_, target_)) return true;
    DeleteFileAt(path_);
    return false;
  }

 private:
  std::string target_;
  std::string path_;
  FileStream stream_;
};

// One request: Done, Redirect or Failed.
ResponseResult Fetch(const std::string& url, PartFile& file, const ResponseLimits& limits) {
  HttpUrl parts;
  uint32_t address = 0;
  TcpConnection connection;
  if (!SplitHttpUrl(url, parts) || !ResolveIPv4(parts.Host, address) ||
      !connection.Connect(address, parts.Port)) {
    return ResponseResult();
  }
  const std::string request = BuildHttpRequest(parts);
  if (!connection.SendAll(request.data(), request.size(), SendWaitMilliseconds)) {
    return ResponseResult();
  }
  ConnectionSource source(connection);
  return ReadHttpResponse(source, file, limits);
}

}  // namespace

int HttpDownload(const std::string& url, const std::string& path, const ResponseLimits& limits) {
  std::string current = url;
  for (int hop = 0; hop <= MaxRedirects; ++hop) {
    PartFile file(path);
    const ResponseResult result = Fetch(current, file, limits);
    if (result.Outcome == ResponseOutcome::Done) return file.Finish() ? 1 : 0;
    if (result.Outcome != ResponseOutcome::Redirect) return 0;
    current = result.Location;
  }
  return 0;
}
