// Printing on Windows: the printer, its dialogs and the GDI drawing of the layouts.
#include "output/printing_win32.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>
#include <optional>

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "imaging/convert.h"
#include "imaging/resample.h"
#include "output/image_formats.h"
#include "output/printer_setup_file.h"
#include "output/printing_resource.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/dib.h"
#include "win/scoped.h"
#include "win/wait.h"

namespace ocelot::output {

namespace {

constexpr UINT_PTR kStopTimer = 1;
constexpr UINT kStopTimerMs = 15000;
constexpr int kPrinterFontPoints = 10;
constexpr char kPrinterSetupTempName[] = "PrinterSetup.tmp";

// The printer of this run: the setup's choice. An empty name is the system's default.
struct PrinterChoice {
  std::string name;
  std::vector<std::uint8_t> devmode;
};
PrinterChoice& Chosen() {
  static PrinterChoice choice;
  return choice;
}

std::string DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return {};
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) return {};
  name.resize(std::strlen(name.c_str()));
  return name;
}

// A DEVMODE whose sizes agree with its length.
bool IsWholeDevmode(const std::vector<std::uint8_t>& bytes) {
  constexpr std::size_t kMinimum = offsetof(DEVMODEA, dmFields) + sizeof(DWORD);
  if (bytes.size() < kMinimum) return false;
  DEVMODEA head{};
  std::memcpy(&head, bytes.data(), std::min(bytes.size(), sizeof head));
  return head.dmSize >= kMinimum && std::size_t{head.dmSize} + head.dmDriverExtra == bytes.size();
}

struct GlobalMemory {
  HGLOBAL h = nullptr;
  ~GlobalMemory() {
    if (h) GlobalFree(h);
  }
};

HGLOBAL GlobalCopy(const void* data, std::size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!h) return nullptr;
  std::memcpy(GlobalLock(h), data, size);
  GlobalUnlock(h);
  return h;
}

// The DEVNAMES of a printer on the "winspool" driver.
HGLOBAL MakeDevNames(const std::string& printer) {
  const std::string driver = "winspool";
  std::vector<char> block(sizeof(DEVNAMES) + driver.size() + 1 + printer.size() + 1 + 1, '\0');
  DEVNAMES names{};
  names.wDriverOffset = static_cast<WORD>(sizeof(DEVNAMES));
  names.wDeviceOffset = static_cast<WORD>(names.wDriverOffset + driver.size() + 1);
  names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + printer.size() + 1);
  std::memcpy(block.data(), &names, sizeof names);
  std::memcpy(block.data() + names.wDriverOffset, driver.c_str(), driver.size());
  std::memcpy(block.data() + names.wDeviceOffset, printer.c_str(), printer.size());
  return GlobalCopy(block.data(), block.size());
}

// Takes what the user confirmed in a print dialog as the printer of this run.
void TakeChoice(HGLOBAL dev_names, HGLOBAL dev_mode) {
  PrinterChoice choice;
  if (dev_names) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dev_names));
    choice.name = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    GlobalUnlock(dev_names);
  }
  if (dev_mode) {
    const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(dev_mode));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(mode);
    choice.devmode.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
    GlobalUnlock(dev_mode);
    if (choice.name.empty()) choice.name = reinterpret_cast<const char*>(mode->dmDeviceName);
  }
  if (!choice.name.empty()) Chosen() = std::move(choice);
}

// Shows the print dialog (or, with PD_PRINTSETUP, the print setup dialog) on the printer
// of this run; true when the user confirmed.
bool RunPrintDlg(HWND owner, DWORD extra_flags) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | extra_flags;
  pd.nCopies = 1;
  const PrinterChoice& now = Chosen();
  GlobalMemory names, mode;
  if (!now.name.empty()) {
    names.h = MakeDevNames(now.name);
    if (!now.devmode.empty()) mode.h = GlobalCopy(now.devmode.data(), now.devmode.size());
  }
  pd.hDevNames = names.h;
  pd.hDevMode = mode.h;
  const BOOL ok = PrintDlgA(&pd);
  // The dialog may have replaced the blocks it was given.
  names.h = pd.hDevNames;
  mode.h = pd.hDevMode;
  if (!ok) {
    if (CommDlgExtendedError() == PDERR_NODEFAULTPRN) throw Error("No printer is installed.");
    return false;
  }
  TakeChoice(pd.hDevNames, pd.hDevMode);
  return true;
}

