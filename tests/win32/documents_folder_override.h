// DocumentsFolderOverride: points this user's documents folder (where "OCL.INI" lives) at
// a test folder for one test, and puts the old value back after. The shell resolves the
// folder from "User Shell Folders" and caches it in "Shell Folders": both are set.
#pragma once

#include <windows.h>

#include <string>

namespace ocelot {

class DocumentsFolderOverride {
 public:
  explicit DocumentsFolderOverride(const std::string& folder) {
    for (int k = 0; k < 2; ++k) {
      RegCreateKeyExA(HKEY_CURRENT_USER, kKeys[k], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved_[k].key, nullptr);
      char old[MAX_PATH * 2] = {};
      DWORD size = sizeof old - 1, type = 0;
      saved_[k].had = RegQueryValueExA(saved_[k].key, "Personal", nullptr, &type, reinterpret_cast<BYTE*>(old),
                                       &size) == ERROR_SUCCESS;
      saved_[k].value = old;
      saved_[k].type = type;
      RegSetValueExA(saved_[k].key, "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
    }
  }
  ~DocumentsFolderOverride() {
    for (auto& s : saved_) {
      if (s.had)
        RegSetValueExA(s.key, "Personal", 0, s.type, reinterpret_cast<const BYTE*>(s.value.c_str()),
                       static_cast<DWORD>(s.value.size() + 1));
      else
        RegDeleteValueA(s.key, "Personal");
      RegCloseKey(s.key);
    }
  }
  DocumentsFolderOverride(const DocumentsFolderOverride&) = delete;
  DocumentsFolderOverride& operator=(const DocumentsFolderOverride&) = delete;

 private:
  static constexpr const char* kKeys[2] = {
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  struct Saved {
    HKEY key = nullptr;
    bool had = false;
    std::string value;
    DWORD type = REG_SZ;
  } saved_[2];
};

}  // namespace ocelot
