#include "catalogue/catalogue_fetch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/net.h"
#include "scripted_http_server.h"
#include "test_folder.h"

namespace {

std::string Served(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class CatalogueFetchTest : public testing::Test {
 protected:
  void SetUp() override {
    state.ToolVersion = "1.4";
    state.ServerToolVersion = "1.4";
    state.Paths.TempDir = temp.Product();
    state.UpdateServer = "127.0.0.1:" + std::to_string(server.Port());
    transfers.OpenNetworkLayer = [this] {
      ++networkStarts;
      return networkWorks ? OpenNetworkLayer() : 0;
    };
  }
  void TearDown() override { CloseNetworkLayer(); }

  int Fetch(const std::string& catalogue) {
    server.Add(Served(catalogue));
    return FetchCatalogue(state, transfers);
  }

  TestFolder temp;
  ScriptedHttpServer server;
  AppState state;
  Transfers transfers;
  int networkStarts = 0;
  bool networkWorks = true;
};

}  // namespace

TEST_F(CatalogueFetchTest, ReadsLibraryGroupsUntilTheFirstMissingNumber) {
  const std::string catalogue =
      "[Updater]\r\nVersion = 1.5\r\n"
      "[library2]\r\nName = Beta\r\nVersion = 2.0\r\nUrl = h/files/Beta.zip\r\nIdentifyer = Beta_V\r\n"
      "[LIBRARY1]\r\nname = Alpha\r\nVERSION = 1.0 \r\nUrl = h/files/Alpha.zip\r\nIdentifyer = A_V\r\n"
      "[Library3]\r\nName = Gamma\r\n"
      "[Library5]\r\nName = Never\r\n";
  EXPECT_EQ(Fetch(catalogue), 3);
  const Catalogue& c = state.Libraries;
  EXPECT_EQ(c.Names, (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(c.Versions, (std::vector<std::string>{"1.0", "2.0", ""}));
  EXPECT_EQ(c.Urls, (std::vector<std::string>{"h/files/Alpha.zip", "h/files/Beta.zip", ""}));
  EXPECT_EQ(c.Identifiers, (std::vector<std::string>{"A_V", "Beta_V", ""}));
  EXPECT_EQ(state.ServerToolVersion, "1.5");
  EXPECT_EQ(server.Requests().at(0).rfind("GET /files/Updater.ini HTTP/1.1\r\n", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(temp.Root() / "Updater.ini"));
}

TEST_F(CatalogueFetchTest, ToolVersionComesFromTheUpdaterGroupOnly) {
  const struct {
    const char* catalogue;
    int result;
    const char* serverToolVersion;
  } cases[] = {
      {"[Updater]\r\nVersion = 1.6\r\n", 0, "1.6"},
      {"[Updater]\r\nVersion = 1.4   \r\n[Library1]\r\nName = A\r\n", 1, "1.4"},
      {"[Updater]\r\nOther = 2\r\n[Library1]\r\nName = A\r\n", 1, "1.4"},
      {"[Library1]\r\nName = A\r\n", 1, "1.3"},  // keeps what it was
      {"", 0, "1.3"},
  };
  for (const auto& c : cases) {
    state.ServerToolVersion = "1.3";
    EXPECT_EQ(Fetch(c.catalogue), c.result) << c.catalogue;
    EXPECT_EQ(state.ServerToolVersion, c.serverToolVersion) << c.catalogue;
  }
}

TEST_F(CatalogueFetchTest, AFetchReplacesTheLastOneAndFailuresLeaveNothing) {
  EXPECT_EQ(Fetch("[Library1]\r\nName = A\r\n[Library2]\r\nName = B\r\n"), 2);
  EXPECT_EQ(Fetch("[Library1]\r\nName = C\r\n"), 1);
  EXPECT_EQ(state.Libraries.Names, std::vector<std::string>{"C"});

  server.Add("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
  state.ServerToolVersion = "1.3";
  EXPECT_EQ(FetchCatalogue(state, transfers), -1);
  EXPECT_TRUE(state.Libraries.Names.empty());
  EXPECT_TRUE(state.Libraries.Identifiers.empty());
  EXPECT_EQ(state.ServerToolVersion, "1.3");
}

TEST_F(CatalogueFetchTest, NetworkLayerIsStartedOnceAndRetriedAfterAFailure) {
  std::vector<std::string> purged;
  transfers.PurgeUrlCache = [&purged](const std::string& url) { purged.push_back(url); };
  networkWorks = false;
  server.Add(Served("[Library1]\r\nName = A\r\n"));
  EXPECT_EQ(FetchCatalogue(state, transfers), -1);
  EXPECT_EQ(state.NetworkReady, 0);
  EXPECT_TRUE(server.Requests().empty()) << "no download without the network layer";

  networkWorks = true;
  EXPECT_EQ(FetchCatalogue(state, transfers), 1);
  EXPECT_EQ(state.NetworkReady, 1);
  EXPECT_EQ(Fetch("[Library1]\r\nName = B\r\n"), 1);
  EXPECT_EQ(networkStarts, 2);
  const std::string url = "http://" + state.UpdateServer + "/files/Updater.ini";
  EXPECT_EQ(purged, (std::vector<std::string>{url, url, url}));
}
