// Printing on the session's PDF printer: the layouts' pages as PDF files, rendered back to
// pixels with pdftoppm, the print error dialog and the printer setup file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "driver/main_window.h"
#include "driver/ocelot_driver.h"
#include "imaging/codec.h"
#include "output/print_layout.h"
#include "output/printer_setup_file.h"
#include "settings/settings_file.h"

using namespace ocelot;
using namespace ocelot::e2e;
using imaging::Image;
using imaging::PixelFormat;
using output::PrintRect;
using settings::SettingsRecord;

namespace {
namespace fs = std::filesystem;

constexpr char kPrinter[] = "OcelotPDF";
constexpr int kRenderDpi = 100;  // pages are rendered at a third of the printer's 300 dpi
constexpr int kTolerance = 3;    // rendered pixels

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::string PrintOutput() {
  const char* out = std::getenv("OCELOT_PRINT_OUTPUT");
  return out ? out : "";
}

std::string UnixPath(const std::string& windows_path) {
  std::string p = windows_path.substr(2);  // the Z: drive is the Unix root
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

Image Solid(int w, int h, COLORREF c) {
  Image img(w, h, PixelFormat::TrueColour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      auto* p = img.Row(y) + x * 3;
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  return img;
}

// Runs a Linux program (Wine starts Unix executables itself) and waits for it.
bool RunUnix(const std::string& command_line) {
  std::string cmd = "start.exe /wait /unix " + command_line;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    return false;
  const bool done = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return done;
}

struct PrintedJob {
  std::string path;
  int job = 0;  // the CUPS job number in the file name
};

// The PDF files of the printer, oldest job first.
std::vector<PrintedJob> PrintedJobs() {
  std::vector<PrintedJob> jobs;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(PrintOutput(), ec)) {
    const std::string name = e.path().filename().string();
    if (name.size() < 4 || ToLower(name.substr(name.size() - 4)) != ".pdf") continue;
    const auto at = name.find("job_");
    jobs.push_back({e.path().string(), at == std::string::npos ? 0 : std::atoi(name.c_str() + at + 4)});
  }
  std::sort(jobs.begin(), jobs.end(), [](const auto& a, const auto& b) { return a.job < b.job; });
  return jobs;
}

bool WholePdf(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const Error&) {
    return false;
  }
  const std::string tail(bytes.end() - static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), 32)), bytes.end());
  return tail.find("%%EOF") != std::string::npos;
}

// Waits until the printer has written `count` whole PDF files (and no more come soon).
std::vector<PrintedJob> WaitForJobs(std::size_t count, Duration timeout = 60s) {
  WaitFor(
      [&] {
        const auto jobs = PrintedJobs();
        return jobs.size() >= count && std::all_of(jobs.begin(), jobs.end(), [](const auto& j) { return WholePdf(j.path); });
      },
      timeout);
  // No further job comes.
  WaitFor([&] { return PrintedJobs().size() > count; }, 1500ms);
  return PrintedJobs();
}

void ClearPrintOutput() {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(PrintOutput(), ec)) fs::remove_all(e.path(), ec);
}

int PdfPageCount(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  const std::string text(bytes.begin(), bytes.end());
  int pages = 0;
  for (std::size_t at = 0; (at = text.find("/Type", at)) != std::string::npos; ++at) {
    std::size_t v = at + 5;
    while (v < text.size() && text[v] == ' ') ++v;
    if (text.compare(v, 5, "/Page") == 0 && (v + 5 >= text.size() || text[v + 5] != 's')) ++pages;
  }
  return pages;
}

