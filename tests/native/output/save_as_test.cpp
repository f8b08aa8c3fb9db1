#include "output/save_as.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <set>

#include "catalog/catalog_files.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/note_file.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::output;
using imaging::Image;
using imaging::PixelFormat;

namespace {

struct Entry {
  Entry(std::string p, std::string u, std::optional<SaveMark> m = std::nullopt)
      : path(std::move(p)), url(std::move(u)), mark(m) {}
  std::string path, url;
  std::optional<SaveMark> mark;  // nothing: the line as it was
};

struct ShownMessage {
  std::string text, caption;
  MessageIcon icon;
  bool over_viewer;
};

// The window's side of Save As: a session list, a view and dialogs answered from scripts;
// catalogs are real files in a temporary working folder.
class FakeHost : public SaveAsHost {
 public:
  explicit FakeHost(std::string catalogs) : catalogs_(std::move(catalogs)) {}

  std::size_t EntryCount() const override { return entries.size(); }
  std::vector<std::size_t> SelectedEntries() const override { return selected; }
  std::string EntryPath(std::size_t i) const override { return entries.at(i).path; }
  std::string EntryUrl(std::size_t i) const override { return entries.at(i).url; }
  void AppendEntry(const std::string& path, const std::string& url, SaveMark mark) override {
    entries.push_back({path, url, mark});
  }
  void ChangeEntry(std::size_t i, const std::string& path, SaveMark mark) override {
    entries.at(i).path = path;
    entries.at(i).mark = mark;
  }
  void RemoveEntry(std::size_t i) override { entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i)); }

  Image ViewImage() const override { return view; }
  void SetViewImage(Image image) override { view = std::move(image); }
  void ClearView() override { view = Image(); }
  bool ShowEntryImage(std::size_t i) override {
    if (unreadable.count(entries.at(i).path)) return false;
    view = Marker(static_cast<int>(i));
    return true;
  }

  std::optional<std::string> ShowSaveDialog(const std::string& file_text, int type) override {
    dialogs.push_back({file_text, type});
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  void WriteImage(const std::string& path, SaveWriter writer, const Image& image) override {
    // As the window does: the view shows the image reduced for the format tried.
    view = Image(image.Width(), 1, PixelFormat::Gray16);
    if (failing_writes.count(path)) throw Error("Cannot write \"" + path + "\".");
    written.push_back({path, writer, image.Width(), image.Format()});
  }
  void FileWritten(const std::string& path) override { current_save_folder = std::string(FolderOfPath(path)); }
  std::string ShortForm(const std::string& path) const override {
    const auto it = short_forms.find(path);
    return it == short_forms.end() ? std::string() : it->second;
  }
  void Message(const std::string& text, const std::string& caption, MessageIcon icon, bool over_viewer) override {
    messages.push_back({text, caption, icon, over_viewer});
  }
  bool Ask(const std::string& text, const std::string& caption) override {
    questions.push_back(text + "|" + caption);
    return answer_yes;
  }
  std::vector<std::string> CollectNoteLines() override { return note_lines; }
  void RemoveFile(const std::string& path) override {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    std::filesystem::remove(p);
  }
  std::string CatalogHolding(const std::string& path) const override {
    return catalog::CatalogNameOf(catalog::FindCatalogOf(catalogs_, path));
  }
  bool AddToCatalog(const std::string& name, const std::string& path, const std::string& url,
                    const std::vector<std::string>& notes) override {
    return catalog::AddCatalogRecord(catalogs_, name, {path, url}, notes);
  }
  bool ViewerOpen() const override { return viewer_open; }
  void ViewerEntryDropped(std::size_t i) override { viewer_dropped.push_back(i); }
  void ViewerListGrown() override { ++viewer_grown; }

  // The view image of entry i: as wide as i + 1, so a write tells which image it wrote.
  static Image Marker(int i) { return Image(i + 1, 1, PixelFormat::TrueColour); }

  std::vector<Entry> entries;
  std::vector<std::size_t> selected;
  Image view = Image(99, 1, PixelFormat::Gray256);
  std::set<std::string> unreadable;
  std::deque<std::optional<std::string>> answers;
  std::vector<std::pair<std::string, int>> dialogs;
  struct Write {
    std::string path;
    SaveWriter writer;
    int image_width;
    PixelFormat format;
  };
  std::vector<Write> written;
  std::set<std::string> failing_writes;
  std::map<std::string, std::string> short_forms;
  std::string current_save_folder;
  std::vector<ShownMessage> messages;
  std::vector<std::string> questions;
  bool answer_yes = false;
  std::vector<std::string> note_lines;
  bool viewer_open = false;
  std::vector<std::size_t> viewer_dropped;
  int viewer_grown = 0;

 private:
  std::string catalogs_;
};

