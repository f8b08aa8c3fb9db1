// Save As, Quick Save and the JPEG Compression dialog, driven through the real dialogs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "common/file_io.h"
#include "common/text.h"
#include "driver/file_dialog.h"
#include "driver/main_window.h"
#include "driver/ocelot_driver.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/saving_resource.h"
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
      p[2] = static_cast<std::uint8_t>((x * 7 + y * 13) & 0xff);
    }
  return img;
}

std::string TextOf(const std::string& path) {
  const auto b = ReadFileBytes(path);
  return std::string(b.begin(), b.end());
}

// A session whose working folder holds images before the start, and a folder "out"
// beside the working folder to save into; the current save folder is "out".
class SaveSession {
 public:
  explicit SaveSession(const std::string& name) : s(name) {
    EXPECT_TRUE(CreateFolders(Work()));
    EXPECT_TRUE(CreateFolders(Out()));
    SettingsRecord r = SettingsRecord::Defaults();
    r.SetDefaultSaveFolder(Out());
    settings::WriteSettings(Work(), r);
  }
  std::string Work() const { return s.docs.DefaultWorkingFolder(); }
  std::string Work(const std::string& file) const { return Work() + "\\" + file; }
  std::string Out() const { return s.docs.Path() + "\\out"; }
  std::string Out(const std::string& file) const { return Out() + "\\" + file; }
  void Put(const std::string& path, const Image& img) const { imaging::WriteImageFile(path, img); }

  HWND Start() {
    if (!s.Start()) return nullptr;
    main = s.MainWindow();
    WaitFor([&] { return IsVisible(main); });
    return main;
  }
  int LineOf(const std::string& name) const {
    const auto lines = ListLines(main);
    const auto it = std::find(lines.begin(), lines.end(), name);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
  }
  // Selects the lines of these names and picks "Save &As"; the first save dialog.
  HWND SaveAs(std::initializer_list<const char*> names) {
    std::vector<int> lines;
    for (const char* n : names) lines.push_back(LineOf(n));
    SelectIndexes(lines);
    if (!s.Pick({"&File", "Save &As"})) return nullptr;
    return WaitFileDialog(s.app);
  }
  void SelectIndexes(const std::vector<int>& lines) {
    switch (lines.size()) {
      case 1: SelectLines(main, {lines[0]}); break;
      case 2: SelectLines(main, {lines[0], lines[1]}); break;
      case 3: SelectLines(main, {lines[0], lines[1], lines[2]}); break;
      default: FAIL() << "selection size";
    }
  }
  // A message box of the program, not one of its dialogs.
  std::optional<MessageBoxInfo> WaitBox(Duration t = 10s) const { return WaitMessageBoxOnly(s.app, t); }
  // No dialog or box is left once the program has handled a message sent after them.
  bool NoDialogLeft() const {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
    for (HWND w : TopLevelWindows(s.app.Pid(), "#32770"))
      if (IsWindowVisible(w)) return false;
    return true;
  }

  OcelotSession s;
  HWND main = nullptr;
};

bool HasIcon(const MessageBoxInfo& box) { return MessageBoxHasIcon(box.hwnd); }

HWND WaitJpegDialog(const OcelotProcess& app) {
  HWND dlg = nullptr;
  WaitFor([&] {
    for (HWND w : TopLevelWindows(app.Pid(), "#32770", "JPEG Compression"))
      if (IsWindowVisible(w)) dlg = w;
    return dlg != nullptr || !app.Running();
  });
  return dlg;
}

