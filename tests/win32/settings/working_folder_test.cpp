#include "settings/working_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "settings/working_folder_rules.h"
#include "documents_folder_override.h"
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
