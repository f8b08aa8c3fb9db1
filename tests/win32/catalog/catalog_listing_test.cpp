#include "catalog/catalog_listing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/catalog_files.h"
#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::catalog;

namespace {
std::vector<std::uint8_t> OneRecord(const std::string& path) {
  const auto r = EncodeRecord({path, ""});
  return {r.begin(), r.end()};
}

const std::string kImage = "C:\\Pics\\a.bmp";
}  // namespace

TEST(ListCatalogFiles, AttributesNotExactlyArchive_AreNoCatalogs) {
  TempFolder dir;
  const struct { const char* file; DWORD attributes; bool listed; } cases[] = {
      {"plain.alb", FILE_ATTRIBUTE_ARCHIVE, true},
      {"readonly.alb", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, false},
      {"hidden.alb", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, false},
      {"system.alb", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM, false},
  };
  for (const auto& c : cases) {
    const std::string path = JoinPath(dir.path(), c.file);
    WriteFileBytes(path, OneRecord(kImage));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes)) << c.file;
    ASSERT_EQ(GetFileAttributesA(path.c_str()), c.attributes) << c.file;
  }
  ASSERT_TRUE(CreateFolder(JoinPath(dir.path(), "folder.alb")));

  EXPECT_EQ(ListCatalogFiles(dir.path()), std::vector<std::string>{"plain.alb"});
  EXPECT_EQ(FindCatalogOf(dir.path(), kImage), "plain.alb");

  // Only the plain catalog held the image; without it no lookup sees the others.
  ASSERT_TRUE(RemoveCatalogRecord(dir.path(), kImage, "plain.alb"));
  EXPECT_EQ(FindCatalogOf(dir.path(), kImage), "");
  for (const auto& c : cases) SetFileAttributesA(JoinPath(dir.path(), c.file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ListCatalogFiles, FolderOrder_IsTheFileSystemEnumeration) {
  TempFolder dir;
  for (const char* name : {"e.alb", "b.alb", "d.alb", "a.alb", "c.alb"}) WriteFileBytes(JoinPath(dir.path(), name), {});
  std::vector<std::string> enumerated;
  WIN32_FIND_DATAA found{};
  const HANDLE h = FindFirstFileA(JoinPath(dir.path(), "*").c_str(), &found);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do {
    if (HasCatalogExtension(found.cFileName)) enumerated.emplace_back(found.cFileName);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  EXPECT_EQ(ListCatalogFiles(dir.path()), enumerated);
}

// A catalog that another program holds open without sharing cannot be read.
TEST(CatalogLookups, CatalogLockedByAnotherHandle_HoldsNothingAndIsUntouched) {
  TempFolder dir;
  const std::string path = JoinPath(dir.path(), "trip.alb");
  const auto bytes = OneRecord(kImage);
  WriteFileBytes(path, bytes);
  const HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  OpenCatalog open;
  open.Open("trip");
  EXPECT_EQ(FindCatalogOf(dir.path(), kImage), "");
  EXPECT_FALSE(IsInOpenCatalog(dir.path(), open, kImage));
  EXPECT_EQ(CountCatalogRecords(dir.path(), "trip"), 0u);
  EXPECT_TRUE(LoadOpenCatalog(dir.path(), "trip", [](const std::string&) { return false; }).IsEmpty());
  EXPECT_TRUE(SessionIndexesInOpenCatalog(dir.path(), open, {kImage}).empty());
  EXPECT_FALSE(RemoveCatalogRecord(dir.path(), kImage, "trip.alb"));
  EXPECT_FALSE(AddCatalogRecord(dir.path(), "trip", {"C:\\Pics\\b.bmp", ""}, {}));

  CloseHandle(lock);
  EXPECT_EQ(ReadFileBytes(path), bytes);
  EXPECT_EQ(FindCatalogOf(dir.path(), ToLower(kImage)), "trip.alb");
}
