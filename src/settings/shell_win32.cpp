// Shell folders from the registry and shell links through CLSID_ShellLink.
#include "settings/shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>

#include "win/com.h"
#include "win/scoped.h"

namespace ocelot::settings {

std::string GetShellFolder(int n) {
  static constexpr std::array<const char*, 10> kNames = {"Desktop", "Favorites", "Fonts",      "NetHood", "Programs",
                                                         "Recent",  "SendTo",    "Start Menu", "Startup", "Templates"};
  if (n < 0 || n >= static_cast<int>(kNames.size())) return {};
  win::ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_READ, key.put()) != ERROR_SUCCESS)
    return {};
  char buf[MAX_PATH * 2] = {};
  DWORD size = sizeof buf - 1, type = 0;
  const LONG rc = RegQueryValueExA(key.get(), kNames[static_cast<std::size_t>(n)], nullptr, &type,
                                   reinterpret_cast<BYTE*>(buf), &size);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return std::string(buf);
}

bool CreateShortcut(const ShortcutArgs& a) {
  win::ScopedComInit com;
  win::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())))
    return false;
  link->SetPath(a.target.c_str());
  link->SetDescription(a.description.c_str());
  link->SetArguments(a.arguments.c_str());
  link->SetWorkingDirectory(a.start_in.c_str());
  if (a.set_icon) link->SetIconLocation(a.icon_file.c_str(), a.icon_index);
  if (a.set_hotkey) link->SetHotkey(a.hotkey);
  link->SetShowCmd(a.show_command);
  win::ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
  const int wlen = MultiByteToWideChar(CP_ACP, 0, a.link_path.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wlen), L'\0');
  MultiByteToWideChar(CP_ACP, 0, a.link_path.c_str(), -1, wide.data(), wlen);
  return SUCCEEDED(file->Save(wide.c_str(), FALSE));
}

}  // namespace ocelot::settings
