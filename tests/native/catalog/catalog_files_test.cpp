#include "catalog/catalog_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalog/catalog_listing.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/note_file.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::catalog;

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes Records(std::initializer_list<CatalogRecord> records) {
  Bytes out;
  for (const auto& r : records) {
    const auto e = EncodeRecord(r);
    out.insert(out.end(), e.begin(), e.end());
  }
  return out;
}

Bytes TextBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

// std::filesystem takes the host's separator; the program's paths use backslashes.
std::filesystem::path FsPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', static_cast<char>(std::filesystem::path::preferred_separator));
  return path;
}

void SetWritable(const std::string& path, bool writable) {
  std::filesystem::permissions(FsPath(path), std::filesystem::perms::owner_write,
                               writable ? std::filesystem::perm_options::add : std::filesystem::perm_options::remove);
}

// A working folder with its Catalogs folder, and image files to point records at.
class CatalogFiles : public ::testing::Test {
 protected:
  CatalogFiles() : catalogs_(CatalogsFolderOf(work_.path())) { CreateFolder(catalogs_); }

  std::string CatalogPath(std::string_view file_name) const { return JoinPath(catalogs_, file_name); }
  void WriteCatalog(std::string_view file_name, const Bytes& bytes) const {
    WriteFileBytes(CatalogPath(file_name), bytes);
  }
  Bytes ReadCatalog(std::string_view file_name) const { return ReadFileBytes(CatalogPath(file_name)); }
  std::vector<CatalogRecord> RecordsOf(std::string_view file_name) const {
    return ParseRecords(ReadCatalog(file_name));
  }
  // An image file that exists, in the working folder.
  std::string Image(std::string_view file_name) const {
    const std::string path = JoinPath(work_.path(), file_name);
    WriteFileBytes(path, Bytes{'B', 'M'});
    return path;
  }
  std::string Missing(std::string_view file_name) const { return JoinPath(work_.path(), file_name); }
  // Makes the temporary catalog impossible to create, as a full disk would.
  void BlockTempFile() const { CreateFolder(CatalogPath(kTempCatalogFileName)); }
  bool TempFileLeft() const { return FileExists(CatalogPath(kTempCatalogFileName)); }

  TempFolder work_;
  std::string catalogs_;
};

const CatalogRecord kA{"C:\\Pics\\a.bmp", "http://a.example/"};
const CatalogRecord kB{"C:\\Pics\\b.png", ""};
const CatalogRecord kC{"C:\\Pics\\c.jpg", "http://c.example/page"};
const CatalogRecord kEmpty{"", ""};
}  // namespace

TEST(CatalogNames, FileNameAndNameFollowTheFirstDot) {
  EXPECT_EQ(CatalogFileName("trip"), "trip.alb");
  EXPECT_EQ(CatalogNameOf("trip.alb"), "trip");
  EXPECT_EQ(CatalogNameOf("trip.2004.alb"), "trip");
  EXPECT_EQ(CatalogsFolderOf("C:\\Work"), "C:\\Work\\Catalogs");
}

TEST_F(CatalogFiles, AddCatalogRecord_NewCatalog_IsCreatedWithTheOneRecord) {
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", kA, {}));
  const auto want = EncodeRecord(kA);
  EXPECT_EQ(ReadCatalog("trip.alb"), Bytes(want.begin(), want.end()));
  EXPECT_FALSE(TempFileLeft());
}

TEST_F(CatalogFiles, AddCatalogRecord_NewPaths_AreAppendedInOrder) {
  for (const auto& r : {kA, kB, kC}) ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", r, {}));
  EXPECT_EQ(RecordsOf("trip.alb"), (std::vector<CatalogRecord>{kA, kB, kC}));
}

TEST_F(CatalogFiles, AddCatalogRecord_EmptyFile_GetsTheRecordAtItsStart) {
  WriteCatalog("trip.alb", {});
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", kB, {}));
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kB}));
}

