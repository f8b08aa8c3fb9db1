#include "settings/session_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::settings;

namespace {
void Touch(const std::string& path) { WriteFileBytes(path, std::vector<std::uint8_t>{'x'}); }
}  // namespace

TEST(SessionFiles, CleanupDeletesSessionFilesAndKeepsSettings) {
  TempFolder dir;
  const std::string f = dir.path();
  for (const char* name : {"pic3.bmp", "TextTemp.txt", "notes.doc", "JPEG.CFG", "ocelot.cfg", "repeat.dat",
                           "email.ini", "maillog", "readonly.bmp"})
    Touch(JoinPath(f, name));
  ASSERT_TRUE(SetFileAttributesA(JoinPath(f, "readonly.bmp").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(CreateFolder(JoinPath(f, "Catalogs")));
  Touch(JoinPath(f, "Catalogs\\inner.bmp"));

  EXPECT_TRUE(HasSessionFiles(f));
  DeleteSessionFiles(f);

  const struct { const char* name; bool kept; } want[] = {
      {"pic3.bmp", false},  {"TextTemp.txt", false}, {"notes.doc", false}, {"maillog", false},
      {"JPEG.CFG", true},   {"ocelot.cfg", true},    {"repeat.dat", true}, {"email.ini", true},
      {"readonly.bmp", true}, {"Catalogs\\inner.bmp", true}};
  for (const auto& w : want) EXPECT_EQ(FileExists(JoinPath(f, w.name)), w.kept) << w.name;
  EXPECT_TRUE(FolderExists(JoinPath(f, "Catalogs")));
  SetFileAttributesA(JoinPath(f, "readonly.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SessionFiles, UnsavedTestIgnoresSettingsButNotEmailIni) {
  TempFolder dir;
  EXPECT_FALSE(HasSessionFiles(dir.path()));
  Touch(JoinPath(dir.path(), "maillog"));
  Touch(JoinPath(dir.path(), "Ocelot.CFG"));
  EXPECT_FALSE(HasSessionFiles(dir.path()));
  Touch(JoinPath(dir.path(), "email.ini"));
  EXPECT_TRUE(HasSessionFiles(dir.path()));
}

TEST(SessionFiles, MissingFolderHasNoSessionFiles) {
  EXPECT_FALSE(HasSessionFiles("C:\\no\\such\\folder\\here"));
  DeleteSessionFiles("C:\\no\\such\\folder\\here");  // must not throw or crash
}
