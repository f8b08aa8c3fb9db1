// Faults a user can run into, end to end: a capture that cannot be written, a working
// folder that cannot be used, image files that lie, an out-of-range settings record, web
// addresses that are not web addresses, a Save As that fails before it succeeds and an
// empty note.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/file_io.h"
#include "common/scope_exit.h"
#include "common/text.h"
#include "driver/file_dialog.h"
#include "driver/main_window.h"
#include "driver/menus.h"
#include "driver/ocelot_driver.h"
#include "imaging/codec.h"
#include "output/note_file.h"
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

Image Solid(int w, int h, imaging::Rgb c) {
  Image img(w, h, PixelFormat::TrueColour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      auto* p = img.Row(y) + x * 3;
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  return img;
}

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// The header of a PNG of 30000 x 30000 pixels, its checksum right, and no pixels.
std::vector<std::uint8_t> HugePngHeader() {
  const std::uint8_t head[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                               0, 0, 0x75, 0x30, 0, 0, 0x75, 0x30, 8, 2, 0, 0, 0};
  std::vector<std::uint8_t> png(std::begin(head), std::end(head));
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 12; i < png.size(); ++i) {
    crc ^= png[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  for (int shift : {24, 16, 8, 0}) png.push_back(static_cast<std::uint8_t>(crc >> shift));
  return png;
}

// Pixels of two images of the same size whose colours differ.
int ColourMismatches(const Image& a, const Image& b) {
  int bad = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) bad += a.PixelColour(x, y) == b.PixelColour(x, y) ? 0 : 1;
  return bad;
}

bool AnyProcessNamed(const char* exe) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  bool found = false;
  for (BOOL more = Process32First(snap, &e); more && !found; more = Process32Next(snap, &e))
    found = EqualsIgnoreCase(e.szExeFile, exe);
  CloseHandle(snap);
  return found;
}

// A session whose working folder and settings record are prepared before the start:
// minimized, silent and "Capture Only" unless the test changes the record.
class RobustSession {
 public:
  explicit RobustSession(const std::string& name, const std::function<void(SettingsRecord&)>& change = {})
      : s(name) {
    EXPECT_TRUE(CreateFolders(Work()));
    SettingsRecord r = SettingsRecord::Defaults();
    r.StartMinimized = 1;
    r.OutputMode = 2;
    r.TurnOffSound = 1;
    if (change) change(r);
    settings::WriteSettings(Work(), r);
    shown_at_start_ = r.StartMinimized == 0;
  }
  std::string Work() const { return s.docs.DefaultWorkingFolder(); }
  std::string Work(const std::string& file) const { return Work() + "\\" + file; }