// What a JPEG file says about its encoding: progressive or not, and the luminance table
// in the file's (zigzag) order.
struct JpegMarkers {
  bool progressive = false;
  std::vector<int> luma;
};
JpegMarkers ReadJpegMarkers(const std::vector<std::uint8_t>& b) {
  JpegMarkers out;
  std::size_t i = 2;
  while (i + 4 <= b.size() && b[i] == 0xFF) {
    const std::uint8_t m = b[i + 1];
    const std::size_t len = static_cast<std::size_t>(b[i + 2]) << 8 | b[i + 3];
    if (m == 0xDB) {
      for (std::size_t p = i + 4; p < i + 2 + len && p < b.size();) {
        const int precision = b[p] >> 4, table = b[p] & 15;
        ++p;
        std::vector<int> t;
        for (int k = 0; k < 64 && p < b.size(); ++k) {
          t.push_back(precision ? (b[p] << 8 | b[p + 1]) : b[p]);
          p += precision ? 2 : 1;
        }
        if (table == 0) out.luma = t;
      }
    }
    if (m == 0xC2) out.progressive = true;
    if (m == 0xDA) break;
    i += 2 + len;
  }
  return out;
}

constexpr const char* kReserved =
    "This folder is reserved for program or temporary files only. Please select another folder.";
}  // namespace

TEST(SaveAs, OneImageInEachFormat_FileReadsBackInThatFormatsPixelFormat) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(120, 80));
  ASSERT_NE(w.Start(), nullptr);
  const struct { const char* file; PixelFormat format; } cases[] = {
      // Each saves the file written before; the GIF's palette is last.
      {"a.bmp", PixelFormat::TrueColour}, {"c.png", PixelFormat::TrueColour}, {"d.tif", PixelFormat::TrueColour},
      {"e.pcx", PixelFormat::TrueColour}, {"f.tga", PixelFormat::TrueColour}, {"g.gif", PixelFormat::Colour256},
  };
  std::string shown = "pic1.bmp";
  for (const auto& c : cases) {
    HWND dlg = w.SaveAs({shown.c_str()});
    ASSERT_NE(dlg, nullptr) << c.file;
    EXPECT_EQ(FileDialogName(dlg), shown);
    SaveFileDialogAs(dlg, w.Out(c.file));
    ASSERT_TRUE(WaitFor([&] { return w.LineOf(c.file) >= 0; })) << c.file;
    shown = c.file;
    const Image back = imaging::ReadImageFile(w.Out(c.file));
    EXPECT_EQ(back.Width(), 120) << c.file;
    EXPECT_EQ(back.Format(), c.format) << c.file;
  }
  EXPECT_EQ(ListLines(w.main), (std::vector<std::string>{"g.gif"}));
  EXPECT_TRUE(FileExists(w.Work("pic1.bmp")));  // Save As writes a new file, it moves nothing
}

TEST(SaveAs, TypeChosenInTheDialog_NameTakesItsExtensionAtOnce) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  ASSERT_NE(w.Start(), nullptr);
  HWND dlg = w.SaveAs({"pic1.bmp"});
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(FileDialogType(dlg), 1);
  const struct { int type; const char* name; } steps[] = {{5, "pic1.png"}, {3, "pic1.jpg"}, {7, "pic1.tif"}};
  for (const auto& s : steps) {
    ChooseFileDialogType(dlg, s.type);
    EXPECT_TRUE(WaitFor([&] { return FileDialogName(dlg) == s.name; }, 5s)) << FileDialogName(dlg);
  }
  // A bare name takes the chosen type's extension.
  SaveFileDialogAs(dlg, w.Out("typed"));
  EXPECT_TRUE(WaitFor([&] { return FileExists(w.Out("typed.tif")); }));
  EXPECT_TRUE(WaitFor([&] { return w.LineOf("typed.tif") == 0; }));
}

TEST(SaveAs, ExistingFile_IsReplacedOnlyAfterTheDialogAsks) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  w.Put(w.Out("there.bmp"), Gradient(8, 8));
  ASSERT_NE(w.Start(), nullptr);
  HWND dlg = w.SaveAs({"pic1.bmp"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("there.bmp"));
  auto ask = w.WaitBox();
  ASSERT_TRUE(ask.has_value());
  EXPECT_NE(ask->text.find("already exists"), std::string::npos) << ask->text;
  EXPECT_EQ(imaging::ReadImageFile(w.Out("there.bmp")).Width(), 8);  // not yet
  ASSERT_TRUE(PressButton(*ask, "Yes"));
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("there.bmp") == 0; }));
  EXPECT_EQ(imaging::ReadImageFile(w.Out("there.bmp")).Width(), 40);
}