// The document title the job carried, as the PDF's information dictionary holds it.
std::string PdfTitle(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  const std::string text(bytes.begin(), bytes.end());
  const auto at = text.find("/Title");
  if (at == std::string::npos) return {};
  const auto open = text.find('(', at);
  const auto close = text.find(')', open);
  return open == std::string::npos || close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

// The first page of the PDF as pixels at kRenderDpi.
std::optional<Image> RenderPage(const std::string& pdf) {
  const std::string prefix = pdf + ".page";
  if (!RunUnix("/usr/bin/pdftoppm -r " + std::to_string(kRenderDpi) + " -png -singlefile " + UnixPath(pdf) + " " +
               UnixPath(prefix)))
    return std::nullopt;
  // Wine's start does not wait for a Unix program: read once the file is whole.
  std::optional<Image> page;
  WaitFor(
      [&] {
        try {
          page = imaging::ReadImageFile(prefix + ".png");
        } catch (const Error&) {
        }
        return page.has_value();
      },
      30s);
  return page;
}

bool Near(const Image& page, int x, int y, COLORREF c) {
  const imaging::Rgb p = page.PixelColour(x, y);
  return std::abs(p.r - GetRValue(c)) + std::abs(p.g - GetGValue(c)) + std::abs(p.b - GetBValue(c)) < 60;
}

// Bounds of the pixels near the colour, in printer pixels (the render scaled up); an
// empty rectangle when there are none.
PrintRect BoundsOf(const Image& page, COLORREF c) {
  int left = page.Width(), top = page.Height(), right = -1, bottom = -1;
  for (int y = 0; y < page.Height(); ++y)
    for (int x = 0; x < page.Width(); ++x)
      if (Near(page, x, y, c)) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + 1);
        bottom = std::max(bottom, y + 1);
      }
  if (right < 0) return {};
  constexpr int k = 300 / kRenderDpi;
  return {left * k, top * k, (right - left) * k, (bottom - top) * k};
}

// Equal within the rendering's resolution.
::testing::AssertionResult PlacedAt(const PrintRect& got, const PrintRect& want) {
  constexpr int slack = kTolerance * 300 / kRenderDpi;
  if (std::abs(got.x - want.x) <= slack && std::abs(got.y - want.y) <= slack &&
      std::abs(got.Right() - want.Right()) <= slack && std::abs(got.Bottom() - want.Bottom()) <= slack)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "printed at (" << got.x << ", " << got.y << ", " << got.width << " x "
                                       << got.height << "), expected (" << want.x << ", " << want.y << ", "
                                       << want.width << " x " << want.height << ")";
}

// The printer's page as the program measures it: its size, the line height of its font and
// the screen. `devmode` may turn it to landscape.
output::PageMetrics PrinterPage(const DEVMODEA* devmode = nullptr) {
  output::PageMetrics page;
  HDC dc = CreateDCA("WINSPOOL", kPrinter, nullptr, devmode);
  if (!dc) return page;
  page.width = GetDeviceCaps(dc, HORZRES);
  page.height = GetDeviceCaps(dc, VERTRES);
  HFONT font = CreateFontA(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE line{};
  GetTextExtentPoint32A(dc, "Hg", 2, &line);
  page.line_height = line.cy;
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  page.screen_width = GetSystemMetrics(SM_CXSCREEN);
  page.screen_height = GetSystemMetrics(SM_CYSCREEN);
  page.landscape = page.width > page.height;
  return page;
}

// The printer's DEVMODE, turned to landscape.
std::vector<std::uint8_t> LandscapeDevmode() {
  HANDLE h = nullptr;
  if (!OpenPrinterA(const_cast<char*>(kPrinter), &h, nullptr)) return {};
  const LONG size = DocumentPropertiesA(nullptr, h, const_cast<char*>(kPrinter), nullptr, nullptr, 0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<LONG>(size, 0)));
  auto* dm = reinterpret_cast<DEVMODEA*>(bytes.data());
  if (size <= 0 || DocumentPropertiesA(nullptr, h, const_cast<char*>(kPrinter), dm, nullptr, DM_OUT_BUFFER) != IDOK) {
    ClosePrinter(h);
    return {};
  }
  dm->dmFields |= DM_ORIENTATION;
  dm->dmOrientation = DMORIENT_LANDSCAPE;
  ClosePrinter(h);
  return bytes;
}