  // The main window once start-up is done (and shown, unless it starts minimized).
  HWND Start() {
    if (!s.Start()) return nullptr;
    main = s.WaitStarted();
    if (main && shown_at_start_ && !WaitFor([&] { return IsVisible(main); })) return nullptr;
    return main;
  }
  // The minimized window brought back by the tray's command.
  ::testing::AssertionResult Restore() const {
    auto picked = s.PickTrayMenu({"&Restore Ocelot"});
    if (!picked) return picked;
    if (!WaitFor([&] { return IsVisible(main); }, 5s)) return ::testing::AssertionFailure() << "the window stays hidden";
    return ::testing::AssertionSuccess();
  }
  // Waits until the image file is there and whole (it reads as an image).
  bool WaitFile(const std::string& path, Duration timeout = 15s) const {
    return WaitFor(
        [&] {
          try {
            return FileExists(path) && imaging::ReadImageFile(path).Width() > 0;
          } catch (const std::exception&) {
            return false;
          }
        },
        timeout);
  }
  int LineOf(const std::string& name) const {
    const auto lines = ListLines(main);
    const auto it = std::find(lines.begin(), lines.end(), name);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
  }
  // A real click on the list's line of that name; the window must be on the screen.
  ::testing::AssertionResult ClickLine(const std::string& name, bool right = false) const {
    const int line = LineOf(name);
    if (line < 0) return ::testing::AssertionFailure() << "no line " << name;
    const auto r = ListLineRect(main, line);
    if (!r) return ::testing::AssertionFailure() << "the line " << name << " is out of sight";
    const POINT p{(r->left + r->right) / 2, (r->top + r->bottom) / 2};
    if (GetAncestor(WindowFromPoint(p), GA_ROOT) != main)
      return ::testing::AssertionFailure() << "something covers the line " << name;
    if (right) RightClickAt(p);
    else ClickAt(p);
    return ::testing::AssertionSuccess();
  }
  // What the program shows now, for a failure's message: its lines and open windows.
  std::string Shows() const {
    std::string text = "lines:";
    for (const auto& l : ListLines(main)) text += " " + l;
    for (HWND w : TopLevelWindows(s.app.Pid(), "#32770"))
      if (IsWindowVisible(w)) {
        text += "; window \"" + WindowText(w) + "\"";
        if (HWND t = GetDlgItem(w, 0xFFFF)) text += " says \"" + WindowText(t) + "\"";
        if (IsFileDialog(w)) text += " named \"" + FileDialogName(w) + "\"";
      }
    return text;
  }
  // A message box of the program, not one of its dialogs.
  std::optional<MessageBoxInfo> WaitBox(Duration t = 10s) const { return WaitMessageBoxOnly(s.app, t); }
  // No dialog or box is open once the program has handled a message sent after them.
  bool NoBoxOpen() const {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
    for (HWND w : TopLevelWindows(s.app.Pid(), "#32770"))
      if (IsWindowVisible(w)) return false;
    return true;
  }
  // One capture of the browser stand-in's window while it serves the address: the new
  // line's image carries it. The window must be minimized, so the browser is in front.
  ::testing::AssertionResult CaptureFromBrowser(const std::string& address) const {
    OcelotProcess browser;
    if (!browser.Start(ProgramFolder() + "\\fake_browser.exe", "\"" + address + "\""))
      return ::testing::AssertionFailure() << "fake_browser.exe does not start";
    HWND window = browser.WaitWindow("IEFrame", nullptr, 10s);
    if (!window || !WaitFor([&] { return IsVisible(window); }, 10s))
      return ::testing::AssertionFailure() << "no browser window";
    SetForegroundWindow(window);
    if (!WaitFor([&] { return GetForegroundWindow() == window; }, 5s))
      return ::testing::AssertionFailure() << "the browser does not come to the front";
    const auto before = ListLines(main).size();
    PressKey(VK_SNAPSHOT);
    if (!WaitFor([&] { return ListLines(main).size() == before + 1; }, 15s))
      return ::testing::AssertionFailure() << "no line for the capture of " << address;
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!browser.WaitExit(10s)) return ::testing::AssertionFailure() << "the browser does not end";
    return ::testing::AssertionSuccess();
  }

  OcelotSession s;
  HWND main = nullptr;

 private:
  bool shown_at_start_ = false;
};

// The value of a registry key, set for the test's length and put back afterwards (the
// key removed again when the test made it).
class RegistryValue {
 public:
  RegistryValue(HKEY root, const std::string& key, const std::string& value) : root_(root), key_(key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
      existed_ = true;
      char old[2048] = {};
      DWORD size = sizeof old - 1;
      had_value_ = RegQueryValueExA(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
      old_ = old;
      RegCloseKey(k);
    }
    if (!existed_) {
      // The outermost key that is new goes again at the end.
      std::string probe = key;
      for (;;) {
        const auto slash = probe.find_last_of('\\');
        if (slash == std::string::npos) break;
        const std::string parent = probe.substr(0, slash);
        HKEY p = nullptr;
        if (RegOpenKeyExA(root, parent.c_str(), 0, KEY_READ, &p) == ERROR_SUCCESS) {
          RegCloseKey(p);
          break;
        }
        probe = parent;
      }
      made_ = probe;
    }
    set_ = RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) == ERROR_SUCCESS &&
           RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    if (k) RegCloseKey(k);
  }
  ~RegistryValue() {
    if (!existed_) {
      RegDeleteTreeA(root_, made_.c_str());
      RegDeleteKeyA(root_, made_.c_str());
      return;
    }
    HKEY k = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS) return;
    if (had_value_)
      RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>(old_.size() + 1));
    else
      RegDeleteValueA(k, nullptr);
    RegCloseKey(k);
  }
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;
  bool Set() const { return set_; }

 private:
  HKEY root_;
  std::string key_;
  std::string made_;
  bool existed_ = false;
  bool had_value_ = false;
  std::string old_;
  bool set_ = false;
};

// An environment variable of this process (and so of the program it starts), for the
// test's length.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~EnvironmentVariable() { SetEnvironmentVariableA(name_, nullptr); }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  const char* name_;
};

