#include "output/web_image_items.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "output/note_file.h"
#include "temp_folder.h"

using namespace ocelot;
using output::WebImageItems;

namespace {

// A selection of a test: the lines it names.
class FakeSelection : public session::Selection {
 public:
  std::vector<std::size_t> Selected() const override { return lines; }
  int Focused() const override { return lines.empty() ? -1 : static_cast<int>(lines.back()); }
  void SelectOnly(std::size_t i) override { lines = {i}; }
  void SelectAll() override {}
  std::vector<std::size_t> lines;
};

class WebImageItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.Append({"pic1.bmp", Path("pic1.bmp"), "http://example.org/a", session::SessionMark::None});
    session_.Append({"pic2.bmp", Path("pic2.bmp"), "", session::SessionMark::None});
    session_.Append({"pic3.bmp", Path("pic3.bmp"), "http://example.org/b", session::SessionMark::None});
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  std::string Note(std::size_t i) const { return output::NotePathFor(session_.At(i).path); }
  void WriteNote(std::size_t i, const std::string& text) {
    WriteFileBytes(Note(i), std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  TempFolder dir_;
  session::Session session_;
  FakeSelection selection_;
  WebImageItems items_;
};

}  // namespace

TEST_F(WebImageItemsTest, GoToUrlFollowsTheOneSelectedImageAndKeepsItsStateOtherwise) {
  struct Step {
    std::vector<std::size_t> selected;
    bool enabled;
  };
  const Step steps[] = {
      {{}, false},      // at start
      {{0}, true},      // a web image
      {{0, 1}, true},   // several: as before
      {{1}, false},     // an image without an address
      {{}, false},      // none: as before
      {{2}, true},
      {{}, true},
  };
  for (const auto& step : steps) {
    selection_.lines = step.selected;
    EXPECT_EQ(items_.GoToUrlEnabled(session_, selection_), step.enabled) << step.selected.size();
  }
  // Once no image has an address the item is disabled, whatever was selected before.
  session_.RemoveAt(2);
  session_.RemoveAt(0);
  selection_.lines = {};
  EXPECT_FALSE(items_.GoToUrlEnabled(session_, selection_));
}

TEST_F(WebImageItemsTest, NoteItemIsEnabledWhenTheNoteFileExistedAndAnEmptyNoteIsRemoved) {
  WriteNote(0, "");
  WriteNote(2, "a line of the note");

  selection_.lines = {0};
  EXPECT_TRUE(items_.NoteMenuOpening(session_, selection_));  // so "Do you want to add note?" is reachable
  EXPECT_FALSE(FileExists(Note(0)));
  EXPECT_EQ(items_.RememberedNotePath(), Note(0));
  // Asked again when the command comes, the state stands although the file is gone.
  EXPECT_TRUE(items_.NoteEnabled());

  selection_.lines = {2};
  EXPECT_TRUE(items_.NoteMenuOpening(session_, selection_));
  EXPECT_TRUE(FileExists(Note(2)));
  EXPECT_EQ(items_.RememberedNotePath(), Note(2));

  selection_.lines = {0};  // its note is gone now
  EXPECT_FALSE(items_.NoteMenuOpening(session_, selection_));

  selection_.lines = {1};  // no web address: disabled, nothing remembered
  EXPECT_FALSE(items_.NoteMenuOpening(session_, selection_));
  EXPECT_EQ(items_.RememberedNotePath(), "");
}

TEST_F(WebImageItemsTest, NoteItemKeepsItsStateWithoutOneSelectedImage) {
  WriteNote(2, "note");
  selection_.lines = {2};
  ASSERT_TRUE(items_.NoteMenuOpening(session_, selection_));
  selection_.lines = {};
  EXPECT_TRUE(items_.NoteMenuOpening(session_, selection_));
  EXPECT_EQ(items_.RememberedNotePath(), Note(2));  // nothing selected: nothing changes
  selection_.lines = {0, 2};
  EXPECT_TRUE(items_.NoteMenuOpening(session_, selection_));
  EXPECT_EQ(items_.RememberedNotePath(), "");  // a selection forgets the remembered note
}
