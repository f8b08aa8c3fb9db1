#include "settings/working_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "settings/working_folder_rules.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::settings;

namespace {
std::string UserName() {
  char name[256] = {};
  DWORD len = 255;
  GetUserNameA(name, &len);
  return std::string(name, len - 1);
}

// Points the documents folder of this process's user at a test folder, for one test.
class DocumentsFolderOverride {
 public:
  explicit DocumentsFolderOverride(const std::string& folder) {
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    char old[MAX_PATH * 2] = {};
    DWORD size = sizeof old - 1, type = 0;
    had_old_ = RegQueryValueExA(key_, "Personal", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    old_ = old;
    old_type_ = type;
    RegSetValueExA(key_, "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
  }
  ~DocumentsFolderOverride() {
    if (had_old_)
      RegSetValueExA(key_, "Personal", 0, old_type_, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>(old_.size() + 1));
    else
      RegDeleteValueA(key_, "Personal");
    RegCloseKey(key_);
  }

 private:
  static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  HKEY key_ = nullptr;
  bool had_old_ = false;
  std::string old_;
  DWORD old_type_ = REG_SZ;
};
}  // namespace

TEST(WorkingFolder, ExpandUserNameUsesTheLogOnName) {
  const std::string user = UserName();
  ASSERT_FALSE(user.empty());
  EXPECT_EQ(ExpandUserName("D:\\Data\\%UserName%\\Shots"), "D:\\Data\\" + user + "\\Shots");
  EXPECT_EQ(ExpandUserName("D:\\Data\\Shots"), "D:\\Data\\Shots");
}

TEST(WorkingFolder, EmptyIniGivesOcelotInDocumentsAndWritesTheKey) {
  TempFolder docs;
  DocumentsFolderOverride override(docs.path());
  ASSERT_TRUE(EqualsIgnoreCase(GetDocumentsFolder(), docs.path())) << GetDocumentsFolder();
  const std::string folder = FindWorkingFolder();
  EXPECT_TRUE(EqualsIgnoreCase(folder, JoinPath(docs.path(), "Ocelot")));
  EXPECT_TRUE(FolderExists(folder));
  EXPECT_EQ(WorkingFolder(), folder);
  EXPECT_EQ(ReadIniString(kWorkingPathSection, kWorkingPathKey, ""), folder);
}

TEST(WorkingFolder, IniPathWithTokenIsExpandedCreatedAndKept) {
  TempFolder docs;
  DocumentsFolderOverride override(docs.path());
  const std::string typed = JoinPath(docs.path(), "Data\\%UserName%\\Shots");
  WriteIniString(kWorkingPathSection, kWorkingPathKey, typed);
  const std::string folder = FindWorkingFolder();
  EXPECT_EQ(folder, JoinPath(docs.path(), "Data\\" + UserName() + "\\Shots"));
  EXPECT_TRUE(FolderExists(folder));
  EXPECT_EQ(ReadIniString(kWorkingPathSection, kWorkingPathKey, ""), typed);
}
