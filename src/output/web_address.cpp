// The scheme rule of the addresses "Go to URL" opens.
#include "output/web_address.h"

#include <array>

#include "common/text.h"

namespace ocelot::output {

std::string TrimAddress(std::string_view address) {
  constexpr std::string_view kBlank = " \t\r\n";
  const auto first = address.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  const auto last = address.find_last_not_of(kBlank);
  return std::string(address.substr(first, last - first + 1));
}

bool IsOpenableWebAddress(std::string_view address) {
  const std::string trimmed = TrimAddress(address);
  const auto colon = trimmed.find(':');
  if (colon == std::string::npos) return false;
  const std::string scheme = ToLower(std::string_view(trimmed).substr(0, colon));
  constexpr std::array<std::string_view, 3> kSchemes{"http", "https", "ftp"};
  for (const auto s : kSchemes)
    if (scheme == s) return true;
  return false;
}

std::string NotAWebAddressMessage(std::string_view address) {
  return "\"" + TrimAddress(address) +
         "\" is not a web address (http, https or ftp), so Ocelot did not open it.";
}

}  // namespace ocelot::output
