#include "output/note_file.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::output;

TEST(NoteFileName, BaseUpToFirstDotPlusThreeCharactersAfterLastDot) {
  const struct { const char* image; const char* note; } cases[] = {
      {"pic1.bmp", "pic1bmp.txt"},
      {"my.shot.png", "mypng.txt"},
      {"shot.bmp", "shotbmp.txt"},
      {"shot.bmp.png", "shotpng.txt"},  // shares the base "shot" with shot.bmp
      {"photo.jpeg", "photojpe.txt"},
      {"a.b", "ab.txt"},
      {"readme", "readme.txt"},
      {"pic.", "pic.txt"},
      {"Pic1.BMP", "Pic1BMP.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(NoteFileName(c.image), c.note) << c.image;
}

TEST(NotePathFor, StaysInTheImageFolderWhoseDotsDoNotCount) {
  EXPECT_EQ(NotePathFor("C:\\My.Pics\\shot.bmp.png"), "C:\\My.Pics\\shotpng.txt");
  EXPECT_EQ(NotePathFor("C:\\My.Pics\\readme"), "C:\\My.Pics\\readme.txt");
  EXPECT_EQ(NotePathFor("pic1.bmp"), "pic1bmp.txt");
}

TEST(NotePathFor, PathLongerThan255_IsNotCut) {
  const std::string folder = "C:\\" + std::string(290, 'f');
  EXPECT_EQ(NotePathFor(folder + "\\pic1.bmp"), folder + "\\pic1bmp.txt");
}

TEST(WriteNoteLines, ExistingNote_IsReplacedByCrLfLines) {
  TempFolder dir;
  const std::string note = JoinPath(dir.path(), "pic1bmp.txt");
  const std::string old = "a much longer old note that must not survive\r\n";
  WriteFileBytes(note, std::vector<std::uint8_t>(old.begin(), old.end()));
  WriteNoteLines(note, {"first", "", "caf\xE9"});
  const auto bytes = ReadFileBytes(note);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "first\r\n\r\ncaf\xE9\r\n");
}