class SaveAs : public ::testing::Test {
 protected:
  SaveAs() : catalogs_(catalog::CatalogsFolderOf(work_.path())), host_(catalogs_) {
    CreateFolder(catalogs_);
    context_.reserved = {"C:\\Program Files\\Ocelot\\", "", work_.path(), ""};
  }
  std::string Out(std::string_view name) const { return JoinPath(out_.path(), name); }
  std::string Work(std::string_view name) const { return JoinPath(work_.path(), name); }
  std::vector<std::string> Paths() const {
    std::vector<std::string> p;
    for (const auto& e : host_.entries) p.push_back(e.path);
    return p;
  }
  std::vector<catalog::CatalogRecord> Records(const std::string& name) const {
    const std::string file = JoinPath(catalogs_, catalog::CatalogFileName(name));
    return FileExists(file) ? catalog::ParseRecords(ReadFileBytes(file)) : std::vector<catalog::CatalogRecord>{};
  }
  void AddToCatalog(const std::string& name, const std::string& path) {
    ASSERT_TRUE(catalog::AddCatalogRecord(catalogs_, name, {path, ""}, {}));
  }

  TempFolder work_, out_;
  std::string catalogs_;
  FakeHost host_;
  SaveAsContext context_;
};

TEST_F(SaveAs, EmptySessionOrNoSelection_SavesNothing) {
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Nothing);
  EXPECT_TRUE(host_.messages.empty());
  host_.entries = {{Work("pic1.bmp"), ""}};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Nothing);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "Please select an image name.");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(host_.dialogs.empty());
}

TEST_F(SaveAs, CancelledEntry_IsLeftAndTheNextOneIsOffered) {
  host_.entries = {{Work("pic1.bmp"), ""}, {Work("pic2.gif"), ""}};
  host_.selected = {0, 1};
  host_.answers = {std::nullopt, Out("two.png")};
  const Image before = host_.view;
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.dialogs.size(), 2u);
  EXPECT_EQ(host_.dialogs[0], (std::pair<std::string, int>{"pic1.bmp", 1}));
  EXPECT_EQ(host_.dialogs[1], (std::pair<std::string, int>{"pic2.gif", 2}));
  EXPECT_EQ(host_.entries[0].path, Work("pic1.bmp"));
  EXPECT_FALSE(host_.entries[0].mark);
  EXPECT_EQ(host_.entries[1].path, Out("two.png"));
  EXPECT_EQ(host_.entries[1].mark, SaveMark::Disk);
  ASSERT_EQ(host_.written.size(), 1u);
  EXPECT_EQ(host_.written[0].image_width, 2);  // the second entry's image
  EXPECT_EQ(host_.written[0].writer, SaveWriter::ByExtension);
  EXPECT_EQ(host_.current_save_folder, out_.path());
  EXPECT_EQ(host_.view, before);  // the view shows again what it showed
}

TEST_F(SaveAs, FileOfAnotherEntryOverwritten_ThatEntryLeavesAtTheEnd) {
  host_.entries = {{Work("pic1.bmp"), ""}, {Out("old.png"), ""}, {Work("pic3.bmp"), ""}};
  host_.selected = {0, 2};
  host_.viewer_open = true;
  host_.answers = {Out("OLD.png"), Out("three.bmp")};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  // Both selected images were offered before the drop.
  EXPECT_EQ(host_.written.size(), 2u);
  EXPECT_EQ(Paths(), (std::vector<std::string>{Out("OLD.png"), Out("three.bmp")}));
  EXPECT_EQ(host_.viewer_dropped, (std::vector<std::size_t>{1}));
}

TEST_F(SaveAs, WrongExtension_ShowsItsMessageAndTheDialogAgain) {
  const struct { const char* typed; const char* message; } cases[] = {
      {"shot.xyz", "Valid formats are:\rBMP, GIF, JPG, PCX, PNG, TGA, and TIF"},
      {"shot", "Please enter the proper image extension (.bmp, .gif, .jpg, .pcx, .png, .tga,or .tif)."},
  };
  for (const auto& c : cases) {
    FakeHost host(catalogs_);
    host.entries = {{Work("pic1.png"), ""}, {Out("other"), ""}};
    host.selected = {0};
    host.answers = {Out(c.typed), std::nullopt};
    EXPECT_EQ(RunSaveAs(host, context_), SaveAsEnd::Finished);
    ASSERT_EQ(host.messages.size(), 1u) << c.typed;
    EXPECT_EQ(host.messages[0].text, c.message);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].first, Out(c.typed));  // shown again from the name typed
    EXPECT_EQ(host.dialogs[1].second, 5);             // the type it had
    EXPECT_TRUE(host.written.empty());
    EXPECT_EQ(host.entries[0].path, Work("pic1.png"));
    EXPECT_EQ(host.entries.size(), 2u);  // nothing queued for dropping either
  }
}