std::string DateTimeText() {
  char date[128] = {};
  char time[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
  return std::string(date) + " " + time;
}

std::string LoggedOnUserName() {
  char name[256] = {};
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return {};
  return name;
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Rows [first, first + count) of the image.
imaging::Image RowsOf(const imaging::Image& image, int first, int count) {
  imaging::Image part(image.Width(), count, image.Format());
  part.Palette() = image.Palette();
  part.Dpi() = image.Dpi();
  for (int y = 0; y < count; ++y) std::memcpy(part.Row(y), image.Row(first + y), image.Stride());
  return part;
}

// Passes the image through the clipboard into the view, as the strips and the cells of
// palette displays go; the clipboard keeps it.
void ShowThroughClipboard(PrintView& view, const imaging::Image& image) {
  std::optional<imaging::Image> back;
  if (win::PutImageOnClipboard(view.Owner(), image)) back = win::ImageFromClipboard(view.Owner());
  view.Show(back ? std::move(*back) : image);
}

bool PaletteDisplay() {
  HDC screen = GetDC(nullptr);
  const long long colours = ScreenColorCount(GetDeviceCaps(screen, BITSPIXEL), GetDeviceCaps(screen, PLANES));
  ReleaseDC(nullptr, screen);
  return IsPaletteDisplay(colours);
}

class WaitCursor {
 public:
  WaitCursor() : old_(SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)))) {}  // IDC_WAIT
  ~WaitCursor() { SetCursor(old_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR old_;
};

// A device context on the printer of this run, with the printer font selected, and the
// measures the layouts need. Jobs begin and end on it, one page each.
class Printer {
 public:
  Printer() {
    const PrinterChoice& choice = Chosen();
    name_ = choice.name.empty() ? DefaultPrinterName() : choice.name;
    if (name_.empty()) throw Error("No printer is installed.");
    const DEVMODEA* mode = nullptr;
    if (!choice.name.empty() && IsWholeDevmode(choice.devmode))
      mode = reinterpret_cast<const DEVMODEA*>(choice.devmode.data());
    dc_ = CreateDCA("WINSPOOL", name_.c_str(), nullptr, mode);
    if (!dc_) throw Error("The printer \"" + name_ + "\" cannot be used.");
    font_.reset(CreateFontA(-MulDiv(kPrinterFontPoints, GetDeviceCaps(dc_, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0,
                            0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, "Arial"));
    old_font_ = SelectObject(dc_, font_.get());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
    page_.width = GetDeviceCaps(dc_, HORZRES);
    page_.height = GetDeviceCaps(dc_, VERTRES);
    SIZE line{};
    GetTextExtentPoint32A(dc_, "Hg", 2, &line);
    page_.line_height = line.cy;
    HDC screen = GetDC(nullptr);
    page_.screen_width = GetDeviceCaps(screen, HORZRES);
    page_.screen_height = GetDeviceCaps(screen, VERTRES);
    screen_dpi_ = {static_cast<double>(GetDeviceCaps(screen, LOGPIXELSX)),
                   static_cast<double>(GetDeviceCaps(screen, LOGPIXELSY))};
    ReleaseDC(nullptr, screen);
    dpi_ = {static_cast<double>(GetDeviceCaps(dc_, LOGPIXELSX)), static_cast<double>(GetDeviceCaps(dc_, LOGPIXELSY))};
    page_.landscape = mode && (mode->dmFields & DM_ORIENTATION) ? mode->dmOrientation == DMORIENT_LANDSCAPE
                                                                 : page_.width > page_.height;
  }
  ~Printer() {
    if (in_job_) AbortDoc(dc_);
    SelectObject(dc_, old_font_);
    DeleteDC(dc_);
  }
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  const PageMetrics& Page() const { return page_; }
  Dpi Resolution() const { return dpi_; }
  Dpi ScreenResolution() const { return screen_dpi_; }

  int TextWidth(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

  void BeginJob() {
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = kPrintJobTitle;
    if (StartDocA(dc_, &doc) <= 0) throw Error("The printer \"" + name_ + "\" cannot print.");
    in_job_ = true;
    if (StartPage(dc_) <= 0) throw Error("The printer \"" + name_ + "\" cannot print.");
  }
  void EndJob() {
    EndPage(dc_);
    EndDoc(dc_);
    in_job_ = false;
  }

  void DrawImage(const imaging::Image& image, const PrintRect& target) {
    if (image.Empty() || target.width <= 0 || target.height <= 0) return;
    const bool indexed_without_palette = imaging::IsIndexed(image.Format()) && image.Palette().empty();
    const auto dib = win::PackedDibFromImage(indexed_without_palette ? imaging::ToTrueColour(image) : image);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const std::size_t bits = info->bmiHeader.biSize + info->bmiHeader.biClrUsed * sizeof(RGBQUAD);
    SetStretchBltMode(dc_, HALFTONE);
    SetBrushOrgEx(dc_, 0, 0, nullptr);
    StretchDIBits(dc_, target.x, target.y, target.width, target.height, 0, 0, image.Width(), image.Height(),
                  dib.data() + bits, info, DIB_RGB_COLORS, SRCCOPY);
  }

  void DrawText(const std::string& text, PrintPoint at) {
    if (!text.empty()) TextOutA(dc_, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
  }

 private:
  std::string name_;
  HDC dc_ = nullptr;
  win::ScopedGdiObject font_;
  HGDIOBJ old_font_ = nullptr;
  PageMetrics page_;
  Dpi dpi_;
  Dpi screen_dpi_;
  bool in_job_ = false;
};

bool PrintDateTimeSet() { return settings::ReadTypedSettings(settings::WorkingFolder()).print_date_time; }
bool PrintUserNameSet() { return settings::ReadTypedSettings(settings::WorkingFolder()).print_user_name; }

// The cell stretched to the printed size with a dotted focus rectangle on its border.
imaging::Image FramedCell(const imaging::Image& cell, PrintSize size) {
  HDC screen = GetDC(nullptr);
  HDC source_dc = CreateCompatibleDC(screen);
  HDC target_dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  win::ScopedGdiObject source(win::CreateBitmapFromImage(cell));
  win::ScopedGdiObject target(
      win::CreateBitmapFromImage(imaging::Image(size.width, size.height, imaging::PixelFormat::TrueColour)));
  HGDIOBJ old_source = SelectObject(source_dc, source.get());
  HGDIOBJ old_target = SelectObject(target_dc, target.get());
  SetStretchBltMode(target_dc, HALFTONE);
  SetBrushOrgEx(target_dc, 0, 0, nullptr);
  StretchBlt(target_dc, 0, 0, size.width, size.height, source_dc, 0, 0, cell.Width(), cell.Height(), SRCCOPY);
  const RECT border{0, 0, size.width, size.height};
  DrawFocusRect(target_dc, &border);
  GdiFlush();
  SelectObject(source_dc, old_source);
  SelectObject(target_dc, old_target);
  DeleteDC(source_dc);
  DeleteDC(target_dc);
  auto framed = win::ImageFromBitmap(static_cast<HBITMAP>(target.get()));
  return framed ? std::move(*framed) : cell;
}

}  // namespace

// ---- The printer setup ----

void LoadPrinterSetup(const std::string& working_folder) {
  Chosen() = {};
  const std::string path = JoinPath(working_folder, kPrinterSetupFileName);
  if (!FileExists(path)) return;
  std::optional<PrinterSetupData> data;
  try {
    data = DecodePrinterSetup(ReadFileBytes(path, std::size_t{2} << 20));
  } catch (const Error&) {
    return;
  }
  if (!data) return;
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(data->printer_name.c_str()), &printer, nullptr)) return;  // gone
  PrinterChoice choice{data->printer_name, {}};
  // The stored settings merged into what the driver now accepts; the driver's defaults
  // when it no longer takes them.
  const LONG size = DocumentPropertiesA(nullptr, printer, choice.name.data(), nullptr, nullptr, 0);
  if (size > 0 && IsWholeDevmode(data->devmode)) {
    std::vector<std::uint8_t> merged(static_cast<std::size_t>(size));
    auto* in = reinterpret_cast<DEVMODEA*>(data->devmode.data());
    auto* out = reinterpret_cast<DEVMODEA*>(merged.data());
    if (DocumentPropertiesA(nullptr, printer, choice.name.data(), out, in, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK &&
        IsWholeDevmode(merged))
      choice.devmode = std::move(merged);
  }
  ClosePrinter(printer);
  Chosen() = std::move(choice);
}

void RunPrinterSetup(HWND owner, const std::string& working_folder) {
  if (!RunPrintDlg(owner, PD_PRINTSETUP)) return;
  const PrinterChoice& choice = Chosen();
  const auto bytes = EncodePrinterSetup({choice.name, choice.devmode});
  ReplaceFileContents(JoinPath(working_folder, kPrinterSetupFileName), JoinPath(working_folder, kPrinterSetupTempName),
                      bytes);
}

bool RunPrintDialog(HWND owner) { return RunPrintDlg(owner, 0); }

std::string CurrentPrinterName() { return Chosen().name.empty() ? DefaultPrinterName() : Chosen().name; }

// ---- The layouts ----

void PrintImagePages(PrintView& view) {
  const imaging::Image whole = view.Current();
  if (whole.Empty()) return;
  Printer printer;
  const auto strips = ImagePagesLayout(whole.Width(), whole.Height(), printer.Page(), PrintDateTimeSet());
  if (strips.size() == 1) {
    printer.BeginJob();
    printer.DrawImage(whole, strips[0].target);
    printer.EndJob();
    return;
  }
  for (const auto& strip : strips) {
    ShowThroughClipboard(view, RowsOf(whole, strip.first_row, strip.rows));
    printer.BeginJob();
    printer.DrawImage(view.Current(), strip.target);
    printer.EndJob();
    win::WaitSeconds(1);
  }
  view.Show(whole);
}

void PrintImageWithCaption(PrintView& view, bool caption_above, bool with_date_time) {
  const char* title = with_date_time ? (caption_above ? "Caption, Date, Time Above Image" : "Caption, Date, Time Below Image")
                                     : (caption_above ? "Caption Above Image" : "Caption Below Image");
  TfrmCaptionInput input;
  const std::string caption = input.Run(view.Owner(), title);
  const imaging::Image& image = view.Current();
  if (image.Empty()) return;
  Printer printer;
  std::string text = caption;
  if (with_date_time) text = caption.empty() ? DateTimeText() : caption + " " + DateTimeText();
  const auto page = CaptionLayout(image.Width(), image.Height(), printer.Page(), PrintDateTimeSet(), caption_above,
                                  printer.TextWidth(text));
  if (!page) return;
  printer.BeginJob();
  printer.DrawText(text, page->text);
  printer.DrawImage(image, page->image);
  printer.EndJob();
}

void PrintImageWithHeader(PrintView& view) {
  const imaging::Image& image = view.Current();
  if (image.Empty()) return;
  const bool date_time = PrintDateTimeSet();
  const bool user_name = PrintUserNameSet();
  std::string header;
  if (user_name) header = "user name: " + LoggedOnUserName();
  if (date_time) header += (user_name ? "  " : "") + DateTimeText();
  Printer printer;
  const auto page =
      HeaderLayout(image.Width(), image.Height(), printer.Page(), date_time, user_name, printer.TextWidth(header));
  printer.BeginJob();
  printer.DrawText(header, page.text);
  printer.DrawImage(image, page.image);
  printer.EndJob();
}

void PrintImageFitted(const imaging::Image& image, int mode) {
  if (image.Empty()) return;
  Printer printer;
  const Dpi own{image.Dpi().x, image.Dpi().y};
  const PrintRect target = FittedLayout(image.Width(), image.Height(), mode, own, printer.Resolution(),
                                        printer.ScreenResolution(), printer.Page());
  printer.BeginJob();
  printer.DrawImage(image, target);
  printer.EndJob();
}

void PrintManyToAPage(PrintView& view, const std::vector<PrintEntry>& entries) {
  Printer printer;
  const bool date_time = PrintDateTimeSet();
  std::vector<const PrintEntry*> pending;
  std::vector<PrintSize> sizes;
  {
    WaitCursor wait;
    for (const auto& entry : entries) {
      if (!view.Load(entry.path)) continue;
      const imaging::Image& image = view.Current();
      const PrintSize size = NormalPrintSize(image.Width(), image.Height(), printer.Page(), date_time);
      // Taller than a page at normal size, it would fit on no page either.
      if (image.Height() > kMaxCaptionImageHeight || size.height > printer.Page().height) {
        ShowPrintError(view.Owner(), entry.name);
        continue;
      }
      pending.push_back(&entry);
      sizes.push_back(size);
    }
  }
  const ManyToAPage layout = ManyToAPageLayout(sizes, printer.Page());
  WaitCursor wait;
  for (const auto& page : layout.pages) {
    printer.BeginJob();
    for (const auto& placed : page) {
      const PrintEntry& entry = *pending[placed.index];
      if (!view.Load(entry.path)) continue;
      printer.DrawImage(view.Current(), placed.image);
      printer.DrawText(FileNameOf(entry.path), placed.caption);
    }
    printer.EndJob();
  }
}

void PrintThumbnailSheet(PrintView& view, const std::vector<PrintEntry>& entries) {
  const imaging::Image kept = view.Current();
  struct Cell {
    imaging::Image image;
    std::string name;
  };
  std::vector<Cell> cells;
  for (const auto& entry : entries) {
    if (!FileExists(entry.path) || !view.Load(entry.path)) continue;
    const imaging::Image& image = view.Current();
    const ThumbnailFit fit = FitThumbnail(image.Width(), image.Height());
    view.Show(imaging::Resample(image, fit.size.width, fit.size.height, imaging::ResampleFilter::Hermite));
    const imaging::Image& thumb = view.Current();
    imaging::Image cell(kThumbnailCellWidth, kThumbnailCellHeight, imaging::PixelFormat::TrueColour);
    std::memset(cell.Pixels().data(), 0xff, cell.Pixels().size());
    for (int y = 0; y < thumb.Height() && y + fit.offset.y < kThumbnailCellHeight; ++y)
      std::memcpy(cell.Row(y + fit.offset.y) + fit.offset.x * 3, thumb.Row(y),
                  static_cast<std::size_t>(std::min(thumb.Width(), kThumbnailCellWidth - fit.offset.x)) * 3);
    cells.push_back({std::move(cell), FileNameOf(entry.path)});
  }
  view.Show(kept);
  if (cells.empty()) return;
  Printer printer;
  const ThumbnailSheet sheet = ThumbnailSheetLayout(cells.size(), printer.Page(), PrintDateTimeSet());
  const bool palette_display = PaletteDisplay();
  for (const auto& page : sheet.pages) {
    printer.BeginJob();
    for (const auto& placed : page) {
      const Cell& cell = cells[placed.cell];
      imaging::Image framed = FramedCell(cell.image, sheet.cell);
      if (palette_display) {
        ShowThroughClipboard(view, framed);
        printer.DrawImage(view.Current(), placed.image);
      } else {
        printer.DrawImage(framed, placed.image);
      }
      printer.DrawText(cell.name, placed.caption);
    }
    printer.EndJob();
  }
  if (palette_display) view.Show(kept);
}

// ---- The dialogs ----

std::string PrintErrorText(const std::string& line_name) {
  return line_name + " is larger than one page. You can print this image using" + " Print/Image or Print/Thumbnails only.";
}

void ShowPrintError(HWND owner, const std::string& line_name) {
  TfrmPrintError dialog;
  dialog.Run(owner, PrintErrorText(line_name));
}

void TfrmPrintError::Run(HWND owner, const std::string& message) {
  message_ = message;
  ShowModal(owner, IDD_PRINT_ERROR);
}

void TfrmPrintError::OnInit() {
  SetItemText(IDC_MO_MESSAGE, message_);
  RECT box{}, desktop{};
  GetWindowRect(hwnd(), &box);
  GetWindowRect(GetDesktopWindow(), &desktop);
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  SetWindowPos(hwnd(), HWND_TOPMOST, desktop.left + (desktop.right - desktop.left - w) / 2,
               desktop.top + (desktop.bottom - desktop.top - h) / 2, 0, 0, SWP_NOSIZE);
  SetTimer(hwnd(), kStopTimer, kStopTimerMs, nullptr);
}

INT_PTR TfrmPrintError::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp != kStopTimer) return FALSE;
      KillTimer(hwnd(), kStopTimer);
      End(IDCANCEL);
      return TRUE;
    case WM_CTLCOLORSTATIC:  // the read-only memo: the window colour
      if (reinterpret_cast<HWND>(lp) != Item(IDC_MO_MESSAGE)) return FALSE;
      SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
    case WM_DESTROY:
      KillTimer(hwnd(), kStopTimer);
      return FALSE;
    default:
      return Dialog::HandleMessage(msg, wp, lp);
  }
}

std::string TfrmCaptionInput::Run(HWND owner, const std::string& title) {
  title_ = title;
  text_.clear();
  ShowModal(owner, IDD_PRINT_CAPTION);
  return text_;
}

void TfrmCaptionInput::OnInit() {
  SetWindowTextA(hwnd(), title_.c_str());
  SetItemText(IDC_ED_CAPTION, "");
  SetFocus(Item(IDC_ED_CAPTION));
}

void TfrmCaptionInput::OnOK() {
  text_ = ItemText(IDC_ED_CAPTION);
  End(IDOK);
}

}  // namespace ocelot::output
