#include "install/http_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/net.h"
#include "scripted_http_server.h"
#include "test_folder.h"

namespace {

using Script = ScriptedHttpServer::Script;

// Pieces of one byte each, for framing that arrives as slowly as it can.
Script ByteByByte(const std::string& response) {
  Script script;
  for (const char c : response) script.Pieces.push_back({std::string(1, c)});
  return script;
}

class HttpClientTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { NetStart(); }
  static void TearDownTestSuite() { NetStop(); }

  void SetUp() override { folder.WriteFile("Lib.zip", "old file"); }

  int Download(const std::string& url, int waitMilliseconds = 1000) {
    ResponseLimits limits;
    limits.ReadWaitMilliseconds = waitMilliseconds;
    return HttpDownload(url, folder.Product() + "Lib.zip", limits);
  }
  std::string Target() const { return ReadBytes(folder.Root() / "Lib.zip"); }
  bool OnlyTheTargetIsThere() const {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
      (void)entry;
      ++files;
    }
    return files == 1;
  }

  TestFolder folder;
  ScriptedHttpServer server;
};

}  // namespace

TEST_F(HttpClientTest, SendsTheRequestBytesAndSavesTheBody) {
  server.Add("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello");
  EXPECT_EQ(Download(server.Url("/files/Lib.zip?v=1 2")), 1);
  EXPECT_EQ(Target(), "hello");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], "GET /files/Lib.zip?v=1 2 HTTP/1.1\r\nAccept: */*\r\nHost: "
                                  "127.0.0.1:" + std::to_string(server.Port()) +
                                      "\r\nConnection: close\r\n\r\n");
  EXPECT_TRUE(OnlyTheTargetIsThere());
}

TEST_F(HttpClientTest, ResponsesThatDeliverTheWholeBody) {
  const std::string big(300000, 'x');
  const struct {
    const char* name;
    Script script;
    std::string body;
  } cases[] = {
      {"header names in any case", {{{"HTTP/1.1 200 OK\r\nCONTENT-LENGTH: 3\r\n\r\nabcdef"}}}, "abc"},
      {"no blank after the colon", {{{"HTTP/1.1 200 OK\r\ncontent-length:10\r\n\r\n0123456789"}}},
       "0123456789"},
      {"empty body", {{{"HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n"}}}, ""},
      {"body in pieces with pauses",
       {{{"HTTP/1.1 200 OK\r\nContent-Le"}, {"ngth: 6\r\n\r", 50}, {"\nab", 50}, {"cdef"}}},
       "abcdef"},
      {"header byte by byte", ByteByByte("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"), "ok"},
      {"body larger than the buffer",
       {{{"HTTP/1.1 200 OK\r\nContent-Length: 300000\r\n\r\n" + big}}},
       big},
      {"chunks smaller than one read, framing split across reads",
       {{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r"},
         {"\nhel", 20},
         {"lo\r", 20},
         {"\n3;name=value\r\nabc\r\n"},
         {"0\r\n\r\n"}}},
       "helloabc"},
      {"chunked byte by byte",
       ByteByByte("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\na\r\n0123456789\r\n1\r\n!"
                  "\r\n0\r\n\r\n"),
       "0123456789!"},
      {"chunked in any case beats a length",
       {{{"HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: Chunked\r\n\r\n"
          "4\r\nwxyz\r\n0\r\n\r\n"}}},
       "wxyz"},
      {"until the server closes", {{{"HTTP/1.1 200 OK\r\n\r\nfirst "}, {"second", 30}}},
       "first second"},
  };
  for (const auto& c : cases) {
    ScriptedHttpServer own;
    own.Add(c.script);
    EXPECT_EQ(Download(own.Url("/Lib.zip")), 1) << c.name;
    EXPECT_EQ(Target(), c.body) << c.name;
    EXPECT_TRUE(OnlyTheTargetIsThere()) << c.name;
  }
}