std::string TextOf(const std::string& path) {
  const auto b = ReadFileBytes(path);
  return std::string(b.begin(), b.end());
}

// A folder on a drive no machine of ours has.
constexpr char kAbsentFolder[] = "Q:\\nowhere";
}  // namespace

TEST(Robustness, CaptureThatCannotBeWritten_ReportsOnceAndTheNextCaptureWorks) {
  ASSERT_FALSE(FolderExists("Q:\\")) << "the test needs a machine without a drive Q:";
  RobustSession w(TestName(), [](SettingsRecord& r) {
    r.OutputMode = 3;  // "File": into the save folder
    r.SetDefaultSaveFolder(kAbsentFolder);
  });
  ASSERT_NE(w.Start(), nullptr);
  PressKey(VK_SNAPSHOT);
  auto box = w.WaitBox(15s);
  ASSERT_TRUE(box.has_value()) << "no message for a capture that cannot be written";
  EXPECT_EQ(box->caption, "Error");
  // The file the capture was meant for, never a temporary one.
  EXPECT_NE(box->text.find("q:\\nowhere\\pic1.bmp"), std::string::npos) << box->text;
  EXPECT_EQ(box->text.find(".new"), std::string::npos) << box->text;
  EXPECT_TRUE(ListLines(w.main).empty()) << "a line for a file never written";
  ASSERT_TRUE(PressButton(*box, "OK"));
  ASSERT_TRUE(WaitClosed(box->hwnd));

  // The record is read at every capture: a folder that exists now takes the next one.
  const std::string shots = w.s.docs.Path() + "\\Shots";
  ASSERT_TRUE(CreateFolders(shots));
  settings::ChangeSettings(w.Work(), [&](SettingsRecord& r) { r.SetDefaultSaveFolder(shots); });
  PressKey(VK_SNAPSHOT);
  const std::string written = ToLower(shots) + "\\pic1.bmp";
  ASSERT_TRUE(w.WaitFile(written)) << "the capture after the failed one was not written";
  EXPECT_TRUE(WaitFor([&] { return ListLines(w.main) == std::vector<std::string>{"pic1.bmp"}; }, 5s));
  EXPECT_TRUE(w.NoBoxOpen()) << "the failure was reported again";
}

TEST(Robustness, WorkingFolderOnAnAbsentDrive_WarnsAndUsesTheDocumentsFolder) {
  OcelotSession s(TestName());
  const std::string configured = std::string(kAbsentFolder) + "\\Ocelot";
  ASSERT_TRUE(WritePrivateProfileStringA("WORKINGPATH", "PATH", configured.c_str(), s.docs.IniPath().c_str()));
  ASSERT_TRUE(s.Start());
  auto box = WaitMessageBoxOnly(s.app, 15s);
  ASSERT_TRUE(box.has_value()) << "no warning about the working folder";
  EXPECT_EQ(box->caption, "Warning");
  EXPECT_EQ(box->text, "The working folder \"" + configured +
                           "\" named in OCL.INI cannot be used: the folder does not exist and cannot be created.\r"
                           "Ocelot uses \"" + s.docs.DefaultWorkingFolder() + "\" for this session.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  ASSERT_TRUE(PressButton(*box, "OK"));
  ASSERT_NE(s.WaitStarted(), nullptr) << "the program did not go on after the warning";
  EXPECT_TRUE(FileExists(settings::SettingsPath(s.docs.DefaultWorkingFolder())));
  EXPECT_TRUE(FolderExists(s.docs.DefaultWorkingFolder() + "\\Catalogs"));
  // The user's choice is kept for a later start, when the drive may be back.
  char ini[MAX_PATH] = {};
  GetPrivateProfileStringA("WORKINGPATH", "PATH", "", ini, sizeof ini, s.docs.IniPath().c_str());
  EXPECT_EQ(std::string(ini), configured);
  EXPECT_TRUE(s.app.Running());
}

TEST(Robustness, NoUsableWorkingFolderAtAll_SaysSoAndEnds) {
  OcelotSession s(TestName());
  const std::string configured = std::string(kAbsentFolder) + "\\Ocelot";
  ASSERT_TRUE(WritePrivateProfileStringA("WORKINGPATH", "PATH", configured.c_str(), s.docs.IniPath().c_str()));
  // A file where the documents folder's "Ocelot" would be made.
  WriteFileBytes(s.docs.DefaultWorkingFolder(), Bytes("in the way"));
  ASSERT_TRUE(s.Start());
  auto box = WaitMessageBoxOnly(s.app, 15s);
  ASSERT_TRUE(box.has_value()) << "no message before the program ends";
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Ocelot cannot start: its working folder \"" + s.docs.DefaultWorkingFolder() +
                           "\" cannot be used: the folder does not exist and cannot be created.");
  ASSERT_TRUE(PressButton(*box, "OK"));
  ASSERT_TRUE(s.app.WaitExit(10s)) << "the program runs on without a working folder";
  EXPECT_EQ(s.app.ExitCode(), 1u);
  EXPECT_TRUE(FileExists(s.docs.DefaultWorkingFolder())) << "the file in the way was touched";
}