TEST_F(CatalogFiles, AddCatalogRecord_ExactPathAlreadyThere_WritesNothingButReplacesTheNote) {
  const std::string image = Image("pic1.bmp");
  const CatalogRecord held{image, "http://old/"};
  WriteCatalog("trip.alb", Records({kA, held}));
  const std::string note = output::NotePathFor(image);
  WriteFileBytes(note, TextBytes("old note, longer than the new one\r\n"));

  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", {image, "http://new/"}, {"first", "second"}));

  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA, held}));  // the old URL stays too
  EXPECT_EQ(ReadFileBytes(note), TextBytes("first\r\nsecond\r\n"));
  EXPECT_EQ(note, JoinPath(work_.path(), "pic1bmp.txt"));
}

TEST_F(CatalogFiles, AddCatalogRecord_SamePathInOtherCase_IsAnotherRecord) {
  WriteCatalog("trip.alb", Records({kA}));
  const CatalogRecord upper{"C:\\PICS\\A.BMP", ""};
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", upper, {}));
  EXPECT_EQ(RecordsOf("trip.alb"), (std::vector<CatalogRecord>{kA, upper}));
}

TEST_F(CatalogFiles, AddCatalogRecord_EmptyPathRecord_EndsTheDuplicateScan) {
  WriteCatalog("trip.alb", Records({kA, kEmpty, kB}));
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", kB, {}));  // kB behind the empty path is not seen
  EXPECT_EQ(RecordsOf("trip.alb"), (std::vector<CatalogRecord>{kA, kEmpty, kB, kB}));
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", kA, {}));  // kA before it is
  EXPECT_EQ(RecordsOf("trip.alb").size(), 4u);
}

TEST_F(CatalogFiles, AddCatalogRecord_TrailingShortPiece_IsReplacedByTheNewRecord) {
  Bytes bytes = Records({kA});
  bytes.resize(bytes.size() + 100, 0x41);
  WriteCatalog("trip.alb", bytes);
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", kB, {}));
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA, kB}));
}

TEST_F(CatalogFiles, AddCatalogRecord_NoNoteLines_LeavesNotesAlone) {
  const std::string kept = Image("pic1.bmp");
  WriteFileBytes(output::NotePathFor(kept), TextBytes("keep\r\n"));
  const std::string fresh = Image("pic2.bmp");
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", {kept, "http://x/"}, {}));
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", {fresh, "http://y/"}, {}));
  EXPECT_EQ(ReadFileBytes(output::NotePathFor(kept)), TextBytes("keep\r\n"));
  EXPECT_FALSE(FileExists(output::NotePathFor(fresh)));
}

TEST_F(CatalogFiles, AddCatalogRecord_CatalogsFolderMissing_ReturnsFalseWithoutANote) {
  const std::string image = Image("pic1.bmp");
  EXPECT_FALSE(AddCatalogRecord(JoinPath(work_.path(), "NoSuchFolder"), "trip", {image, ""}, {"note"}));
  EXPECT_FALSE(FileExists(output::NotePathFor(image)));
}

TEST_F(CatalogFiles, AddCatalogRecord_RewriteFails_LeavesTheCatalogWholeWithoutANote) {
  const std::string image = Image("pic1.bmp");
  WriteCatalog("trip.alb", Records({kA, kB}));
  BlockTempFile();
  EXPECT_FALSE(AddCatalogRecord(catalogs_, "trip", {image, ""}, {"note"}));
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA, kB}));
  EXPECT_FALSE(FileExists(output::NotePathFor(image)));
}

TEST_F(CatalogFiles, Rewrites_ReadOnlyCatalog_AreRefusedAndLeaveItWhole) {
  const std::string image = Image("pic1.bmp");
  WriteCatalog("trip.alb", Records({kA, kB}));
  SetWritable(CatalogPath("trip.alb"), false);
  EXPECT_FALSE(AddCatalogRecord(catalogs_, "trip", {image, ""}, {"note"}));
  EXPECT_FALSE(RemoveCatalogRecord(catalogs_, kA.path, "trip.alb"));
  SetWritable(CatalogPath("trip.alb"), true);
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA, kB}));
  EXPECT_FALSE(FileExists(output::NotePathFor(image)));
  EXPECT_FALSE(TempFileLeft());
}

