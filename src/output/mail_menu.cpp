// The mail menu rules.
#include "output/mail_menu.h"

#include "common/text.h"

namespace ocelot::output {

bool IsMailShortcutName(std::string_view file_name) {
  const std::string lower = ToLower(file_name);
  for (const char* refused : {"floppy", "infrared", "briefcase", "desktop"})
    if (lower.find(refused) != std::string::npos) return false;
  return true;
}

std::string MailMenuCaption(std::string_view file_name) {
  std::string lower = ToLower(file_name);
  const auto cut = lower.find(".lnk");
  return cut == std::string::npos ? lower : lower.substr(0, cut);
}

std::vector<std::string> MailMenuEntries(const std::string& send_to_folder,
                                         const std::vector<std::string>& lnk_file_names) {
  std::vector<std::string> entries{kMailRecipientEntry};
  for (const auto& name : lnk_file_names)
    if (IsMailShortcutName(name)) entries.push_back(JoinPath(send_to_folder, name));
  return entries;
}

}  // namespace ocelot::output
