// UseAPI 1 hands the transfer to the system's URL download service.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "install/download.h"
#include "install/http_url.h"
#include "platform/net.h"
#include "scripted_http_server.h"
#include "test_folder.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

TEST(SystemDownload, UseApiSelectsTheMethodAtEachCall) {
  ASSERT_EQ(OpenNetworkLayer(), 1);
  TestFolder folder;
  ScriptedHttpServer server;
  server.Add("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Type: application/zip\r\n\r\nhello");
  server.Add("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nworld");
  const std::string url = server.Url("/files/Lib.zip");
  const std::string path = folder.Product() + "Lib.zip";
  HttpUrl parts;
  ASSERT_TRUE(SplitHttpUrl(url, parts));

  UserSettings settings;
  settings.UseAPI = 1;
  PurgeUrlCache(url);
  EXPECT_EQ(DownloadFile(settings, url, path), 1);
  EXPECT_EQ(ReadBytes(folder.Root() / "Lib.zip"), "hello");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_NE(server.Requests()[0], BuildHttpRequest(parts)) << "the built-in client was used";
  EXPECT_NE(Lower(server.Requests()[0]).find("user-agent:"), std::string::npos);

  settings.UseAPI = 2;  // only 1 selects the system service
  PurgeUrlCache(url);
  EXPECT_EQ(DownloadFile(settings, url, path), 1);
  EXPECT_EQ(ReadBytes(folder.Root() / "Lib.zip"), "world");
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1], BuildHttpRequest(parts));
  CloseNetworkLayer();
}

TEST(SystemDownload, ServiceFailureIsAFailedDownload) {
  ASSERT_EQ(OpenNetworkLayer(), 1);
  TestFolder folder;
  UserSettings settings;
  settings.UseAPI = 1;
  const std::string url = "http://127.0.0.1:" + std::to_string(RefusingPort()) + "/Lib.zip";
  PurgeUrlCache(url);
  EXPECT_EQ(DownloadFile(settings, url, folder.Product() + "Lib.zip"), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.Root() / "Lib.zip"));
  CloseNetworkLayer();
}