TEST(SaveAs, FirstOfTwoCancelled_SecondOfferedInTheCurrentSaveFolder) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  w.Put(w.Work("pic2.png"), Gradient(50, 30));
  ASSERT_NE(w.Start(), nullptr);
  HWND first = w.SaveAs({"pic1.bmp", "pic2.png"});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(FileDialogName(first), "pic1.bmp");
  CancelFileDialog(first);
  ASSERT_TRUE(WaitClosed(first));
  HWND second = WaitFileDialog(w.s.app);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(FileDialogName(second), "pic2.png");
  EXPECT_EQ(FileDialogType(second), 5);
  SaveFileDialogAs(second, "second.png");  // no folder: where the dialog opened
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("second.png") >= 0; }));
  EXPECT_TRUE(FileExists(w.Out("second.png")));
  EXPECT_GE(w.LineOf("pic1.bmp"), 0);  // the cancelled image stays as it was
  EXPECT_EQ(imaging::ReadImageFile(w.Out("second.png")).Width(), 50);
}

TEST(SaveAs, OverAnotherSessionImagesFile_ThatImageLeavesTheListAtTheEnd) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  w.Put(w.Work("pic2.bmp"), Gradient(60, 30));
  ASSERT_NE(w.Start(), nullptr);
  HWND dlg = w.SaveAs({"pic2.bmp"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("shared.bmp"));
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("shared.bmp") >= 0; }));

  dlg = w.SaveAs({"pic1.bmp"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("SHARED.bmp"));
  auto ask = w.WaitBox();  // the dialog's overwrite question
  ASSERT_TRUE(ask.has_value());
  PressButton(*ask, "Yes");
  ASSERT_TRUE(WaitFor([&] { return ListLines(w.main).size() == 1; }));
  EXPECT_EQ(ListLines(w.main), (std::vector<std::string>{"SHARED.bmp"}));
  EXPECT_EQ(imaging::ReadImageFile(w.Out("shared.bmp")).Width(), 40);
}

TEST(SaveAs, NameWithoutAFormatsExtension_MessageThenTheDialogAgain) {
  const struct { const char* typed; const char* message; } cases[] = {
      {"shot.xyz", "Valid formats are:\rBMP, GIF, JPG, PCX, PNG, TGA, and TIF"},
      {"shot.", "Please enter the proper image extension (.bmp, .gif, .jpg, .pcx, .png, .tga,or .tif)."},
  };
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  ASSERT_NE(w.Start(), nullptr);
  for (const auto& c : cases) {
    HWND dlg = w.SaveAs({"pic1.bmp"});
    ASSERT_NE(dlg, nullptr);
    SaveFileDialogAs(dlg, w.Out(c.typed));
    ASSERT_TRUE(WaitClosed(dlg));
    auto box = w.WaitBox();
    ASSERT_TRUE(box.has_value()) << c.typed;
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, c.message);
    EXPECT_TRUE(HasIcon(*box));
    PressButton(*box, "OK");
    HWND again = WaitFileDialog(w.s.app);
    ASSERT_NE(again, nullptr) << c.typed;
    CancelFileDialog(again);
    ASSERT_TRUE(WaitClosed(again));
    EXPECT_TRUE(w.NoDialogLeft());
    EXPECT_EQ(ListLines(w.main), (std::vector<std::string>{"pic1.bmp"}));
  }
  EXPECT_FALSE(FileExists(w.Out("shot.xyz")));
  EXPECT_FALSE(FileExists(w.Out("shot")));
}

