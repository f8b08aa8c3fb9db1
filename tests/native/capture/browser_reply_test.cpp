#include "capture/browser_reply.h"

#include <gtest/gtest.h>

#include <string>

namespace ocelot::capture {
namespace {

TEST(BrowserReply, AddressFromBrowserReply_Replies_FirstQuotedField) {
  const struct {
    const char* reply;
    const char* want;
  } cases[] = {
      {"\"http://example.test/page.html\",\"Example Page\"", "http://example.test/page.html"},
      {"  \"http://a.test/\",\"T\"\r\n", "http://a.test/"},
      {"\"http://a.test/no-end", "http://a.test/no-end"},  // no second quote: kept to the end
      {"http://a.test/plain ", "http://a.test/plain"},    // no quote at all: trimmed only
      {"\"ab\"", "\"ab\""},                                // 5 characters or fewer: as it is
      {"", ""},
      {"\"\",\"Title\"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AddressFromBrowserReply(c.reply), c.want) << c.reply;
}

TEST(BrowserReply, BrowserServiceFor_ClassAndTitle_ServiceAndKind) {
  const struct {
    const char* cls;
    const char* title;
    BrowserKind kind;
    const char* service;
  } cases[] = {
      {"IEFrame", "Example Page", kIExploreBrowser, "IExplore"},
      {"MyIEFRAMEHost", "", kIExploreBrowser, "IExplore"},
      {"Afx:400000:8:10011:0:1234", "Page - Netscape", kNetscapeBrowser, "Netscape"},
      {"AFX:400000:0", "Some Editor", kNoBrowser, nullptr},  // an Afx window that is no browser
      {"Notepad", "Netscape notes", kNoBrowser, nullptr},
  };
  for (const auto& c : cases) {
    const BrowserService s = BrowserServiceFor(c.cls, c.title);
    EXPECT_EQ(s.kind, c.kind) << c.cls;
    if (c.service)
      EXPECT_STREQ(s.service, c.service) << c.cls;
    else
      EXPECT_EQ(s.service, nullptr) << c.cls;
  }
}

}  // namespace
}  // namespace ocelot::capture