TEST_F(CatalogFiles, AddCatalogRecord_PathOver255_IsCutOnlyInTheRecord) {
  const std::string long_path = "C:\\" + std::string(260, 'd') + "\\pic1.bmp";
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", {long_path, ""}, {}));
  const Bytes bytes = ReadCatalog("trip.alb");
  ASSERT_EQ(bytes.size(), 512u);
  EXPECT_EQ(bytes[0], 255);
  EXPECT_EQ(RecordsOf("trip.alb")[0].path, long_path.substr(0, 255));

  // Lookups and the duplicate test see the path as the record holds it.
  EXPECT_EQ(FindCatalogOf(catalogs_, long_path), "trip.alb");
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", {long_path, ""}, {}));
  EXPECT_EQ(ReadCatalog("trip.alb"), bytes);
}

TEST_F(CatalogFiles, AddCatalogRecord_EmptyPath_IsRefusedAndWritesNothing) {
  // An empty path would end every reader's scan: the records after it would vanish.
  const std::string image = Image("pic1.bmp");
  WriteCatalog("trip.alb", Records({kA}));
  const struct { const char* catalog; const char* url; std::vector<std::string> notes; } cases[] = {
      {"trip", "", {}},
      {"trip", "http://a.example/", {"note"}},
      {"fresh", "", {"note"}},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(AddCatalogRecord(catalogs_, c.catalog, {"", c.url}, c.notes)) << c.catalog;
  }
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA}));
  EXPECT_FALSE(FileExists(CatalogPath("fresh.alb")));
  EXPECT_FALSE(FileExists(output::NotePathFor("")));
  EXPECT_FALSE(TempFileLeft());
  ASSERT_TRUE(AddCatalogRecord(catalogs_, "trip", {image, ""}, {}));  // the catalog still takes records
  EXPECT_EQ(RecordsOf("trip.alb"), (std::vector<CatalogRecord>{kA, {image, ""}}));
}

TEST_F(CatalogFiles, RemoveCatalogRecord_PathOver255_MatchesTheCutRecord) {
  const std::string long_path = "C:\\" + std::string(260, 'd') + "\\pic1.bmp";
  const std::string other_long = "C:\\" + std::string(260, 'd') + "\\pic2.bmp";  // the same first 255
  const std::string shorter = long_path.substr(0, 254);
  const struct { std::string removed; bool removes; } cases[] = {
      {long_path, true},
      {other_long, true},  // a record cannot tell them apart, as the lookups cannot
      {long_path.substr(0, 255), true},
      {shorter, false},
      {ToLower(long_path), false},  // case still counts
  };
  for (const auto& c : cases) {
    WriteCatalog("trip.alb", Records({kA, {long_path, "http://long/"}, kB}));
    ASSERT_EQ(FindCatalogOf(catalogs_, c.removed).empty(), c.removed == shorter) << c.removed.size();
    EXPECT_EQ(RemoveCatalogRecord(catalogs_, c.removed, "trip.alb"), c.removes) << c.removed.size();
    EXPECT_EQ(RecordsOf("trip.alb").size(), c.removes ? 2u : 3u) << c.removed.size();
  }
}

TEST_F(CatalogFiles, RemoveCatalogRecord_MiddleRecord_KeepsTheOthersInOrderByteForByte) {
  Bytes bytes = Records({kA, kB, kC, kA});
  std::fill(bytes.begin() + 512 * 2 + 100, bytes.begin() + 512 * 2 + 200, 0x7E);  // kC's unused bytes
  WriteCatalog("trip.alb", bytes);

  ASSERT_TRUE(RemoveCatalogRecord(catalogs_, kA.path, "trip.alb"));

  EXPECT_EQ(ReadCatalog("trip.alb"), Bytes(bytes.begin() + 512, bytes.begin() + 512 * 3));
  EXPECT_FALSE(TempFileLeft());
}

TEST_F(CatalogFiles, RemoveCatalogRecord_PathInOtherCase_IsKept) {
  WriteCatalog("trip.alb", Records({kA, kB}));
  EXPECT_FALSE(RemoveCatalogRecord(catalogs_, ToLower(kA.path), "trip.alb"));
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA, kB}));
}

TEST_F(CatalogFiles, RemoveCatalogRecord_LastRecord_LeavesAnEmptyCatalog) {
  WriteCatalog("trip.alb", Records({kB}));
  ASSERT_TRUE(RemoveCatalogRecord(catalogs_, kB.path, "trip.alb"));
  EXPECT_TRUE(ReadCatalog("trip.alb").empty());
  EXPECT_EQ(ListCatalogs(catalogs_), std::vector<std::string>{"trip"});
}