// A session whose working folder holds the images before the program starts, and an
// empty printer output.
struct PrintSession {
  explicit PrintSession(const std::string& name) : s(name) {
    EXPECT_FALSE(PrintOutput().empty()) << "OCELOT_PRINT_OUTPUT is not set: no printer in the test session";
    ClearPrintOutput();
    EXPECT_TRUE(CreateFolders(s.docs.DefaultWorkingFolder()));
    settings::WriteSettings(s.docs.DefaultWorkingFolder(), SettingsRecord::Defaults());
  }
  std::string Path(const std::string& file) const { return s.docs.DefaultWorkingFolder() + "\\" + file; }
  void Put(const std::string& file, const Image& img) { imaging::WriteImageFile(Path(file), img); }
  HWND Start() {
    if (!s.Start()) return nullptr;
    HWND main = s.MainWindow();
    if (!main) ADD_FAILURE() << "no main window; running " << s.app.Running() << ", exit code " << std::hex << s.app.ExitCode();
    WaitFor([&] { return IsVisible(main); });
    return main;
  }
  int LineOf(HWND main, const std::string& name) const {
    const auto lines = ListLines(main);
    const auto it = std::find(lines.begin(), lines.end(), name);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
  }
  void SelectNames(HWND main, std::initializer_list<const char*> names) {
    std::vector<int> lines;
    for (const char* n : names) lines.push_back(LineOf(main, n));
    // SelectLines takes an initializer list; select one by one in the order given.
    SendMessageA(GetDlgItem(main, kListId), LB_SETSEL, FALSE, -1);
    for (int line : lines) SendMessageA(GetDlgItem(main, kListId), LB_SETSEL, TRUE, line);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(main, kListId)));
  }
  // Picks the command and confirms the system print dialog.
  ::testing::AssertionResult Print(std::initializer_list<std::string> command) {
    if (auto picked = s.Pick(command); !picked) return picked;
    auto dialog = s.app.WaitMessageBox(15s);
    if (!dialog) return ::testing::AssertionFailure() << "no print dialog";
    if (!Answer(*dialog, "OK")) return ::testing::AssertionFailure() << "print dialog without OK: " << dialog->caption;
    if (!WaitFor([&] { return !IsWindow(dialog->hwnd); }))
      return ::testing::AssertionFailure() << "the print dialog stays";
    return ::testing::AssertionSuccess();
  }
  // The next dialog of the program with this caption.
  std::optional<MessageBoxInfo> WaitDialog(const std::string& caption, Duration timeout = 15s) {
    std::optional<MessageBoxInfo> found;
    WaitFor(
        [&] {
          auto box = s.app.WaitMessageBox(200ms);
          if (box && box->caption == caption) found = box;
          return found.has_value();
        },
        timeout);
    return found;
  }
  OcelotSession s;
};

const std::initializer_list<std::string> kImages = {"&File", "&Print", "&Image(s)"};
const std::initializer_list<std::string> kManyToAPage = {"&File", "&Print", "Image(s) as &Many to a Page"};
const std::initializer_list<std::string> kThumbnails = {"&File", "&Print", "&Thumbnails"};

constexpr COLORREF kRed = RGB(220, 30, 30);
constexpr COLORREF kBlue = RGB(30, 30, 220);
constexpr COLORREF kGreen = RGB(30, 180, 30);
constexpr COLORREF kOrange = RGB(240, 150, 20);
}  // namespace

TEST(Print, ImagesOfAScreenSizedImage_FillsThePageWidthCentredVertically) {
  PrintSession p(TestName());
  const auto page = PrinterPage();
  ASSERT_GT(page.width, 0) << "no printer " << kPrinter;
  p.Put("pic1.bmp", Solid(page.screen_width, page.screen_height, kRed));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  SelectLines(main, {0});
  ASSERT_TRUE(p.Print(kImages));
  const auto jobs = WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(fs::path(jobs[0].path).filename().string().rfind("Ocelot", 0), 0u) << jobs[0].path;
  EXPECT_EQ(PdfTitle(jobs[0].path), "Ocelot");
  EXPECT_EQ(PdfPageCount(jobs[0].path), 1);
  const auto rendered = RenderPage(jobs[0].path);
  ASSERT_TRUE(rendered);
  const auto want = output::ImagePagesLayout(page.screen_width, page.screen_height, page, false);
  ASSERT_EQ(want.size(), 1u);
  EXPECT_EQ(want[0].target.width, page.width);
  EXPECT_EQ(want[0].target.y, (page.height - want[0].target.height) / 2);
  EXPECT_TRUE(PlacedAt(BoundsOf(*rendered, kRed), want[0].target));
}

TEST(Print, ImagesOfACaptureThreeScreensTall_OneJobPerStripEachAtTheTop) {
  PrintSession p(TestName());
  const auto page = PrinterPage();
  ASSERT_GT(page.width, 0);
  const int iw = page.screen_width;
  const int ih = page.screen_height * 3;
  const auto strips = output::ImagePagesLayout(iw, ih, page, false);
  ASSERT_GE(strips.size(), 2u);
  // Each strip in a colour of its own, so every page shows which rows it holds.
  const COLORREF colours[] = {kRed, kBlue, kGreen, kOrange};
  ASSERT_LE(strips.size(), std::size(colours));
  Image tall(iw, ih, PixelFormat::TrueColour);
  for (std::size_t k = 0; k < strips.size(); ++k) {
    const Image band = Solid(iw, strips[k].rows, colours[k]);
    for (int y = 0; y < strips[k].rows; ++y)
      std::copy(band.Row(y), band.Row(y) + band.Stride(), tall.Row(strips[k].first_row + y));
  }
  p.Put("pic1.bmp", tall);
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  SelectLines(main, {0});
  ASSERT_TRUE(p.Print(kImages));
  const auto jobs = WaitForJobs(strips.size());
  ASSERT_EQ(jobs.size(), strips.size());
  for (std::size_t k = 0; k < jobs.size(); ++k) {
    EXPECT_EQ(PdfPageCount(jobs[k].path), 1) << k;
    const auto rendered = RenderPage(jobs[k].path);
    ASSERT_TRUE(rendered) << k;
    EXPECT_EQ(strips[k].target.y, 0);
    EXPECT_TRUE(PlacedAt(BoundsOf(*rendered, colours[k]), strips[k].target)) << "strip " << k;
  }
}

