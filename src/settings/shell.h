// Shell folders of the registry and shell links.
#pragma once

#include <string>

namespace ocelot::settings {

// 0 Desktop, 1 Favorites, 2 Fonts, 3 NetHood, 4 Programs, 5 Recent, 6 SendTo,
// 7 Start Menu, 8 Startup, 9 Templates; "" for any other n or a missing value.
std::string GetShellFolder(int n);

struct ShortcutArgs {
  std::string link_path;
  std::string target;
  std::string arguments;
  int show_command = 1;  // SW_SHOWNORMAL
  unsigned short hotkey = 0;
  bool set_hotkey = false;
  int icon_index = 0;
  std::string icon_file;
  bool set_icon = false;
  std::string description;
  std::string start_in;
};

// Creates the shell link; false when COM or the save fails.
bool CreateShortcut(const ShortcutArgs& args);

}  // namespace ocelot::settings