TEST_F(CatalogFiles, RemoveCatalogRecord_MissingOrEmptyCatalog_IsLeftAlone) {
  EXPECT_FALSE(RemoveCatalogRecord(catalogs_, kA.path, "none.alb"));
  EXPECT_FALSE(FileExists(CatalogPath("none.alb")));
  WriteCatalog("empty.alb", {});
  EXPECT_FALSE(RemoveCatalogRecord(catalogs_, kA.path, "empty.alb"));
  EXPECT_TRUE(ReadCatalog("empty.alb").empty());
  EXPECT_FALSE(TempFileLeft());
}

TEST_F(CatalogFiles, RemoveCatalogRecord_RewriteFails_LeavesTheCatalogWhole) {
  WriteCatalog("trip.alb", Records({kA, kB, kC}));
  BlockTempFile();
  EXPECT_FALSE(RemoveCatalogRecord(catalogs_, kB.path, "trip.alb"));
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kA, kB, kC}));
}

TEST_F(CatalogFiles, RemoveCatalogRecord_TrailingShortPiece_KeepsTheWholeRecords) {
  Bytes bytes = Records({kA, kB});
  bytes.resize(bytes.size() + 77, 0x33);
  WriteCatalog("trip.alb", bytes);
  ASSERT_TRUE(RemoveCatalogRecord(catalogs_, kA.path, "trip.alb"));
  EXPECT_EQ(ReadCatalog("trip.alb"), Records({kB}));
}

TEST_F(CatalogFiles, FindCatalogOf_ComparesPathsIgnoringCase) {
  WriteCatalog("trip.alb", Records({kA, kB}));
  EXPECT_EQ(FindCatalogOf(catalogs_, "c:\\pics\\B.PNG"), "trip.alb");
  EXPECT_TRUE(IsInAnyCatalog(catalogs_, kA.path));
  EXPECT_EQ(FindCatalogOf(catalogs_, kC.path), "");
  EXPECT_FALSE(IsInAnyCatalog(catalogs_, kC.path));
  EXPECT_FALSE(IsInAnyCatalog(JoinPath(work_.path(), "NoSuchFolder"), kA.path));
}

TEST_F(CatalogFiles, FindCatalogOf_TwoCatalogsHoldThePath_GivesTheFirstInFolderOrder) {
  WriteCatalog("one.alb", Records({kB}));
  WriteCatalog("two.alb", Records({kA}));
  WriteCatalog("three.alb", Records({kC, kA}));
  const auto order = ListCatalogFiles(catalogs_);
  ASSERT_EQ(order.size(), 3u);
  const auto first = std::find_if(order.begin(), order.end(), [](const std::string& f) { return f != "one.alb"; });
  EXPECT_EQ(FindCatalogOf(catalogs_, kA.path), *first);
}

TEST_F(CatalogFiles, ZeroLengthPath_EndsLoadOpenCatalogButNotFindCatalogOf) {
  const std::string a = Image("a.bmp"), b = Image("b.bmp");
  WriteCatalog("trip.alb", Records({{a, ""}, kEmpty, {b, "http://b/"}}));

  EXPECT_EQ(FindCatalogOf(catalogs_, b), "trip.alb");
  const LoadedCatalog loaded = LoadOpenCatalog(catalogs_, "trip", [](const std::string&) { return false; });
  EXPECT_EQ(loaded.entries, (std::vector<CatalogRecord>{{a, ""}}));
  EXPECT_EQ(loaded.record_count, 2u);  // the empty record is counted
  EXPECT_EQ(CountCatalogRecords(catalogs_, "trip"), 0u);
}

TEST_F(CatalogFiles, Lookups_EntriesThatAreNoCatalogs_AreIgnored) {
  WriteCatalog("notes.txt", Records({kA}));
  CreateFolder(CatalogPath("folder.alb"));
  WriteCatalog("readonly.alb", Records({kA}));
  SetWritable(CatalogPath("readonly.alb"), false);
  WriteCatalog("trip.albums", Records({kA}));

  EXPECT_EQ(FindCatalogOf(catalogs_, kA.path), "");
  EXPECT_TRUE(ListCatalogs(catalogs_).empty());
  SetWritable(CatalogPath("readonly.alb"), true);
}