TEST(SaveAs, TargetInWorkingOrProgramFolder_EndsTheCommandWithTheReservedMessage) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  w.Put(w.Work("pic2.bmp"), Gradient(40, 30));
  ASSERT_TRUE(CreateFolders(w.Work("Sub")));
  ASSERT_NE(w.Start(), nullptr);
  const std::string targets[] = {w.Work("Sub\\kept.bmp"), ProgramFolder() + "\\kept.bmp"};
  for (const auto& target : targets) {
    HWND dlg = w.SaveAs({"pic1.bmp", "pic2.bmp"});
    ASSERT_NE(dlg, nullptr);
    SaveFileDialogAs(dlg, target);
    ASSERT_TRUE(WaitClosed(dlg));
    auto box = w.WaitBox();
    ASSERT_TRUE(box.has_value()) << target;
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, kReserved);
    PressButton(*box, "OK");
    ASSERT_TRUE(WaitClosed(box->hwnd));
    EXPECT_TRUE(w.NoDialogLeft()) << "the second image must not be offered";
    EXPECT_FALSE(FileExists(target));
    auto lines = ListLines(w.main);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"pic1.bmp", "pic2.bmp"}));
  }
}

TEST(SaveAs, Jpeg_CompressionDialogOncePerFileAndJpegCfgDecidesTheEncoding) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(64, 48));
  w.Put(w.Work("pic2.gif"), imaging::ToGifPalette(Gradient(64, 48)));
  ASSERT_NE(w.Start(), nullptr);
  const std::string cfg = w.Work("jpeg.cfg");
  ASSERT_FALSE(FileExists(cfg));

  HWND dlg = w.SaveAs({"pic1.bmp", "pic2.gif"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("best.jpg"));
  // Closed without OK: "jpeg.cfg" stays missing, the file is quality 100, baseline.
  HWND jpeg = WaitJpegDialog(w.s.app);
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(SendMessageA(GetDlgItem(jpeg, IDC_TB_COMPRESS), TBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(IsDlgButtonChecked(jpeg, IDC_CB_PROGRESSIVE), BST_UNCHECKED);
  PostMessageA(jpeg, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitClosed(jpeg));
  ASSERT_TRUE(WaitFor([&] { return FileExists(w.Out("best.jpg")); }));
  EXPECT_FALSE(FileExists(cfg));

  // The second image: quality 70, progressive, confirmed with OK.
  dlg = WaitFileDialog(w.s.app);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(FileDialogName(dlg), "pic2.gif");
  SaveFileDialogAs(dlg, w.Out("small.jpg"));
  jpeg = WaitJpegDialog(w.s.app);
  ASSERT_NE(jpeg, nullptr);
  HWND track = GetDlgItem(jpeg, IDC_TB_COMPRESS);
  SendMessageA(track, TBM_SETPOS, TRUE, 3);
  SendMessageA(jpeg, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(track));
  EXPECT_TRUE(FileExists(w.Work("del1.jpg")));  // the preview went through the file
  SendMessageA(GetDlgItem(jpeg, IDC_CB_PROGRESSIVE), BM_CLICK, 0, 0);
  PostMessageA(GetDlgItem(jpeg, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitClosed(jpeg));
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("small.jpg") >= 0; }));
  EXPECT_EQ(TextOf(cfg), "70\r\n1\r\n");
  EXPECT_TRUE(w.NoDialogLeft());  // one dialog per file, nothing more

  const JpegMarkers best = ReadJpegMarkers(ReadFileBytes(w.Out("best.jpg")));
  ASSERT_EQ(best.luma.size(), 64u);
  EXPECT_TRUE(std::all_of(best.luma.begin(), best.luma.end(), [](int q) { return q == 1; }));
  EXPECT_FALSE(best.progressive);
  const JpegMarkers small = ReadJpegMarkers(ReadFileBytes(w.Out("small.jpg")));
  ASSERT_EQ(small.luma.size(), 64u);
  // The standard table scaled for quality 70 (factor 0.6): 16 -> 10, 11 -> 7, 12 -> 7.
  EXPECT_EQ((std::vector<int>{small.luma[0], small.luma[1], small.luma[2]}), (std::vector<int>{10, 7, 7}));
  EXPECT_TRUE(small.progressive);
  EXPECT_EQ(imaging::ReadImageFile(w.Out("small.jpg")).Format(), PixelFormat::TrueColour);

  // The next dialog starts from "jpeg.cfg".
  dlg = w.SaveAs({"small.jpg"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("again.jpg"));
  jpeg = WaitJpegDialog(w.s.app);
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(SendMessageA(GetDlgItem(jpeg, IDC_TB_COMPRESS), TBM_GETPOS, 0, 0), 3);
  EXPECT_EQ(IsDlgButtonChecked(jpeg, IDC_CB_PROGRESSIVE), BST_CHECKED);
  PostMessageA(jpeg, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("again.jpg") >= 0; }));
  EXPECT_TRUE(ReadJpegMarkers(ReadFileBytes(w.Out("again.jpg"))).progressive);
}