TEST(Robustness, FilesThatCannotBeShown_SayWhyAndTheGoodOneStillShows) {
  RobustSession w(TestName(), [](SettingsRecord& r) { r.StartMinimized = 0; });
  const imaging::Rgb good_colour{0, 160, 0};
  imaging::WriteImageFile(w.Work("good.bmp"), Solid(40, 30, good_colour));
  WriteFileBytes(w.Work("huge.png"), HugePngHeader());
  WriteFileBytes(w.Work("lying.bmp"), Bytes(std::string("BM") + std::string(60, '\xFF')));
  auto jpeg = imaging::WriteImage(Gradient(64, 48), imaging::FileType::Jpeg);
  jpeg.resize(jpeg.size() / 2);
  WriteFileBytes(w.Work("cut.jpg"), jpeg);
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(ListLines(main).size(), 4u);
  HWND view = GetDlgItem(main, kViewId);
  const auto shows_good = [&] {
    const Pixels p = ClientPixels(view);
    return std::find(p.rgb.begin(), p.rgb.end(), RGB(good_colour.r, good_colour.g, good_colour.b)) != p.rgb.end();
  };
  const std::string good_text = w.Work("good.bmp") + ", 40x30, High Color";

  const struct { const char* file; const char* said; } cases[] = {
      {"huge.png", " is too large to open (30000 \xD7 30000 pixels)"},
      {"lying.bmp", " is not an image Ocelot can read"},
      {"cut.jpg", ", 64x48, High Color"},  // the rows that arrived, the rest grey
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(w.ClickLine("good.bmp"));
    ASSERT_TRUE(WaitFor([&] { return StatusText(main) == good_text; }, 5s)) << StatusText(main);
    ASSERT_TRUE(WaitFor(shows_good, 5s));
    ASSERT_TRUE(w.ClickLine(c.file));
    const std::string want = w.Work(c.file) + c.said;
    EXPECT_TRUE(WaitFor([&] { return StatusText(main) == want; }, 5s)) << StatusText(main);
    // The good image's pixels are gone from the view.
    EXPECT_TRUE(WaitFor([&] { return !shows_good(); }, 5s));
    EXPECT_TRUE(w.NoBoxOpen());
  }
  ASSERT_TRUE(w.ClickLine("good.bmp"));
  EXPECT_TRUE(WaitFor([&] { return StatusText(main) == good_text; }, 5s)) << StatusText(main);
  EXPECT_TRUE(WaitFor(shows_good, 5s));
  EXPECT_TRUE(w.s.app.Running());
}