TEST_F(CatalogFiles, ListCatalogs_NamesUpToTheFirstDot_EveryCatalogOnce) {
  WriteCatalog("one.alb", {});
  WriteCatalog("two.old.alb", Records({kA}));
  WriteCatalog("Three.ALB", Records({kB}));
  auto names = ListCatalogs(catalogs_);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Three", "one", "two"}));
  EXPECT_TRUE(ListCatalogs(JoinPath(work_.path(), "NoSuchFolder")).empty());
}

TEST_F(CatalogFiles, CountCatalogRecords_WholeRecordsOrZero) {
  Bytes torn = Records({kA, kB});
  torn.resize(torn.size() + 511, 1);
  const struct { const char* name; Bytes bytes; std::size_t count; } cases[] = {
      {"empty", {}, 0},
      {"two", Records({kA, kB}), 2},
      {"torn", torn, 2},
      {"holed", Records({kA, kEmpty, kB}), 0},
  };
  for (const auto& c : cases) {
    WriteCatalog(CatalogFileName(c.name), c.bytes);
    EXPECT_EQ(CountCatalogRecords(catalogs_, c.name), c.count) << c.name;
  }
  EXPECT_EQ(CountCatalogRecords(catalogs_, "missing"), 0u);
}

TEST_F(CatalogFiles, Lookups_SizeNotAMultipleOf512_ReadWholeRecordsAndLeaveTheFile) {
  const std::string a = Image("a.bmp"), b = Image("b.bmp");
  Bytes bytes = Records({{a, ""}, {b, ""}});
  bytes.resize(512 + 300);  // the second record is torn
  WriteCatalog("trip.alb", bytes);

  EXPECT_EQ(FindCatalogOf(catalogs_, a), "trip.alb");
  EXPECT_EQ(FindCatalogOf(catalogs_, b), "");
  EXPECT_EQ(CountCatalogRecords(catalogs_, "trip"), 1u);
  OpenCatalog open;
  open.Open("trip");
  EXPECT_FALSE(IsInOpenCatalog(catalogs_, open, b));
  const auto loaded = LoadOpenCatalog(catalogs_, "trip", [](const std::string&) { return false; });
  EXPECT_EQ(loaded.entries, (std::vector<CatalogRecord>{{a, ""}}));
  EXPECT_EQ(loaded.record_count, 1u);
  EXPECT_EQ(ReadCatalog("trip.alb"), bytes);
}

TEST_F(CatalogFiles, Lookups_CatalogThatIsNoFile_HoldsNothingAndIsUntouched) {
  CreateFolder(CatalogPath("trip.alb"));
  OpenCatalog open;
  open.Open("trip");
  const auto loaded = LoadOpenCatalog(catalogs_, "trip", [](const std::string&) { return false; });
  EXPECT_TRUE(loaded.IsEmpty());
  EXPECT_TRUE(loaded.entries.empty());
  EXPECT_FALSE(IsInOpenCatalog(catalogs_, open, kA.path));
  EXPECT_EQ(CountCatalogRecords(catalogs_, "trip"), 0u);
  EXPECT_FALSE(RemoveCatalogRecord(catalogs_, kA.path, "trip.alb"));
  EXPECT_TRUE(FolderExists(CatalogPath("trip.alb")));
}

TEST(OpenCatalogState, StatusTextWhileOpen_EmptyAfterClose) {
  OpenCatalog open;
  EXPECT_EQ(open.StatusText(), "");
  open.Open("trip");
  EXPECT_EQ(open.StatusText(), "Catalog: trip");
  open.Close();
  EXPECT_FALSE(open.open);
  EXPECT_EQ(open.name, "");
  EXPECT_EQ(open.StatusText(), "");
}

TEST_F(CatalogFiles, IsInOpenCatalog_OnlyWhileOpen_IgnoringCase) {
  WriteCatalog("trip.alb", Records({kA}));
  WriteCatalog("other.alb", Records({kB}));
  OpenCatalog open;
  EXPECT_FALSE(IsInOpenCatalog(catalogs_, open, kA.path));
  open.Open("trip");
  EXPECT_TRUE(IsInOpenCatalog(catalogs_, open, ToLower(kA.path)));
  EXPECT_FALSE(IsInOpenCatalog(catalogs_, open, kB.path));
}

