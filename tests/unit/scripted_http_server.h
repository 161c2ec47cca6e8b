#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server for the tests, on 127.0.0.1: each accepted connection has
// its request recorded and gets the next script's bytes, in the pieces and
// with the pauses the script gives, and is then closed or left silent.
class ScriptedHttpServer {
 public:
  struct Piece {
    std::string Bytes;
    int PauseMilliseconds = 0;  // after the piece
  };
  struct Script {
    std::vector<Piece> Pieces;
    int SilentMilliseconds = 0;  // how long to stay silent before closing
  };

  ScriptedHttpServer();
  ~ScriptedHttpServer();
  ScriptedHttpServer(const ScriptedHttpServer&) = delete;
  ScriptedHttpServer& operator=(const ScriptedHttpServer&) = delete;

  // One script per connection, in the order connections come.
  void Add(Script script);
  // A whole response in one piece, then close.
  void Add(const std::string& response) { Add(Script{{{response}}}); }

  uint16_t Port() const { return port_; }
  std::string Url(const std::string& path) const;
  std::vector<std::string> Requests();

 private:
  void Serve();
  void Answer(intptr_t client, const Script& script);
  bool Stopping();
  void Wait(int milliseconds);

  intptr_t listener_ = -1;
  uint16_t port_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::vector<Script> scripts_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
uint16_t RefusingPort();