TEST(Robustness, OutOfRangeSettings_ListsShowTheDefaultsAndPrintScreenCaptures) {
  SettingsRecord r = SettingsRecord::Defaults();
  r.CaptureMode = 99;
  r.OutputMode = 42;
  r.CaptureFormat = 17;
  r.PrintImageSize = 5;
  r.StartMinimized = 1;
  r.TurnOffSound = 1;
  RobustSession w(TestName(), [&](SettingsRecord& record) { record = r; });
  const std::string cfg = settings::SettingsPath(w.Work());
  const auto bytes_before = ReadFileBytes(cfg);
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ASSERT_TRUE(GetFileAttributesExA(cfg.c_str(), GetFileExInfoStandard, &before));
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  const SettingsRecord d = SettingsRecord::Defaults();
  EXPECT_EQ(ListEntry(main, kCaptureMethodId), d.CaptureMode);  // "Full Screen"
  EXPECT_EQ(ListEntry(main, kOutputModeId), d.OutputMode);      // "Print and Capture"
  EXPECT_EQ(ListEntry(main, kImageFormatId), d.CaptureFormat);  // "Windows Bitmap (BMP)"

  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(w.WaitFile(w.Work("pic1.bmp")));
  EXPECT_TRUE(WaitFor([&] { return ListLines(main) == std::vector<std::string>{"pic1.bmp"}; }, 15s));
  EXPECT_EQ(imaging::ReadImageFile(w.Work("pic1.bmp")).Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_TRUE(w.NoBoxOpen());  // the print after the capture included
  // Reading the record never writes it back.
  EXPECT_EQ(ReadFileBytes(cfg), bytes_before);
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExA(cfg.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
}

TEST(Robustness, GoToUrl_OpensOnlyWebAddresses) {
  const std::string record = "C:\\ocelot-e2e\\" + TestName() + "-urls.txt";
  DeleteFileA(record.c_str());
  const EnvironmentVariable record_to("OCELOT_URL_RECORD", record);
  const std::string recorder = ProgramFolder() + "\\url_recorder.exe";
  // The user's own handler, and the machine's, which is the one Wine's shell reads.
  const std::string handler_command = "\"" + recorder + "\" \"%1\"";
  const RegistryValue user_handler(HKEY_CURRENT_USER, "Software\\Classes\\http\\shell\\open\\command", handler_command);
  const RegistryValue machine_handler(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command",
                                      handler_command);
  ASSERT_TRUE(user_handler.Set());
  ASSERT_TRUE(machine_handler.Set());
  RobustSession w(TestName(), [](SettingsRecord& r) { r.CaptureMode = 1; });
  ASSERT_NE(w.Start(), nullptr);
  // Addresses that are programs: the recorder itself would leave a line if it started.
  const std::string refused[] = {"C:\\Windows\\System32\\cmd.exe", recorder};
  for (const auto& address : refused) ASSERT_TRUE(w.CaptureFromBrowser(address));
  ASSERT_TRUE(w.CaptureFromBrowser("http://example.org/"));
  ASSERT_TRUE(w.Restore());
  ASSERT_EQ(ListLines(w.main), (std::vector<std::string>{"pic1.bmp", "pic2.bmp", "pic3.bmp"}));

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(refused[i]);
    ASSERT_TRUE(w.ClickLine("pic" + std::to_string(i + 1) + ".bmp"));
    ASSERT_TRUE(WaitFor([&] { return SelectedLines(w.main) == std::vector<int>{i}; }, 5s));
    ASSERT_TRUE(w.s.Pick({"&Image", "&Go to URL"}));
    auto box = w.WaitBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, "\"" + refused[i] + "\" is not a web address (http, https or ftp), so Ocelot did not open it.");
    ASSERT_TRUE(PressButton(*box, "OK"));
    ASSERT_TRUE(WaitClosed(box->hwnd));
    EXPECT_TRUE(w.NoBoxOpen());
  }
  ASSERT_TRUE(w.ClickLine("pic3.bmp"));
  ASSERT_TRUE(WaitFor([&] { return SelectedLines(w.main) == std::vector<int>{2}; }, 5s));
  ASSERT_TRUE(w.s.Pick({"&Image", "&Go to URL"}));
  ASSERT_TRUE(WaitFor([&] { return FileExists(record) && TextOf(record).find("\r\n") != std::string::npos; }, 15s))
      << "the shell did not open the web address";
  const std::string opened = TextOf(record);
  EXPECT_NE(opened.find("http://example.org/"), std::string::npos) << opened;
  // One start only: the refused addresses opened nothing.
  EXPECT_EQ(std::count(opened.begin(), opened.end(), '\n'), 1) << opened;
  EXPECT_FALSE(AnyProcessNamed("cmd.exe"));
  EXPECT_TRUE(w.NoBoxOpen());
  DeleteFileA(record.c_str());
}