TEST_F(SaveAs, ReservedFolder_EndsTheCommandAtOnce) {
  const struct { std::string chosen; std::string chosen_short; } cases[] = {
      {Work("again.bmp"), ""},
      {"C:\\Program Files\\Ocelot\\sub\\a.bmp", ""},
      {"C:\\PROGRA~1\\Ocelot\\a.bmp", "C:\\PROGRA~1\\Ocelot\\a.bmp"},
  };
  context_.reserved.program_folder_short = "C:\\PROGRA~1\\Ocelot\\";
  for (const auto& c : cases) {
    FakeHost host(catalogs_);
    host.entries = {{Work("pic1.bmp"), ""}, {Work("pic2.bmp"), ""}};
    host.selected = {0, 1};
    host.answers = {c.chosen, Out("second.bmp")};
    if (!c.chosen_short.empty()) host.short_forms[c.chosen] = c.chosen_short;
    EXPECT_EQ(RunSaveAs(host, context_), SaveAsEnd::Refused) << c.chosen;
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "This folder is reserved for program or temporary files only. Please select another folder.");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.dialogs.size(), 1u);  // the second image is not offered
    EXPECT_TRUE(host.written.empty());
    EXPECT_EQ(host.view, FakeHost::Marker(0));  // not restored
  }
}

TEST_F(SaveAs, PathHeldByACatalog_ShowsFormAWithoutIconAndTheDialogAgain) {
  AddToCatalog("Trips", Out("taken.png"));
  host_.entries = {{Work("pic1.png"), ""}};
  host_.selected = {0};
  host_.answers = {Out("TAKEN.png"), Out("free.png")};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "TAKEN.png is already in catalog Trips.\rPlease save using a different file name.");
  EXPECT_EQ(host_.messages[0].caption, "Error");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(host_.entries[0].path, Out("free.png"));
}

TEST_F(SaveAs, CatalogImageSavedElsewhere_OldFileStaysInTheListWithTheCatalogMark) {
  AddToCatalog("Trips", Out("kept.png"));
  host_.entries = {{Out("kept.png"), "http://a.example/"}};
  host_.selected = {0};
  host_.viewer_open = true;
  host_.answers = {Out("copy.png")};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.entries.size(), 2u);
  EXPECT_EQ(host_.entries[0].path, Out("copy.png"));
  EXPECT_EQ(host_.entries[0].mark, SaveMark::Disk);
  EXPECT_EQ(host_.entries[1].path, Out("kept.png"));
  EXPECT_EQ(host_.entries[1].url, "http://a.example/");
  EXPECT_EQ(host_.entries[1].mark, SaveMark::Catalog);
  EXPECT_EQ(host_.viewer_grown, 1);
}

TEST_F(SaveAs, WriteFails_ErrorShownAndDialogAgainNothingRecorded) {
  host_.entries = {{Work("pic1.png"), ""}, {Out("full.png"), ""}};
  host_.selected = {0};
  host_.failing_writes = {Out("full.png")};
  host_.answers = {Out("full.png"), std::nullopt};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].text.find("full.png"), std::string::npos);
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(host_.dialogs.size(), 2u);
  // The other entry's file was not overwritten, so it stays.
  EXPECT_EQ(Paths(), (std::vector<std::string>{Work("pic1.png"), Out("full.png")}));
  EXPECT_TRUE(host_.current_save_folder.empty());
}

TEST_F(SaveAs, RetryAfterAFailedWrite_WritesTheImageAsItWasRead) {
  host_.entries = {{Work("pic1.gif"), ""}};
  host_.selected = {0};
  host_.failing_writes = {Out("first.gif")};
  host_.answers = {Out("first.gif"), Out("second.xyz"), Out("second.png")};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.written.size(), 1u);
  EXPECT_EQ(host_.written[0].path, Out("second.png"));
  EXPECT_EQ(host_.written[0].image_width, 1);
  EXPECT_EQ(host_.written[0].format, PixelFormat::TrueColour);  // not the reduced copy
}

TEST_F(SaveAs, UnreadableEntry_IsSkippedWithAMessage) {
  host_.entries = {{Work("gone.bmp"), ""}, {Work("pic2.bmp"), ""}};
  host_.selected = {0, 1};
  host_.unreadable = {Work("gone.bmp")};
  host_.answers = {Out("two.bmp")};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, Work("gone.bmp") + " cannot be read as an image.");
  ASSERT_EQ(host_.written.size(), 1u);
  EXPECT_EQ(host_.written[0].image_width, 2);
}

