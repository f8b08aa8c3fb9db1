// The session list and the view: listing, showing, zooming, deleting, copying.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/file_io.h"
#include "common/text.h"
#include "driver/main_window.h"
#include "driver/ocelot_driver.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "settings/settings_file.h"

using namespace ocelot;
using namespace ocelot::e2e;
using imaging::Image;
using imaging::PixelFormat;
using settings::SettingsRecord;

namespace {
std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

Image Gradient(int w, int h) {
  Image img(w, h, PixelFormat::TrueColour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      auto* p = img.Row(y) + x * 3;
      p[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, w - 1));
      p[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, h - 1));
      p[2] = static_cast<std::uint8_t>(255 - p[0]);
    }
  return img;
}

Image Solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  Image img(w, h, PixelFormat::TrueColour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      auto* p = img.Row(y) + x * 3;
      p[0] = b; p[1] = g; p[2] = r;
    }
  return img;
}

// A session whose working folder holds the given images before the program starts.
struct SessionWithImages {
  explicit SessionWithImages(const std::string& name) : s(name) {
    EXPECT_TRUE(CreateFolders(s.docs.DefaultWorkingFolder()));
    settings::WriteSettings(s.docs.DefaultWorkingFolder(), SettingsRecord::Defaults());
  }
  std::string Path(const std::string& file) const { return s.docs.DefaultWorkingFolder() + "\\" + file; }
  void Put(const std::string& file, const Image& img) { imaging::WriteImageFile(Path(file), img); }
  HWND Start() {
    if (!s.Start()) return nullptr;
    HWND main = s.MainWindow();
    WaitFor([&] { return IsVisible(main); });
    return main;
  }
  int LineOf(HWND main, const std::string& name) const {
    const auto lines = ListLines(main);
    const auto it = std::find(lines.begin(), lines.end(), name);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
  }
  OcelotSession s;
};

std::optional<MessageBoxInfo> AnswerNext(const OcelotProcess& app, const char* button) {
  auto box = app.WaitMessageBox();
  if (box) Answer(*box, button);
  return box;
}
}  // namespace

TEST(SessionList, ImagesOfAllSevenFormatsAreListedAndShownWithTheirInfo) {
  SessionWithImages w(TestName());
  const Image base = Gradient(320, 200);
  const struct { const char* file; Image image; const char* info; } cases[] = {
      {"pic1.bmp", base, ", 320x200, High Color"},
      {"pic2.gif", imaging::ToGifPalette(base), ", 320x200x256"},
      {"pic3.jpg", base, ", 320x200, High Color"},
      {"pic4.pcx", imaging::To16Colours(base), ", 320x200, 16 colors"},
      {"pic5.png", imaging::ToGray256(base), ", 320x200, 256 gray colors"},
      {"pic6.tga", imaging::To256Colours(base), ", 320x200, 256 colors"},
      {"pic7.tif", imaging::ToBlackWhite(base), ", 320x200, 2 colors"},
  };
  for (const auto& c : cases) w.Put(c.file, c.image);
  WriteFileBytes(w.Path("notes.doc"), std::vector<std::uint8_t>{1, 2});
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  auto lines = ListLines(main);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"pic1.bmp", "pic2.gif", "pic3.jpg", "pic4.pcx", "pic5.png", "pic6.tga",
                                             "pic7.tif"}));
  for (const auto& c : cases) {
    const int line = w.LineOf(main, c.file);
    ASSERT_GE(line, 0) << c.file;
    SelectLines(main, {line});
    const std::string want = w.Path(c.file) + c.info;
    EXPECT_TRUE(WaitFor([&] { return StatusText(main) == want; }, 5s)) << StatusText(main) << " / " << want;
  }
}

