#include "output/web_address.h"

#include <gtest/gtest.h>

using namespace ocelot::output;

TEST(WebAddress, OnlyHttpHttpsAndFtpAreOpened) {
  struct Case { const char* address; bool opened; };
  for (const Case c : {
           Case{"http://example.org/", true},
           Case{"HTTPS://example.org/a?b=c", true},
           Case{"  ftp://files.example.org/x.zip \r\n", true},
           Case{"\thttp://example.org/", true},
           Case{"C:\\Windows\\System32\\cmd.exe", false},
           Case{"\\\\server\\share\\x.exe", false},
           Case{"file:///c:/windows/system32/calc.exe", false},
           Case{"javascript:alert(1)", false},
           Case{"mailto:someone@example.org", false},
           Case{"httpx://example.org/", false},
           Case{"example.org", false},
           Case{"", false},
           Case{"   ", false},
           Case{" http ://example.org", false},
       })
    EXPECT_EQ(IsOpenableWebAddress(c.address), c.opened) << c.address;
}

TEST(WebAddress, RefusalNamesTheTrimmedAddress) {
  EXPECT_EQ(NotAWebAddressMessage("  C:\\Windows\\System32\\cmd.exe "),
            "\"C:\\Windows\\System32\\cmd.exe\" is not a web address (http, https or ftp), so Ocelot did not open it.");
  EXPECT_EQ(TrimAddress(" \t http://a/ \r\n"), "http://a/");
}
