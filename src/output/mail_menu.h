// The mail menu list: "Mail Recipient" and the shortcuts of the user's Send To folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ocelot::output {

inline constexpr char kMailRecipientEntry[] = "Mail Recipient.MAPIFILE";
inline constexpr char kMailRecipientCaption[] = "Mail Recipient";
// Entry 0 and up to 20 shortcuts.
inline constexpr std::size_t kMaxMailMenuItems = 21;

// A Send To shortcut qualifies unless its lower-cased name names a floppy, infrared,
// briefcase or desktop target.
bool IsMailShortcutName(std::string_view file_name);
// The menu caption of a shortcut file: letters A to Z lower-cased, cut at the first ".lnk".
std::string MailMenuCaption(std::string_view file_name);

// Entry 0 is the placeholder; then the full paths of the qualifying shortcuts.
std::vector<std::string> MailMenuEntries(const std::string& send_to_folder,
                                         const std::vector<std::string>& lnk_file_names);

}  // namespace ocelot::output