TEST(Robustness, SaveAsAfterARefusedNameAndAFailedWrite_WritesTheOriginalColours) {
  RobustSession w(TestName(), [](SettingsRecord& r) { r.StartMinimized = 0; });
  const std::string out = w.s.docs.Path() + "\\out";
  ASSERT_TRUE(CreateFolders(out));
  settings::ChangeSettings(w.Work(), [&](SettingsRecord& r) { r.SetDefaultSaveFolder(out); });
  const Image source = Gradient(120, 80);  // thousands of colours
  imaging::WriteImageFile(w.Work("pic1.bmp"), source);
  ASSERT_FALSE(FileExists(out + "\\shot.png")) << "left from an earlier run";
  const std::string locked = out + "\\locked.gif";
  imaging::WriteImageFile(locked, Solid(8, 8, {255, 0, 0}));
  const auto locked_bytes = ReadFileBytes(locked);
  // Held open sharing reads only, so no one can write it (a read-only file would not do:
  // the tests may run as root, whom Wine lets write it).
  HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const ScopeExit unlock([&] { CloseHandle(lock); });
  HWND main = w.Start();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(w.ClickLine("pic1.bmp"));
  ASSERT_TRUE(WaitFor([&] { return SelectedLines(main) == std::vector<int>{0}; }, 5s));
  ASSERT_TRUE(w.s.Pick({"&File", "Save &As"}));

  HWND dlg = WaitFileDialog(w.s.app);
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, out + "\\shot.xyz");
  auto box = w.WaitBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Valid formats are:\rBMP, GIF, JPG, PCX, PNG, TGA, and TIF");
  ASSERT_TRUE(PressButton(*box, "OK"));

  dlg = WaitFileDialog(w.s.app);
  ASSERT_NE(dlg, nullptr);
  SaveFileDialogAs(dlg, locked);
  auto ask = w.WaitBox();  // the dialog's overwrite question
  ASSERT_TRUE(ask.has_value());
  EXPECT_NE(ask->text.find("already exists"), std::string::npos) << ask->text;
  ASSERT_TRUE(PressButton(*ask, "Yes"));
  ASSERT_TRUE(WaitClosed(ask->hwnd));
  box = w.WaitBox();
  ASSERT_TRUE(box.has_value()) << "no message for the failed write";
  EXPECT_EQ(box->caption, "Error");
  EXPECT_NE(box->text.find("locked.gif"), std::string::npos) << box->text;
  ASSERT_TRUE(PressButton(*box, "OK"));
  EXPECT_EQ(ReadFileBytes(locked), locked_bytes);

  dlg = WaitFileDialog(w.s.app);
  ASSERT_NE(dlg, nullptr) << "no second chance after the failed write";
  SaveFileDialogAs(dlg, out + "\\shot.png");
  ASSERT_TRUE(WaitFor([&] { return w.LineOf("shot.png") >= 0; })) << w.Shows();
  ASSERT_TRUE(w.WaitFile(out + "\\shot.png"));
  const Image saved = imaging::ReadImageFile(out + "\\shot.png");
  ASSERT_EQ(saved.Width(), source.Width());
  ASSERT_EQ(saved.Height(), source.Height());
  EXPECT_EQ(saved.Format(), PixelFormat::TrueColour);
  EXPECT_EQ(ColourMismatches(saved, source), 0) << "the retry wrote the GIF's 256 colours";
  EXPECT_TRUE(w.NoBoxOpen());
}

TEST(Robustness, EmptyNoteOfAWebImage_IsDeletedAndViewEditNoteOffersANewOne) {
  RobustSession w(TestName(), [](SettingsRecord& r) { r.CaptureMode = 1; });
  ASSERT_NE(w.Start(), nullptr);
  ASSERT_TRUE(w.CaptureFromBrowser("http://example.test/noted.html"));
  ASSERT_TRUE(FileExists(w.Work("pic1.bmp")));
  const std::string note = output::NotePathFor(w.Work("pic1.bmp"));
  WriteFileBytes(note, std::vector<std::uint8_t>{});
  ASSERT_TRUE(w.Restore());
  ASSERT_TRUE(w.ClickLine("pic1.bmp"));
  ASSERT_TRUE(WaitFor([&] { return SelectedLines(w.main) == std::vector<int>{0}; }, 5s));

  // The list's pop-up menu, opened by a right click on the line.
  ASSERT_TRUE(w.ClickLine("pic1.bmp", true));
  ASSERT_NE(WaitMenuWindow(w.s.app.Pid()), nullptr) << "no pop-up menu after a right click on the line";
  EXPECT_TRUE(WaitFor([&] { return !FileExists(note); }, 5s)) << "the empty note is still there";
  ASSERT_TRUE(PickFromOpenMenu(w.s.app.Pid(), {"&View/Edit note"}));
  auto box = w.WaitBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Note");
  EXPECT_EQ(box->text, "There is no note for pic1.bmp.\rDo you want to add note?");
  EXPECT_EQ(box->buttons, (std::vector<std::string>{"Yes", "No"}));
  ASSERT_TRUE(PressButton(*box, "No"));
  EXPECT_TRUE(w.NoBoxOpen());
  EXPECT_FALSE(FileExists(note));
}