TEST(SaveAs, CatalogImageAndCatalogPath_FormAMessageAndTheOldFileStaysListed) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(40, 30));
  w.Put(w.Work("pic2.bmp"), Gradient(20, 30));
  w.Put(w.Out("listed.bmp"), Gradient(40, 30));
  // A catalog "Trips" holding out\taken.png, out\listed.bmp and the working folder's pic2.bmp.
  std::vector<std::uint8_t> alb;
  for (const std::string& path : {w.Out("taken.png"), w.Out("listed.bmp"), w.Work("pic2.bmp")}) {
    std::vector<std::uint8_t> record(512, 0);
    record[0] = static_cast<std::uint8_t>(path.size());
    std::copy(path.begin(), path.end(), record.begin() + 1);
    alb.insert(alb.end(), record.begin(), record.end());
  }
  ASSERT_TRUE(CreateFolders(w.Work("Catalogs")));
  WriteFileBytes(w.Work("Catalogs\\Trips.alb"), alb);
  ASSERT_NE(w.Start(), nullptr);

  HWND dlg = w.SaveAs({"pic1.bmp"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("taken.png"));
  ASSERT_TRUE(WaitClosed(dlg));
  auto box = w.WaitBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "taken.png is already in catalog Trips.\rPlease save using a different file name.");
  EXPECT_FALSE(HasIcon(*box));
  PressButton(*box, "OK");
  dlg = WaitFileDialog(w.s.app);
  ASSERT_NE(dlg, nullptr);  // shown again
  SaveFileDialogAs(dlg, w.Out("listed.bmp"));
  auto ask = w.WaitBox();  // the file exists: the dialog asks first
  ASSERT_TRUE(ask.has_value());
  PressButton(*ask, "Yes");
  ASSERT_TRUE(WaitClosed(ask->hwnd));
  box = w.WaitBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "listed.bmp is already in catalog Trips.\rPlease save using a different file name.");
  PressButton(*box, "OK");
  dlg = WaitFileDialog(w.s.app);
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("free.png"));
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("free.png") >= 0; }));
  EXPECT_FALSE(FileExists(w.Out("taken.png")));
  EXPECT_EQ(imaging::ReadImageFile(w.Out("listed.bmp")).Width(), 40);

  // Saving an image a catalog lists elsewhere keeps the listed file in the session too.
  dlg = w.SaveAs({"pic2.bmp"});
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, w.Out("moved.bmp"));
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("moved.bmp") >= 0 && w.LineOf("pic2.bmp") >= 0; }));
  EXPECT_EQ(ListLines(w.main).back(), "pic2.bmp");
  EXPECT_EQ(ListLines(w.main).size(), 3u);
}

