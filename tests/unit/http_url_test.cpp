#include "install/http_url.h"

#include <gtest/gtest.h>

TEST(HttpUrl, SplitsAndBuildsTheExactRequest) {
  const struct {
    const char* url;
    const char* request;  // nullptr: the URL is refused
  } cases[] = {
      {"http://updates.example/files/Lib.zip",
       "GET /files/Lib.zip HTTP/1.1\r\nAccept: */*\r\nHost: updates.example\r\nConnection: "
       "close\r\n\r\n"},
      {"http://updates.example:80/files/Lib.zip",
       "GET /files/Lib.zip HTTP/1.1\r\nAccept: */*\r\nHost: updates.example\r\nConnection: "
       "close\r\n\r\n"},
      {"http://updates.example:81/files/Lib.zip",
       "GET /files/Lib.zip HTTP/1.1\r\nAccept: */*\r\nHost: updates.example:81\r\nConnection: "
       "close\r\n\r\n"},
      {"http://updates.example",
       "GET / HTTP/1.1\r\nAccept: */*\r\nHost: updates.example\r\nConnection: close\r\n\r\n"},
      {"http://updates.example:8080",
       "GET / HTTP/1.1\r\nAccept: */*\r\nHost: updates.example:8080\r\nConnection: close\r\n\r\n"},
      {"http://h/get?a=b c&d=%20",
       "GET /get?a=b c&d=%20 HTTP/1.1\r\nAccept: */*\r\nHost: h\r\nConnection: close\r\n\r\n"},
      {"http://user:secret@h:81/x",
       "GET /x HTTP/1.1\r\nAccept: */*\r\nHost: h:81\r\nConnection: close\r\n\r\n"},
      {"http://h/mail@example",
       "GET /mail@example HTTP/1.1\r\nAccept: */*\r\nHost: h\r\nConnection: close\r\n\r\n"},
      {"HTTPS://H/x", "GET /x HTTP/1.1\r\nAccept: */*\r\nHost: H\r\nConnection: close\r\n\r\n"},
      {"updates.example/files/Lib.zip", nullptr},
      {"http:///files/Lib.zip", nullptr},
      {"http://:80/x", nullptr},
      {"http://user@/x", nullptr},
      {"http://h:/x", nullptr},
      {"http://h:0/x", nullptr},
      {"http://h:65536/x", nullptr},
      {"http://h:8a/x", nullptr},
  };
  for (const auto& c : cases) {
    HttpUrl parts;
    const bool split = SplitHttpUrl(c.url, parts);
    EXPECT_EQ(split, c.request != nullptr) << c.url;
    if (split && c.request) {
      EXPECT_EQ(BuildHttpRequest(parts), c.request) << c.url;
    }
  }
}
