#include "settings/working_folder_rules.h"

#include <gtest/gtest.h>

using namespace ocelot::settings;

TEST(WorkingFolderRules, ReplaceUserNameToken) {
  const struct { const char* path; const char* user; const char* want; } cases[] = {
      {"D:\\Data\\%UserName%\\Shots", "kim", "D:\\Data\\kim\\Shots"},
      {"D:\\%USERNAME%\\%username%", "kim", "D:\\kim\\%username%"},  // first occurrence only
      {"D:\\Data\\Shots", "kim", "D:\\Data\\Shots"},
      {"", "kim", ""},
      {"%username", "kim", "%username"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceUserNameToken(c.path, c.user), c.want) << c.path;
}

TEST(WorkingFolderRules, DefaultFolderAndIniPath) {
  EXPECT_EQ(DefaultWorkingFolder("C:\\Users\\kim\\Documents"), "C:\\Users\\kim\\Documents\\Ocelot");
  EXPECT_EQ(IniPathIn("C:\\Users\\kim\\Documents"), "C:\\Users\\kim\\Documents\\OCL.INI");
  EXPECT_EQ(IniPathIn(""), "\\OCL.INI");
}

TEST(WorkingFolderRules, KeptLists) {
  const struct { const char* name; bool cleanup; bool unsaved; } cases[] = {
      {"ocelot.cfg", true, true},   {"JPEG.CFG", true, true},        {"PrinterSetup.cfg", true, true},
      {"email.ini", true, false},   {"maillog", false, true},        {"dospath.dat", true, true},
      {"pic3.bmp", false, false},   {"TextTemp.txt", false, false},  {"notes.doc", false, false},
      {"attach.dat", false, false}, {"temppdf.txt", false, false},   {"repeat.dat", true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsKeptByCleanup(c.name), c.cleanup) << c.name;
    EXPECT_EQ(IsKeptForUnsavedTest(c.name), c.unsaved) << c.name;
  }
}
