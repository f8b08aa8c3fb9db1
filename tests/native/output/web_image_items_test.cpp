#include "output/web_image_items.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::output;

namespace {

class OneLineSelected : public session::Selection {
 public:
  std::vector<std::size_t> Selected() const override { return {0}; }
  int Focused() const override { return 0; }
  void SelectOnly(std::size_t) override {}
  void SelectAll() override {}
};

}  // namespace

TEST(WebImageItems, EmptyNoteDeletedAsTheMenuOpens_ItemStaysEnabledForTheCommand) {
  TempFolder dir;
  const std::string image = JoinPath(dir.path(), "pic1.bmp");
  const std::string note = JoinPath(dir.path(), "pic1bmp.txt");
  WriteFileBytes(note, std::vector<std::uint8_t>{});
  session::Session s;
  s.Append({"pic1.bmp", image, "http://example.test/", session::SessionMark::None});
  OneLineSelected selection;
  WebImageItems items;

  EXPECT_TRUE(items.NoteMenuOpening(s, selection));
  EXPECT_FALSE(FileExists(note));
  EXPECT_EQ(items.RememberedNotePath(), note);
  // The command asks again after the deletion: the opening's answer holds.
  EXPECT_TRUE(items.NoteEnabled());
  // The next opening finds no note.
  EXPECT_FALSE(items.NoteMenuOpening(s, selection));
  EXPECT_FALSE(items.NoteEnabled());
}
