// Which browser a foreground window is, and the web address in its DDE reply.
#pragma once

#include <string>
#include <string_view>

namespace ocelot::capture {

enum BrowserKind : int { kNoBrowser = 0, kIExploreBrowser = 1, kNetscapeBrowser = 2 };

inline constexpr char kBrowserTopic[] = "WWW_GetWindowInfo";
inline constexpr char kBrowserItem[] = "0xFFFFFFFF";
// The reply is taken into a buffer of this many bytes (at most 511 characters).
inline constexpr std::size_t kBrowserReplyBufferSize = 512;

struct BrowserService {
  BrowserKind kind = kNoBrowser;
  const char* service = nullptr;  // "IExplore" or "Netscape"; null for no browser
};

// By the window's class name (case-insensitive): one containing "afx:400000" is the
// "Netscape" browser when its title contains "netscape" (else none); one containing
// "ieframe" is the "IExplore" browser.
BrowserService BrowserServiceFor(std::string_view class_name, std::string_view title);

// The address in a reply such as "\"http://x/\",\"Title\"": when the reply is longer than
// 5 characters its first double quote becomes a blank and it ends at its next double
// quote; the result is trimmed of blanks (and control characters).
std::string AddressFromBrowserReply(std::string_view reply);

}  // namespace ocelot::capture