TEST(Print, ManyToAPage_ImagesPlacedAsComputedOverTwoPages) {
  PrintSession p(TestName());
  const auto page = PrinterPage();
  ASSERT_GT(page.width, 0);
  // The screen, 5/8, 3/4 and 5/16 of it, each in its own colour.
  const struct {
    const char* name;
    int w, h;
    COLORREF colour;
  } images[] = {
      {"pic1.bmp", page.screen_width, page.screen_height, kRed},
      {"pic2.bmp", page.screen_width * 5 / 8, page.screen_height * 5 / 8, kBlue},
      {"pic3.bmp", page.screen_width * 3 / 4, page.screen_height * 3 / 4, kGreen},
      {"pic4.bmp", page.screen_width * 5 / 16, page.screen_height * 5 / 16, kOrange},
  };
  for (const auto& i : images) p.Put(i.name, Solid(i.w, i.h, i.colour));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  p.SelectNames(main, {"pic1.bmp", "pic2.bmp", "pic3.bmp", "pic4.bmp"});
  ASSERT_EQ(SelectedLines(main).size(), 4u);
  // The layout takes the images in list order.
  std::vector<std::size_t> order;
  std::vector<output::PrintSize> sizes;
  for (const auto& line : ListLines(main))
    for (std::size_t i = 0; i < std::size(images); ++i)
      if (line == images[i].name) {
        order.push_back(i);
        sizes.push_back(output::NormalPrintSize(images[i].w, images[i].h, page, false));
      }
  ASSERT_EQ(order.size(), 4u);
  const auto want = output::ManyToAPageLayout(sizes, page);
  ASSERT_EQ(want.pages.size(), 2u);
  ASSERT_TRUE(p.Print(kManyToAPage));
  const auto jobs = WaitForJobs(2);
  ASSERT_EQ(jobs.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(PdfPageCount(jobs[k].path), 1);
    const auto rendered = RenderPage(jobs[k].path);
    ASSERT_TRUE(rendered);
    for (const auto& placed : want.pages[k]) {
      const auto& image = images[order[placed.index]];
      EXPECT_TRUE(PlacedAt(BoundsOf(*rendered, image.colour), placed.image)) << image.name << " on page " << k + 1;
    }
  }
}

TEST(Print, ManyToAPage_ImageOfNoPage_ReportedAndTheOthersPrintedOnTheRestoredLandscapePage) {
  PrintSession p(TestName());
  const auto devmode = LandscapeDevmode();
  ASSERT_FALSE(devmode.empty());
  const auto page = PrinterPage(reinterpret_cast<const DEVMODEA*>(devmode.data()));
  ASSERT_TRUE(page.landscape);
  WriteFileBytes(p.Path(output::kPrinterSetupFileName), output::EncodePrinterSetup({kPrinter, devmode}));
  // At most 1024 rows, yet taller than the landscape page at normal size.
  const int tall_h = 1000;
  const int tall_w = 600;
  ASSERT_GT(output::NormalPrintSize(tall_w, tall_h, page, false).height, page.height);
  p.Put("pic1.bmp", Solid(tall_w, tall_h, kBlue));
  p.Put("pic2.bmp", Solid(page.screen_width / 2, page.screen_height / 2, kRed));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  p.SelectNames(main, {"pic1.bmp", "pic2.bmp"});
  ASSERT_TRUE(p.Print(kManyToAPage));
  auto error = p.WaitDialog("Error");
  ASSERT_TRUE(error);
  HWND memo = FindWindowExA(error->hwnd, nullptr, "Edit", nullptr);
  EXPECT_EQ(WindowText(memo),
            "pic1.bmp is larger than one page. You can print this image using Print/Image or Print/Thumbnails only.");
  ASSERT_TRUE(Answer(*error, "OK"));
  const auto jobs = WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  const auto rendered = RenderPage(jobs[0].path);
  ASSERT_TRUE(rendered);
  EXPECT_GT(rendered->Width(), rendered->Height());  // landscape, as the setup file said
  const auto size = output::NormalPrintSize(page.screen_width / 2, page.screen_height / 2, page, false);
  EXPECT_TRUE(PlacedAt(BoundsOf(*rendered, kRed), {0, 0, size.width, size.height}));
  EXPECT_EQ(BoundsOf(*rendered, kBlue).width, 0);
}

