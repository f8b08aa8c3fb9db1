// Which web addresses "Go to URL" may hand to the shell: an address comes from a browser's
// reply or from a catalog someone else may have written, and the shell would start a
// program or open a file for anything that is not a web address.
#pragma once

#include <string>
#include <string_view>

namespace ocelot::output {

// The address without the blanks, tabs and line ends around it.
std::string TrimAddress(std::string_view address);
// True when the trimmed address's scheme is http, https or ftp (any letter case).
bool IsOpenableWebAddress(std::string_view address);
// The refusal shown for any other address.
std::string NotAWebAddressMessage(std::string_view address);

}  // namespace ocelot::output