TEST(QuickSave, SelectedImages_CopiedUnderFreePicNamesOnesThereSkipped) {
  SaveSession w(TestName());
  for (const char* f : {"pic1.bmp", "pic2.bmp", "pic3.png"}) w.Put(w.Work(f), Gradient(30, 20));
  // Beside the start folder, not in it: Wine's browser does not select a child of the
  // folder it opened on when asked for one.
  const std::string out = w.s.docs.Path() + "\\Quick";
  ASSERT_TRUE(CreateFolders(out));
  ASSERT_NE(w.Start(), nullptr);

  w.SelectIndexes({w.LineOf("pic2.bmp")});
  ASSERT_TRUE(w.s.Pick({"&File", "&Quick Save"}));
  HWND browser = WaitFolderBrowser(w.s.app);
  ASSERT_NE(browser, nullptr);
  const auto texts = StaticTexts(browser);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Save Selected Images To " + w.Out()), texts.end());
  ASSERT_TRUE(ChooseFolder(browser, w.s.app.Pid(), out));
  ASSERT_TRUE(WaitFor([&] {
    const auto l = ListLines(w.main);
    return std::count(l.begin(), l.end(), "pic1.bmp") == 2 && FileExists(out + "\\pic1.bmp");
  }));
  EXPECT_EQ(TextOf(w.Work("lastsave.dat")), out + "\r\n");

  // Now all three: the one already in the folder is skipped, the others take free numbers.
  w.SelectIndexes({0, 1, 2});
  ASSERT_TRUE(w.s.Pick({"&File", "&Quick Save"}));
  browser = WaitFolderBrowser(w.s.app);
  ASSERT_NE(browser, nullptr);
  const auto again = StaticTexts(browser);
  EXPECT_NE(std::find(again.begin(), again.end(), "Save Selected Images To " + out), again.end());
  ASSERT_TRUE(ChooseFolder(browser, w.s.app.Pid(), out));
  ASSERT_TRUE(WaitFor([&] { return FileExists(out + "\\pic1.png"); }));
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("pic2.bmp") >= 0; }));
  EXPECT_TRUE(FileExists(out + "\\pic2.bmp"));
  EXPECT_FALSE(FileExists(out + "\\pic3.bmp"));
  auto lines = ListLines(w.main);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"pic1.bmp", "pic1.png", "pic2.bmp"}));
  // Copies: every original is still in the working folder.
  for (const char* f : {"pic1.bmp", "pic2.bmp", "pic3.png"}) EXPECT_TRUE(FileExists(w.Work(f))) << f;
}

TEST(QuickSave, WorkingFolderOrBelow_RefusedWithTheReservedMessage) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(30, 20));
  ASSERT_TRUE(CreateFolders(w.Work("Catalogs")));
  ASSERT_NE(w.Start(), nullptr);
  for (const std::string& folder : {w.Work(), w.Work("Catalogs")}) {
    w.SelectIndexes({0});
    ASSERT_TRUE(w.s.Pick({"&File", "&Quick Save"}));
    HWND browser = WaitFolderBrowser(w.s.app);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(ChooseFolder(browser, w.s.app.Pid(), folder));
    ASSERT_TRUE(WaitClosed(browser));
    auto box = w.WaitBox();
    ASSERT_TRUE(box.has_value()) << folder;
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, kReserved);
    PressButton(*box, "OK");
    ASSERT_TRUE(WaitClosed(box->hwnd));
    EXPECT_FALSE(FileExists(w.Work("lastsave.dat")));
  }
  EXPECT_EQ(ListLines(w.main), (std::vector<std::string>{"pic1.bmp"}));
}

TEST(QuickSave, NothingSelected_AsksForAnImageName) {
  SaveSession w(TestName());
  w.Put(w.Work("pic1.bmp"), Gradient(30, 20));
  ASSERT_NE(w.Start(), nullptr);
  SendMessageA(GetDlgItem(w.main, kListId), LB_SETSEL, FALSE, -1);
  ASSERT_TRUE(w.s.Pick({"&File", "&Quick Save"}));
  auto box = w.WaitBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Please select an image name");
  PressButton(*box, "OK");
  ASSERT_TRUE(w.s.Pick({"&File", "Save &As"}));
  box = w.WaitBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Please select an image name.");
  PressButton(*box, "OK");
}