TEST(SessionList, ALineWhoseFileIsNotAnImageSaysSoAndTheProgramStaysUsable) {
  SessionWithImages w(TestName());
  w.Put("pic1.bmp", Gradient(64, 48));
  WriteFileBytes(w.Path("pic2.png"), std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'});
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  SelectLines(main, {w.LineOf(main, "pic1.bmp")});
  const std::string shown = w.Path("pic1.bmp") + ", 64x48, High Color";
  ASSERT_TRUE(WaitFor([&] { return StatusText(main) == shown; }, 5s));
  // The view is emptied and the status bar names the file and why, instead of showing
  // the previous image as if it were this one.
  SelectLines(main, {w.LineOf(main, "pic2.png")});
  const std::string refused = w.Path("pic2.png") + " is not an image Ocelot can read";
  EXPECT_TRUE(WaitFor([&] { return StatusText(main) == refused; }, 5s)) << StatusText(main);
  EXPECT_EQ(ListLines(main).size(), 2u);  // the line stays
  SelectLines(main, {w.LineOf(main, "pic1.bmp")});
  EXPECT_TRUE(WaitFor([&] { return StatusText(main) == shown; }, 5s)) << StatusText(main);
  EXPECT_TRUE(w.s.app.Running());
}

TEST(SessionList, DeletingLinesOneAndThreeOfFourRemovesExactlyThoseAndTheirNotes) {
  SessionWithImages w(TestName());
  for (const char* f : {"pic1.bmp", "pic2.bmp", "pic3.bmp", "pic4.bmp"}) w.Put(f, Gradient(40, 30));
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  const auto before = ListLines(main);
  ASSERT_EQ(before.size(), 4u);
  for (const auto& name : before) {
    const std::string note = w.Path(name.substr(0, name.find('.')) + "bmp.txt");
    WriteFileBytes(note, std::vector<std::uint8_t>{'h', 'i'});
  }
  SelectLines(main, {1, 3});
  ASSERT_TRUE(w.s.Pick({"&File", "&Delete"}));
  auto box = AnswerNext(w.s.app, "Yes");
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Confirmation");
  EXPECT_EQ(box->text, "Are you sure you want to delete the image(s)?");
  EXPECT_EQ(box->buttons, (std::vector<std::string>{"Yes", "No"}));
  ASSERT_TRUE(WaitFor([&] { return ListLines(main).size() == 2; }, 5s));
  EXPECT_EQ(ListLines(main), (std::vector<std::string>{before[0], before[2]}));
  for (int i = 0; i < 4; ++i) {
    const bool kept = i == 0 || i == 2;
    const std::string& name = before[static_cast<std::size_t>(i)];
    EXPECT_EQ(FileExists(w.Path(name)), kept) << name;
    EXPECT_EQ(FileExists(w.Path(name.substr(0, name.find('.')) + "bmp.txt")), kept) << name;
  }
  // The new first line is selected and shown.
  EXPECT_EQ(SelectedLines(main), std::vector<int>{0});
  EXPECT_TRUE(WaitFor([&] { return StatusText(main).rfind(w.Path(before[0]), 0) == 0; }, 5s));
}

TEST(SessionList, DeleteAnsweredNoOrWithoutSelectionDeletesNothing) {
  SessionWithImages w(TestName());
  w.Put("pic1.bmp", Gradient(40, 30));
  w.Put("pic2.bmp", Gradient(40, 30));
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(w.s.Pick({"&File", "&Delete"}));
  auto box = AnswerNext(w.s.app, "OK");
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Please select an image.");
  SelectLines(main, {0});
  ASSERT_TRUE(w.s.Pick({"&File", "&Delete"}));
  box = AnswerNext(w.s.app, "No");
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Confirmation");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box->hwnd); }));
  EXPECT_EQ(ListLines(main).size(), 2u);
  EXPECT_TRUE(FileExists(w.Path("pic1.bmp")));
  EXPECT_TRUE(FileExists(w.Path("pic2.bmp")));
}

TEST(SessionList, FitToWindowThenFiftyPercentShowsTheFilesOwnPixels) {
  SessionWithImages w(TestName());
  // Far wider than the view, so the stretched copy and the file differ in shape.
  w.Put("pic1.bmp", Solid(600, 100, 0, 0, 255));
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  HWND view = GetDlgItem(main, kViewId);
  SelectLines(main, {0});
  ChooseListEntry(main, kZoomId, 0);  // "Fit To Window"
  RECT client;
  GetClientRect(view, &client);
  RECT fit{};
  // Until the view shows the stretched copy.
  WaitFor([&] {
    fit = BoundsOfPixelsOtherThan(ClientPixels(view), RGB(128, 128, 128));
    return fit.right - fit.left == client.right && fit.bottom - fit.top == client.bottom;
  }, 5s);
  EXPECT_EQ(fit.right - fit.left, client.right);
  EXPECT_EQ(fit.bottom - fit.top, client.bottom);
  ChooseListEntry(main, kZoomId, 3);  // "View 50%"
  Pixels half;
  RECT r{};
  WaitFor([&] {
    half = ClientPixels(view);
    r = BoundsOfPixelsOtherThan(half, RGB(128, 128, 128));
    return r.right - r.left == 300;
  }, 5s);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 50);
  EXPECT_EQ(half.At((r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(0, 0, 255));
}

TEST(SessionList, CopyNeedsOneImageAndPutsTheViewOnTheClipboard) {
  SessionWithImages w(TestName());
  w.Put("pic1.bmp", Gradient(120, 80));
  w.Put("pic2.bmp", Gradient(60, 40));
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  // Something of the user's on the clipboard, which a refused copy must leave alone.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const char text[] = "keep me";
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  memcpy(GlobalLock(mem), text, sizeof text);
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();

  SelectLines(main, {0, 1});
  ASSERT_TRUE(w.s.Pick({"&Edit", "&Copy"}));
  auto box = AnswerNext(w.s.app, "OK");
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Select only one image.");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box->hwnd); }));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));

  SelectLines(main, {w.LineOf(main, "pic1.bmp")});
  ASSERT_TRUE(w.s.Pick({"&Edit", "&Copy"}));
  ASSERT_TRUE(WaitFor([] { return IsClipboardFormatAvailable(CF_DIB) != FALSE; }, 5s));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_DIB);
  ASSERT_NE(h, nullptr);
  const auto* bih = static_cast<const BITMAPINFOHEADER*>(GlobalLock(h));
  EXPECT_EQ(bih->biWidth, 120);
  EXPECT_EQ(std::abs(bih->biHeight), 80);
  GlobalUnlock(h);
  CloseClipboard();

  ASSERT_TRUE(w.s.Pick({"&Edit", "Clear clip&board"}));
  EXPECT_TRUE(WaitFor([] { return CountClipboardFormats() == 0; }, 5s));
}

TEST(SessionList, ModeListsShowTheRecordAndStoreAChoiceAtOnce) {
  SessionWithImages w(TestName());
  SettingsRecord r = SettingsRecord::Defaults();
  r.CaptureMode = 5;
  r.OutputMode = 2;
  r.CaptureFormat = 4;
  r.ReservedField = 7;
  settings::WriteSettings(w.s.docs.DefaultWorkingFolder(), r);
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ListEntry(main, kCaptureMethodId), 5);
  EXPECT_EQ(ListEntry(main, kOutputModeId), 2);
  EXPECT_EQ(ListEntry(main, kImageFormatId), 4);
  EXPECT_EQ(ListEntry(main, kZoomId), 5);

  const auto methods = ListEntries(main, kCaptureMethodId);
  ASSERT_EQ(methods.size(), 13u);
  EXPECT_EQ(methods.front(), "Full Screen");
  EXPECT_EQ(methods.back(), "SuperScroll");
  EXPECT_EQ(ListEntries(main, kOutputModeId),
            (std::vector<std::string>{"Print and Capture", "Print Only", "Capture Only", "File", "Email", "MS Word",
                                      "MS PowerPoint"}));
  EXPECT_EQ(ListEntries(main, kImageFormatId),
            (std::vector<std::string>{"Windows Bitmap (BMP)", "GIF (256 Colors)", "JPEG", "PCX", "PNG", "Targa (TGA)",
                                      "TIFF"}));
  const auto zoom = ListEntries(main, kZoomId);
  ASSERT_EQ(zoom.size(), 22u);
  EXPECT_EQ(zoom[0], "Fit To Window");
  EXPECT_EQ(zoom[5], "View 100%");
  EXPECT_EQ(zoom[6], "View 125%");
  EXPECT_EQ(zoom[21], "View 500%");

  ChooseListEntry(main, kCaptureMethodId, 3);
  ChooseListEntry(main, kOutputModeId, 3);
  ChooseListEntry(main, kImageFormatId, 6);
  const auto after = settings::ReadSettings(w.s.docs.DefaultWorkingFolder());
  EXPECT_EQ(after.CaptureMode, 3);
  EXPECT_EQ(after.OutputMode, 3);
  EXPECT_EQ(after.CaptureFormat, 6);
  EXPECT_EQ(after.ReservedField, 7);
}

TEST(SessionList, AFolderOfHundredsOfImagesAndAnAnsiNameAreAllListed) {
  SessionWithImages w(TestName());
  const Image tiny = Gradient(4, 4);
  const auto bmp = imaging::WriteImage(tiny, imaging::FileType::Bmp);
  for (int i = 1; i <= 300; ++i) WriteFileBytes(w.Path("pic" + std::to_string(i) + ".bmp"), bmp);
  const std::string ansi_name = "caf\xE9 shot.bmp";  // "café shot.bmp" in the ANSI code page
  w.Put(ansi_name, Gradient(30, 20));
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ListLines(main).size(), 301u);
  const int line = w.LineOf(main, ansi_name);
  ASSERT_GE(line, 0);
  SelectLines(main, {line});
  const std::string want = w.Path(ansi_name) + ", 30x20, High Color";
  EXPECT_TRUE(WaitFor([&] { return StatusText(main) == want; }, 5s)) << StatusText(main);
}
