// Shell folders from the registry and shell links through CLSID_ShellLink.
#include "settings/shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>

namespace ocelot::settings {

std::string GetShellFolder(int n) {
  static constexpr std::array<const char*, 10> kNames = {"Desktop", "Favorites", "Fonts",      "NetHood", "Programs",
                                                         "Recent",  "SendTo",    "Start Menu", "Startup", "Templates"};
  if (n < 0 || n >= static_cast<int>(kNames.size())) return {};
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return {};
  char buf[MAX_PATH * 2] = {};
  DWORD size = sizeof buf - 1, type = 0;
  const LONG rc = RegQueryValueExA(key, kNames[static_cast<std::size_t>(n)], nullptr, &type,
                                   reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return std::string(buf);
}

namespace {
template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() { if (p) p->Release(); }
  T* operator->() const { return p; }
};

struct ComInit {
  HRESULT hr = CoInitialize(nullptr);
  ~ComInit() { if (SUCCEEDED(hr)) CoUninitialize(); }
};
}  // namespace

bool CreateShortcut(const ShortcutArgs& a) {
  ComInit com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link.p))))
    return false;
  link->SetPath(a.target.c_str());
  link->SetDescription(a.description.c_str());
  link->SetArguments(a.arguments.c_str());
  link->SetWorkingDirectory(a.start_in.c_str());
  if (a.set_icon) link->SetIconLocation(a.icon_file.c_str(), a.icon_index);
  if (a.set_hotkey) link->SetHotkey(a.hotkey);
  link->SetShowCmd(a.show_command);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
  const int wlen = MultiByteToWideChar(CP_ACP, 0, a.link_path.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wlen), L'\0');
  MultiByteToWideChar(CP_ACP, 0, a.link_path.c_str(), -1, wide.data(), wlen);
  return SUCCEEDED(file->Save(wide.c_str(), FALSE));
}

}  // namespace ocelot::settings