TEST(Print, Thumbnails_CellsInTheirColumns) {
  PrintSession p(TestName());
  const auto page = PrinterPage();
  ASSERT_GT(page.width, 0);
  const struct {
    const char* name;
    int w, h;
    COLORREF colour;
  } images[] = {
      {"pic1.bmp", 400, 300, kRed},     // fills its cell
      {"pic2.bmp", 400, 200, kBlue},    // 160 x 80, 20 from the top of the cell
      {"pic3.bmp", 100, 300, kGreen},   // 40 x 120, 60 from the left
  };
  for (const auto& i : images) p.Put(i.name, Solid(i.w, i.h, i.colour));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  p.SelectNames(main, {"pic1.bmp", "pic2.bmp", "pic3.bmp"});
  ASSERT_TRUE(p.Print(kThumbnails));
  const auto jobs = WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  const auto rendered = RenderPage(jobs[0].path);
  ASSERT_TRUE(rendered);
  const auto sheet = output::ThumbnailSheetLayout(3, page, false);
  ASSERT_EQ(sheet.pages.size(), 1u);
  const auto lines = ListLines(main);
  for (const auto& placed : sheet.pages[0]) {
    const std::string& name = lines[placed.cell];
    const auto it = std::find_if(std::begin(images), std::end(images), [&](const auto& i) { return name == i.name; });
    ASSERT_NE(it, std::end(images));
    const auto fit = output::FitThumbnail(it->w, it->h);
    // The cell's content scaled as the cell is.
    const double sx = static_cast<double>(sheet.cell.width) / output::kThumbnailCellWidth;
    const double sy = static_cast<double>(sheet.cell.height) / output::kThumbnailCellHeight;
    const PrintRect want{placed.image.x + static_cast<int>(fit.offset.x * sx), placed.image.y + static_cast<int>(fit.offset.y * sy),
                         static_cast<int>(fit.size.width * sx), static_cast<int>(fit.size.height * sy)};
    EXPECT_TRUE(PlacedAt(BoundsOf(*rendered, it->colour), want)) << name;
  }
}

TEST(Print, CaptionAbove_TypedTextCentredAboveTheCentredImage) {
  PrintSession p(TestName());
  const auto page = PrinterPage();
  ASSERT_GT(page.width, 0);
  p.Put("pic1.bmp", Solid(page.screen_width / 2, page.screen_height / 2, kRed));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  SelectLines(main, {0});
  ASSERT_TRUE(p.Print({"&File", "&Print", "Image(s) with &Caption", "&Above Image"}));
  auto input = p.WaitDialog("Caption Above Image");
  ASSERT_TRUE(input);
  EXPECT_EQ(input->text, "Enter Comment");
  HWND edit = FindWindowExA(input->hwnd, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(WindowText(edit), "");
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("MMMMMMMMMMMMMMMMMMMM"));
  ASSERT_TRUE(Answer(*input, "OK"));
  const auto jobs = WaitForJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  const auto rendered = RenderPage(jobs[0].path);
  ASSERT_TRUE(rendered);
  const auto want = output::CaptionLayout(page.screen_width / 2, page.screen_height / 2, page, false, true, 0);
  ASSERT_TRUE(want);
  EXPECT_TRUE(PlacedAt(BoundsOf(*rendered, kRed), want->image));
  // The text: dark pixels in its line above the image, centred on the page.
  const PrintRect text = BoundsOf(*rendered, RGB(0, 0, 0));
  ASSERT_GT(text.width, 0);
  EXPECT_GE(text.y, want->text.y - kTolerance * 3);
  EXPECT_LE(text.Bottom(), want->image.y - 20 + kTolerance * 3);
  EXPECT_NEAR(text.x + text.width / 2, page.width / 2, kTolerance * 3 * 2);
}