TEST_F(CatalogFiles, LoadOpenCatalog_ExistingFiles_AreEntriesWithTheirUrlsInOrder) {
  const std::string a = Image("a.bmp"), b = Image("b.png");
  WriteCatalog("trip.alb", Records({{b, "http://b/"}, {a, ""}}));
  const auto loaded = LoadOpenCatalog(catalogs_, "trip", [](const std::string&) { return false; });
  EXPECT_EQ(loaded.entries, (std::vector<CatalogRecord>{{b, "http://b/"}, {a, ""}}));
  EXPECT_EQ(loaded.record_count, 2u);
  EXPECT_FALSE(loaded.IsEmpty());
}

TEST_F(CatalogFiles, LoadOpenCatalog_PathsInTheSessionOrTwiceInTheCatalog_AreSkipped) {
  const std::string a = Image("a.bmp"), b = Image("b.bmp"), c = Image("c.bmp");
  WriteCatalog("trip.alb", Records({{a, ""}, {b, ""}, {ToLower(c), ""}, {c, "http://c/"}}));
  const std::string session = ToLower(a);
  const auto loaded =
      LoadOpenCatalog(catalogs_, "trip", [&](const std::string& p) { return EqualsIgnoreCase(p, session); });
  EXPECT_EQ(loaded.entries, (std::vector<CatalogRecord>{{b, ""}, {ToLower(c), ""}}));
  EXPECT_EQ(loaded.record_count, 4u);
}

TEST_F(CatalogFiles, LoadOpenCatalog_MissingFiles_AreRemovedAndNotCounted) {
  const std::string a = Image("a.bmp"), c = Image("c.bmp");
  const std::string gone1 = Missing("gone1.bmp"), gone2 = Missing("gone2.bmp");
  WriteCatalog("trip.alb", Records({{gone1, ""}, {a, "http://a/"}, {gone2, ""}, {c, ""}}));

  const auto loaded = LoadOpenCatalog(catalogs_, "trip", [](const std::string&) { return false; });

  EXPECT_EQ(loaded.entries, (std::vector<CatalogRecord>{{a, "http://a/"}, {c, ""}}));
  EXPECT_EQ(loaded.record_count, 2u);
  EXPECT_EQ(RecordsOf("trip.alb"), (std::vector<CatalogRecord>{{a, "http://a/"}, {c, ""}}));
}

TEST_F(CatalogFiles, LoadOpenCatalog_NothingLeft_IsEmpty) {
  WriteCatalog("trip.alb", Records({{Missing("gone.bmp"), ""}}));
  WriteCatalog("blank.alb", {});
  for (const char* name : {"trip", "blank", "missing"}) {
    const auto loaded = LoadOpenCatalog(catalogs_, name, [](const std::string&) { return false; });
    EXPECT_TRUE(loaded.IsEmpty()) << name;
    EXPECT_TRUE(loaded.entries.empty()) << name;
  }
  EXPECT_TRUE(ReadCatalog("trip.alb").empty());
  EXPECT_FALSE(FileExists(CatalogPath("missing.alb")));
  EXPECT_EQ(NoImagesInCatalogMessage("trip"), "There are no images in the catalog trip.");
}

TEST_F(CatalogFiles, SessionIndexesInOpenCatalog_HeldPathsOnlyWhileOpen) {
  WriteCatalog("trip.alb", Records({kA, kEmpty, kC}));
  const std::vector<std::string> session{kA.path, kB.path, ToLower(kC.path), "C:\\Pics\\d.bmp"};
  OpenCatalog open;
  EXPECT_TRUE(SessionIndexesInOpenCatalog(catalogs_, open, session).empty());
  open.Open("trip");
  EXPECT_EQ(SessionIndexesInOpenCatalog(catalogs_, open, session), (std::vector<std::size_t>{0, 2}));
  open.Open("other");
  EXPECT_TRUE(SessionIndexesInOpenCatalog(catalogs_, open, session).empty());
}