TEST_F(HttpClientTest, FailuresLeaveTheEarlierFileAsItWas) {
  const struct {
    const char* name;
    Script script;
  } cases[] = {
      {"not found", {{{"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno!"}}}},
      {"200 elsewhere in the status line", {{{"HTTP/1.1 404 Not 200\r\nContent-Length: 1\r\n\r\nx"}}}},
      {"not a status line", {{{"SOMETHING 200 OK\r\n\r\nx"}}}},
      {"length body cut short", {{{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort"}}}},
      {"chunked body ends before its last chunk",
       {{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"}}}},
      {"chunk data cut short",
       {{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nhello"}}}},
      {"chunk size without hex digits",
       {{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n0\r\n\r\n"}}}},
      {"chunk size too large",
       {{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffff\r\nx\r\n"}}}},
      {"chunk data without its line end",
       {{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabXY0\r\n\r\n"}}}},
      {"invalid length", {{{"HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n\r\nx"}}}},
      {"negative length", {{{"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\nx"}}}},
      {"two different lengths",
       {{{"HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nxy"}}}},
      {"header beyond 64 KiB",
       {{{"HTTP/1.1 200 OK\r\nX-Filler: " + std::string(70000, 'f') + "\r\n\r\nx"}}}},
      {"header without its blank line", {{{"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n"}}}},
      {"silent before the status", {{}, 1500}},
      {"silent in the middle of a body", {{{"HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc"}}, 1500}},
      {"silent without closing", {{{"HTTP/1.1 200 OK\r\n\r\nabc"}}, 1500}},
      {"redirect to another scheme",
       {{{"HTTP/1.1 302 Found\r\nLocation: https://127.0.0.1/x\r\nContent-Length: 0\r\n\r\n"}}}},
      {"redirect without a location", {{{"HTTP/1.1 301 Moved\r\nContent-Length: 2\r\n\r\nhi"}}}},
      {"relative redirect", {{{"HTTP/1.1 307 Moved\r\nLocation: /x\r\n\r\n"}}}},
  };
  for (const auto& c : cases) {
    ScriptedHttpServer own;
    own.Add(c.script);
    EXPECT_EQ(Download(own.Url("/Lib.zip")), 0) << c.name;
    EXPECT_EQ(Target(), "old file") << c.name;
    EXPECT_TRUE(OnlyTheTargetIsThere()) << c.name;
  }
}

TEST_F(HttpClientTest, UntilCloseEndsAtTheCloseNotAtTheWait) {
  server.Add(Script{{{"HTTP/1.1 200 OK\r\n\r\nbody"}}});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Download(server.Url("/Lib.zip"), 8000), 1);
  // Waiting out the read wait would take 8 s; the close ends it at once.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
  EXPECT_EQ(Target(), "body");
}

TEST_F(HttpClientTest, RedirectsAreFollowedAtMostFiveTimes) {
  for (const int status : {301, 302, 303, 307, 308}) {
    ScriptedHttpServer own;
    own.Add("HTTP/1.1 " + std::to_string(status) + " Moved\r\nLOCATION: " + own.Url("/b") +
            "\r\nContent-Length: 4\r\n\r\nmove");
    own.Add("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nnew");
    EXPECT_EQ(Download(own.Url("/a")), 1) << status;
    EXPECT_EQ(Target(), "new") << status;
    ASSERT_EQ(own.Requests().size(), 2u);
    EXPECT_EQ(own.Requests()[1].rfind("GET /b HTTP/1.1\r\n", 0), 0u);
  }

  ScriptedHttpServer five;
  for (int i = 0; i < 5; ++i) five.Add("HTTP/1.1 302 Found\r\nLocation: " + five.Url("/again") + "\r\n\r\n");
  five.Add("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nlast");
  EXPECT_EQ(Download(five.Url("/a")), 1);
  EXPECT_EQ(Target(), "last");

  folder.WriteFile("Lib.zip", "old file");
  ScriptedHttpServer loop;
  for (int i = 0; i < 8; ++i) loop.Add("HTTP/1.1 302 Found\r\nLocation: " + loop.Url("/loop") + "\r\n\r\n");
  EXPECT_EQ(Download(loop.Url("/a")), 0);
  EXPECT_EQ(loop.Requests().size(), 6u);
  EXPECT_EQ(Target(), "old file");
}

TEST_F(HttpClientTest, ConnectionFailuresTouchNothing) {
  const std::string urls[] = {
      "http://127.0.0.1:" + std::to_string(RefusingPort()) + "/Lib.zip",
      "http://no-such-host.invalid/Lib.zip",
      "127.0.0.1/Lib.zip",
      "http:///Lib.zip",
  };
  for (const std::string& url : urls) {
    EXPECT_EQ(Download(url), 0) << url;
    EXPECT_EQ(Target(), "old file") << url;
    EXPECT_TRUE(OnlyTheTargetIsThere()) << url;
  }
}

TEST_F(HttpClientTest, NewFileWhereNoneWas) {
  std::filesystem::remove(folder.Root() / "Lib.zip");
  server.Add("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi");
  server.Add("HTTP/1.1 404 Not Found\r\n\r\n");
  EXPECT_EQ(HttpDownload(server.Url("/x"), folder.Product() + "New.zip"), 1);
  EXPECT_EQ(ReadBytes(folder.Root() / "New.zip"), "hi");
  EXPECT_EQ(HttpDownload(server.Url("/y"), folder.Product() + "Missing.zip"), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.Root() / "Missing.zip"));
}
