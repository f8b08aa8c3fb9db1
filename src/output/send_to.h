// The user's Send To shortcuts as the mail menu list.
#pragma once

#include <string>
#include <vector>

#include "output/mail_menu.h"

namespace ocelot::output {

// Entry 0 "Mail Recipient.MAPIFILE", then the qualifying "*.lnk" files (attributes
// exactly 0x20) of the Send To folder, in enumeration order.
std::vector<std::string> GetSendToShortcuts();

}  // namespace ocelot::output