TEST_F(SaveAs, CatalogMode_RecordsEachImageAndDropsItUnlessTheTargetIsOpen) {
  for (const bool target_open : {false, true}) {
    TempFolder work;
    const std::string catalogs = catalog::CatalogsFolderOf(work.path());
    CreateFolder(catalogs);
    FakeHost host(catalogs);
    host.entries = {{JoinPath(work.path(), "pic1.png"), ""}, {JoinPath(work.path(), "pic2.jpg"), ""}};
    host.selected = {0, 1};
    host.answers = {Out("a.png"), Out("b.jpg")};
    SaveAsContext context;
    context.reserved = {"C:\\Ocelot\\", "", work.path(), ""};
    context.target_catalog = "Trips";
    context.open_catalog = target_open ? "trips" : "Other";
    context.catalog_open = true;
    EXPECT_EQ(RunSaveAs(host, context), SaveAsEnd::Finished);
    const std::string file = JoinPath(catalogs, "Trips.alb");
    EXPECT_EQ(catalog::ParseRecords(ReadFileBytes(file)),
              (std::vector<catalog::CatalogRecord>{{Out("a.png"), ""}, {Out("b.jpg"), ""}}));
    EXPECT_TRUE(host.questions.empty());  // no source URL, no note question
    if (target_open) {
      ASSERT_EQ(host.entries.size(), 2u);
      EXPECT_EQ(host.entries[0].mark, SaveMark::Catalog);
      EXPECT_EQ(host.entries[1].mark, SaveMark::Catalog);
    } else {
      EXPECT_TRUE(host.entries.empty());
    }
    EXPECT_TRUE(host.view.Empty());  // catalog mode leaves the view cleared
  }
}

TEST_F(SaveAs, CatalogModeWithUrl_YesWritesTheNoteNoDeletesTheOldOne) {
  context_.target_catalog = "Trips";
  for (const bool yes : {true, false}) {
    const std::string target = Out(yes ? "yes.png" : "no.png");
    const std::string note = NotePathFor(target);
    WriteNoteLines(note, {"stale"});
    FakeHost host(catalogs_);
    host.entries = {{Work("pic1.png"), "http://shop.example/"}};
    host.selected = {0};
    host.answers = {target};
    host.answer_yes = yes;
    host.note_lines = {"first line", "second"};
    EXPECT_EQ(RunSaveAs(host, context_), SaveAsEnd::Finished);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], std::string(FileNameOfPath(target)) +
                                     " is linked to a URL and is being recorded in Trips.\rWould you like to add a "
                                     "note?|Notes");
    if (yes) {
      const auto bytes = ReadFileBytes(note);
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "first line\r\nsecond\r\n");
    } else {
      EXPECT_FALSE(FileExists(note));
    }
  }
  EXPECT_EQ(Records("Trips"), (std::vector<catalog::CatalogRecord>{{Out("yes.png"), "http://shop.example/"},
                                                                   {Out("no.png"), "http://shop.example/"}}));
}

TEST_F(SaveAs, CatalogModeHeldPath_FormBForTheOpenCatalogFormAForAnother) {
  AddToCatalog("Trips", Out("t.png"));
  AddToCatalog("Other", Out("o.png"));
  context_.target_catalog = "New";
  context_.open_catalog = "Trips";
  context_.catalog_open = true;
  host_.entries = {{Work("pic1.png"), ""}};
  host_.selected = {0};
  host_.answers = {Out("t.png"), Out("o.png"), std::nullopt};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[0].text, "t.png is already in the Trips catalog.\rPlease save using a different file name.");
  EXPECT_EQ(host_.messages[1].text, "o.png is already in catalog Other.\rPlease save using a different file name.");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(host_.messages[1].icon, MessageIcon::Error);
  EXPECT_TRUE(Records("New").empty());
}

TEST_F(SaveAs, CatalogModeRecordNotWritten_ErrorAndTheEntryKeepsItsNewPath) {
  // A folder where the catalog file should be: it cannot be opened for writing.
  ASSERT_TRUE(CreateFolder(JoinPath(catalogs_, "Trips.alb")));
  context_.target_catalog = "Trips";
  host_.entries = {{Work("pic1.png"), ""}};
  host_.selected = {0};
  host_.answers = {Out("a.png")};
  EXPECT_EQ(RunSaveAs(host_, context_), SaveAsEnd::Finished);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "Error in writing to catalog");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  ASSERT_EQ(host_.entries.size(), 1u);
  EXPECT_EQ(host_.entries[0].path, Out("a.png"));
  EXPECT_EQ(host_.entries[0].mark, SaveMark::Disk);
}

}  // namespace
