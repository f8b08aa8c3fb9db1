// Browser recognition and the reply rule.
#include "capture/browser_reply.h"

#include "common/text.h"

namespace ocelot::capture {

BrowserService BrowserServiceFor(std::string_view class_name, std::string_view title) {
  const std::string cls = ToLower(class_name);
  if (cls.find("afx:400000") != std::string::npos) {
    if (ToLower(title).find("netscape") != std::string::npos) return {kNetscapeBrowser, "Netscape"};
    return {};
  }
  if (cls.find("ieframe") != std::string::npos) return {kIExploreBrowser, "IExplore"};
  return {};
}

std::string AddressFromBrowserReply(std::string_view reply) {
  std::string text(reply);
  if (text.size() > 5) {
    const auto first = text.find('"');
    if (first != std::string::npos) {
      text[first] = ' ';
      const auto second = text.find('"', first + 1);
      if (second != std::string::npos) text.resize(second);
    }
  }
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t b = 0, e = text.size();
  while (b < e && blank(text[b])) ++b;
  while (e > b && blank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

}  // namespace ocelot::capture
