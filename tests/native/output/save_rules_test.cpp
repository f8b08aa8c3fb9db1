#include "output/save_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::output;

namespace {
std::string TextOf(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }
void WriteText(const std::string& path, std::string_view text) {
  WriteFileBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}
}  // namespace

TEST(SaveDialogFilter, SevenTypesInFormatOrder_AsTheDialogReadsThem) {
  EXPECT_EQ(SaveDialogFilter(),
            "Bitmap (*.bmp)|*.bmp|GIF (*.gif)|*.gif|JPEG (*.jpg)|*.jpg|PaintBrush (*.pcx)|*.pcx|"
            "Portable Network Graphic (*.png)|*.png|Targa (*.tga)|*.tga|TIFF (*.tif)|*.tif");
  const std::string nul = SaveDialogFilterForDialog();
  EXPECT_EQ(nul.find('|'), std::string::npos);
  ASSERT_GE(nul.size(), 2u);
  EXPECT_EQ(nul.substr(nul.size() - 2), std::string("\0\0", 2));
  EXPECT_EQ(std::count(nul.begin(), nul.end(), '\0'), 15);  // 14 separators + the closing one
}

TEST(SaveTypeOfPath, ExtensionPicksTypeInLowerCase_OthersKeepThePreviousType) {
  const struct { const char* path; int type; } cases[] = {
      {"pic1.bmp", 1}, {"pic1.GIF", 2}, {"C:\\a\\b.Jpg", 3}, {"x.pcx", 4}, {"x.png", 5},
      {"x.tga", 6},    {"x.tif", 7},    {"x.tiff", 0},       {"x.jpeg", 0}, {"x", 0},
      {"x.", 0},       {"C:\\my.dir\\x", 0}, {"a.png.bmp", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveTypeOfPath(c.path), c.type) << c.path;
}

TEST(SaveTypes, NumberedOneToSevenInFormatOrder) {
  const char* ext[] = {".bmp", ".gif", ".jpg", ".pcx", ".png", ".tga", ".tif"};
  for (int type = 1; type <= kSaveTypeCount; ++type) {
    const auto format = ImageFormatOfSaveType(type);
    ASSERT_TRUE(format.has_value()) << type;
    EXPECT_EQ(settings::StoredValue(*format), type - 1);
    EXPECT_EQ(SaveTypeOf(*format), type);
    EXPECT_STREQ(SaveTypeExtension(type), ext[type - 1]);
    EXPECT_EQ(SaveTypeOfPath(std::string("x") + ext[type - 1]), type);
  }
  for (const int bad : {0, 8, -1}) {
    EXPECT_EQ(ImageFormatOfSaveType(bad), std::nullopt) << bad;
    EXPECT_STREQ(SaveTypeExtension(bad), "") << bad;
  }
}

TEST(WithTypeExtension, NameFollowsTheChosenType) {
  const struct { const char* name; int type; const char* expected; } cases[] = {
      {"pic1.bmp", 3, "pic1.jpg"},
      {"shot", 5, "shot.png"},
      {"my.shot.gif", 7, "my.shot.tif"},
      {"C:\\my.dir\\shot", 2, "C:\\my.dir\\shot.gif"},
      {"C:\\my.dir\\shot.pcx", 6, "C:\\my.dir\\shot.tga"},
      {"name.", 1, "name.bmp"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithTypeExtension(c.name, c.type), c.expected) << c.name;
}

TEST(WriterForSavePath, ExtensionChoosesWriterOrMessage) {
  const struct { const char* path; SaveWriter writer; } cases[] = {
      {"C:\\out\\a.gif", SaveWriter::Gif},
      {"C:\\out\\a.JPG", SaveWriter::Jpeg},
      {"C:\\out\\a.bmp", SaveWriter::ByExtension},
      {"C:\\out\\a.pcx", SaveWriter::ByExtension},
      {"C:\\out\\a.png", SaveWriter::ByExtension},
      {"C:\\out\\a.tga", SaveWriter::ByExtension},
      {"C:\\out\\a.TIF", SaveWriter::ByExtension},
      {"C:\\out\\a", SaveWriter::MissingExtension},
      {"C:\\out\\a.", SaveWriter::MissingExtension},
      {"C:\\my.dir\\a", SaveWriter::MissingExtension},
      {"C:\\out\\a.xyz", SaveWriter::UnknownExtension},
      {"C:\\out\\a.jpeg", SaveWriter::UnknownExtension},
  };
  for (const auto& c : cases) EXPECT_EQ(WriterForSavePath(c.path), c.writer) << c.path;
}

TEST(SaveMessages, TextsAsTheUserSeesThem) {
  EXPECT_STREQ(kValidFormatsMessage, "Valid formats are:\rBMP, GIF, JPG, PCX, PNG, TGA, and TIF");
  EXPECT_STREQ(kMissingExtensionMessage,
               "Please enter the proper image extension (.bmp, .gif, .jpg, .pcx, .png, .tga,or .tif).");
}

TEST(IsReservedSaveTarget, ProgramAndWorkingFoldersAndBelow_LongOrShort) {
  const ReservedFolders reserved{"C:\\Program Files\\Ocelot\\", "C:\\PROGRA~1\\Ocelot\\",
                                 "C:\\Users\\me\\Documents\\Ocelot", "C:\\Users\\me\\DOCUME~1\\Ocelot"};
  const struct { const char* chosen; const char* chosen_short; bool refused; } cases[] = {
      {"C:\\Program Files\\Ocelot\\a.bmp", "C:\\PROGRA~1\\Ocelot\\a.bmp", true},
      {"c:\\program files\\ocelot\\sub\\a.bmp", "", true},
      {"C:\\Users\\me\\Documents\\Ocelot\\a.bmp", "", true},
      {"C:\\USERS\\ME\\DOCUMENTS\\OCELOT\\Catalogs\\a.bmp", "", true},
      // Typed in short form: only the short comparison sees it.
      {"C:\\PROGRA~1\\Ocelot\\a.bmp", "C:\\PROGRA~1\\Ocelot\\a.bmp", true},
      {"C:\\Users\\me\\DOCUME~1\\Ocelot\\a.bmp", "C:\\Users\\me\\DOCUME~1\\Ocelot\\a.bmp", true},
      // Siblings whose names start like a reserved folder are ordinary folders.
      {"C:\\Users\\me\\Documents\\Ocelot Pictures\\a.bmp", "C:\\Users\\me\\DOCUME~1\\OCELOT~1\\a.bmp", false},
      {"C:\\Program Files\\Ocelot2\\a.bmp", "C:\\PROGRA~1\\Ocelot2\\a.bmp", false},
      {"C:\\Users\\me\\Pictures\\a.bmp", "C:\\Users\\me\\PICTUR~1\\a.bmp", false},
      {"D:\\a.bmp", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsReservedSaveTarget(reserved, c.chosen, c.chosen_short), c.refused) << c.chosen;
}

TEST(IsReservedSaveTarget, ShortFormsTheSystemCouldNotGive_RefuseNothing) {
  const ReservedFolders reserved{"C:\\Ocelot\\", "", "C:\\Work", ""};
  EXPECT_FALSE(IsReservedSaveTarget(reserved, "D:\\pics\\a.bmp", ""));
  EXPECT_FALSE(IsReservedSaveTarget(reserved, "D:\\pics\\a.bmp", "D:\\pics\\a.bmp"));
  EXPECT_TRUE(IsReservedSaveTarget(reserved, "C:\\Work\\a.bmp", ""));
}

TEST(IsReservedQuickSaveFolder, ProgramFileOrWorkingFolderAndBelow) {
  const char* working = "C:\\Users\\me\\Documents\\Ocelot";
  const struct { const char* folder; bool holds_program; bool refused; } cases[] = {
      {"C:\\Users\\me\\Documents\\Ocelot", false, true},
      {"c:\\users\\me\\documents\\ocelot\\", false, true},
      {"C:\\Users\\me\\Documents\\Ocelot\\Profiles", false, true},
      {"C:\\Users\\me\\Documents\\Ocelot Pictures", false, false},
      {"C:\\Users\\me\\Documents", false, false},
      {"C:\\", false, false},
      {"C:\\Program Files\\Ocelot", true, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsReservedQuickSaveFolder(c.folder, working, c.holds_program), c.refused) << c.folder;
}

TEST(SameFolder, IgnoresCaseAndTrailingBackslash) {
  EXPECT_TRUE(SameFolder("C:\\", "c:"));
  EXPECT_TRUE(SameFolder("C:\\Pics\\", "c:\\pics"));
  EXPECT_FALSE(SameFolder("C:\\Pics", "C:\\Pics2"));
}

TEST(EntryOverwrittenBySave, AnotherEntrysPathIsDropped_OwnPathIsNot) {
  const std::vector<std::string> paths = {"C:\\w\\pic1.bmp", "D:\\out\\a.png", "D:\\out\\b.png", "D:\\out\\a.png"};
  const struct { std::size_t saved; const char* chosen; std::optional<std::size_t> dropped; } cases[] = {
      {0, "d:\\OUT\\a.png", 1},        // first other entry with that path
      {0, "D:\\out\\c.png", std::nullopt},
      {1, "D:\\OUT\\A.PNG", std::nullopt},  // its own file, whatever the case
      {2, "D:\\out\\a.png", 1},
      {3, "D:\\out\\b.png", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(EntryOverwrittenBySave(paths, c.saved, c.chosen), c.dropped) << c.chosen;
}

TEST(RemovalOrder, EachIndexOnceHighestFirst) {
  EXPECT_EQ(RemovalOrder({2, 5, 2, 0}), (std::vector<std::size_t>{5, 2, 0}));
  EXPECT_TRUE(RemovalOrder({}).empty());
}

TEST(CatalogCheck, FormAndIconByCallerAndOpenCatalog) {
  const std::string a = "shot.png is already in catalog Trips.\rPlease save using a different file name.";
  const std::string b = "shot.png is already in the Trips catalog.\rPlease save using a different file name.";
  const struct {
    bool catalog_mode, viewer_open;
    const char* open_name;
    bool open;
    const std::string* text;
    bool error_icon, over_viewer;
  } cases[] = {
      {false, false, "", false, &a, false, false},     // main window
      {false, false, "Trips", true, &a, false, false},  // the open catalog does not matter here
      {false, true, "", false, &b, true, true},        // over the thumbnails viewer
      {true, false, "trips", true, &b, true, false},    // catalog mode, held by the open catalog
      {true, false, "Other", true, &a, true, false},    // catalog mode, another catalog
      {true, false, "Trips", false, &a, true, false},   // a name without the open flag
  };
  for (const auto& c : cases) {
    const auto m = CatalogCheck(c.catalog_mode, c.viewer_open, "shot.png", "Trips", c.open_name, c.open);
    EXPECT_EQ(m.text, *c.text);
    EXPECT_EQ(m.error_icon, c.error_icon);
    EXPECT_EQ(m.over_viewer, c.over_viewer);
  }
}

TEST(NoteQuestion, NamesFileAndCatalog) {
  EXPECT_EQ(NoteQuestion("a.png", "Trips"),
            "a.png is linked to a URL and is being recorded in Trips.\rWould you like to add a note?");
}

TEST(ParseJpegConfig, QualityAndProgressive_BadQualityFallsBackToBestBaseline) {
  const struct { const char* text; JpegSettings expected; } cases[] = {
      {"70\r\n1\r\n", {70, true}},
      {"70\r\n0\r\n", {70, false}},
      {"0\r\n1\r\n", {0, true}},
      {"100\r\n", {100, false}},
      {"75\r\nyes\r\n", {75, false}},  // only "1" means progressive
      {" 40 \r\n1", {40, true}},
      {"", {100, false}},
      {"abc\r\n1\r\n", {100, false}},
      {"70x\r\n1\r\n", {100, false}},
      {"101\r\n1\r\n", {100, false}},
      {"-10\r\n1\r\n", {100, false}},
      {"99999999999999999999\r\n1\r\n", {100, false}},
      {"\r\n1\r\n", {100, false}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseJpegConfig(c.text), c.expected) << c.text;
}

TEST(JpegConfigFile, WrittenAsTwoCrLfLines_MissingGivesBestBaseline) {
  TempFolder work;
  EXPECT_EQ(ReadJpegConfig(work.path()), (JpegSettings{100, false}));
  WriteJpegConfig(work.path(), {60, true});
  EXPECT_EQ(TextOf(ReadFileBytes(JoinPath(work.path(), "jpeg.cfg"))), "60\r\n1\r\n");
  EXPECT_EQ(ReadJpegConfig(work.path()), (JpegSettings{60, true}));
  WriteJpegConfig(work.path(), {100, false});
  EXPECT_EQ(TextOf(ReadFileBytes(JoinPath(work.path(), "jpeg.cfg"))), "100\r\n0\r\n");
}

TEST(CompressionPosition, QualityIsHundredLessTenPerStep) {
  const struct { int position, quality; } steps[] = {{0, 100}, {1, 90}, {5, 50}, {10, 0}};
  for (const auto& s : steps) {
    EXPECT_EQ(QualityOfPosition(s.position), s.quality);
    EXPECT_EQ(PositionOfQuality(s.quality), s.position);
  }
  EXPECT_EQ(PositionOfQuality(75), 2);  // (100 - 75) / 10, truncated
  EXPECT_EQ(PositionOfQuality(5), 9);
}

TEST(LastSaveFolder, FirstLineKept_MissingOrEmptyGivesNothing) {
  TempFolder work;
  EXPECT_EQ(ReadLastSaveFolder(work.path()), std::nullopt);
  WriteLastSaveFolder(work.path(), "D:\\Shots");
  EXPECT_EQ(TextOf(ReadFileBytes(JoinPath(work.path(), "lastsave.dat"))), "D:\\Shots\r\n");
  EXPECT_EQ(ReadLastSaveFolder(work.path()), "D:\\Shots");
  WriteText(JoinPath(work.path(), "lastsave.dat"), "C:\\\r\nD:\\Other\r\n");
  EXPECT_EQ(ReadLastSaveFolder(work.path()), "C:\\");
  WriteText(JoinPath(work.path(), "lastsave.dat"), "");
  EXPECT_EQ(ReadLastSaveFolder(work.path()), std::nullopt);
}

TEST(QuickSaveTitle, StartFolderFollowsTheWords) {
  EXPECT_EQ(QuickSaveTitle("D:\\Shots"), "Save Selected Images To D:\\Shots");
}