TEST(Print, CommandsWithoutWhatTheyNeed_AskForAnImageOrDoNothing) {
  PrintSession p(TestName());
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  // An empty list: "&Image(s)" does nothing, the fitted layout asks.
  ASSERT_TRUE(p.s.Pick(kImages));
  EXPECT_FALSE(p.s.app.WaitMessageBox(2s));
  ASSERT_TRUE(p.s.Pick({"&File", "&Print", "Image(s) Stretch/Shrink to &Full Page"}));
  auto box = p.s.app.WaitMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Please select an image.");
  Answer(*box, "OK");
  WaitFor([&] { return !IsWindow(box->hwnd); });
}

TEST(Print, CommandsWithoutSelection_AskForAnImage) {
  PrintSession p(TestName());
  p.Put("pic1.bmp", Solid(64, 48, kRed));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(ListLines(main).size(), 1u);
  SendMessageA(GetDlgItem(main, kListId), LB_SETSEL, FALSE, -1);
  const std::initializer_list<std::string> commands[] = {
      kImages,
      {"&File", "&Print", "Image(s) with &Caption", "&Above Image"},
      {"&File", "&Print", "&Image(s) with Caption and Time-&Date Stamp", "&Below Image"},
      kManyToAPage,
      kThumbnails,
  };
  for (const auto& command : commands) {
    ASSERT_TRUE(p.s.Pick(command)) << "running " << p.s.app.Running() << ", exit code " << std::hex << p.s.app.ExitCode();
    auto box = p.s.app.WaitMessageBox();
    ASSERT_TRUE(box) << *(command.end() - 1);
    EXPECT_EQ(box->text, "Please select an image.") << *(command.end() - 1);
    Answer(*box, "OK");
    WaitFor([&] { return !IsWindow(box->hwnd); });
  }
}

TEST(Print, CaptionLayoutOfAnImageTallerThan1024_ErrorDialogThatClosesItself) {
  PrintSession p(TestName());
  p.Put("pic1.bmp", Solid(100, 1025, kRed));
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  SelectLines(main, {0});
  ASSERT_TRUE(p.Print({"&File", "&Print", "Image(s) with &Caption", "&Below Image"}));
  auto error = p.WaitDialog("Error");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(GetWindowLongA(error->hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
  // Unanswered, it goes by itself after 15 seconds; nothing is printed.
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(error->hwnd); }, 40s));
  EXPECT_TRUE(p.s.app.Running()) << "exit code " << std::hex << p.s.app.ExitCode();
  EXPECT_TRUE(PrintedJobs().empty());
}

TEST(Print, PrinterSetupConfirmed_SavesThePrinterToTheFile) {
  PrintSession p(TestName());
  HWND main = p.Start();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(p.s.Pick({"&Setup", "&Printer"}));
  auto dialog = p.s.app.WaitMessageBox(15s);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(Answer(*dialog, "OK"));
  const std::string file = p.Path(output::kPrinterSetupFileName);
  ASSERT_TRUE(WaitFor([&] { return FileExists(file); }, 10s));
  const auto setup = output::DecodePrinterSetup(ReadFileBytes(file));
  ASSERT_TRUE(setup);
  EXPECT_EQ(setup->printer_name, kPrinter);
  ASSERT_GE(setup->devmode.size(), offsetof(DEVMODEA, dmFields) + sizeof(DWORD));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(setup->devmode.data())), kPrinter);  // dmDeviceName
}

TEST(Print, SetupFileUnreadableOrStale_PrintsOnTheDefaultPrinter) {
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"garbage", {'n', 'o', 't', ' ', 'a', ' ', 's', 'e', 't', 'u', 'p'}},
      {"a printer that is gone", output::EncodePrinterSetup({"Gone Printer", std::vector<std::uint8_t>(220, 7)})},
      {"our printer with a broken DEVMODE", output::EncodePrinterSetup({kPrinter, {1, 2, 3}})},
  };
  for (const auto& c : cases) {
    PrintSession p(TestName() + "_" + std::to_string(&c - cases));
    WriteFileBytes(p.Path(output::kPrinterSetupFileName), c.bytes);
    p.Put("pic1.bmp", Solid(64, 48, kRed));
    HWND main = p.Start();
    ASSERT_NE(main, nullptr) << c.what;
    SelectLines(main, {0});
    ASSERT_TRUE(p.Print(kImages)) << c.what;
    EXPECT_EQ(WaitForJobs(1).size(), 1u) << c.what;
    EXPECT_TRUE(p.s.app.Running()) << c.what;
    p.s.app.Kill();
  }
}
