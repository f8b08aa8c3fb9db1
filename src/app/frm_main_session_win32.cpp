// TfrmMain: the session list, the view and its zoom, Delete and Select All, the pop-up
// menu, and writing the view's image to session files.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main.h"
#include "app/frm_main_parts.h"
#include "app/resource.h"
#include "catalog/catalog_files.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/image_formats.h"
#include "output/note_file.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/dib.h"
#include "win/message_box.h"
#include "win/wait.h"

namespace ocelot::app {

namespace {
// The hourglass for the length of a scope.
class WaitCursor {
 public:
  WaitCursor() : old_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(old_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR old_;
};

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }
std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

long long DisplayColourCount() {
  HDC dc = GetDC(nullptr);
  const long long n = output::ScreenColorCount(GetDeviceCaps(dc, BITSPIXEL), GetDeviceCaps(dc, PLANES));
  ReleaseDC(nullptr, dc);
  return n;
}
}  // namespace

void TfrmMain::ShowImageFile(const std::string& path) {
  if (!FileExists(path)) return;
  WaitCursor wait;
  // Decoded first: a file that is not an image leaves the view as it was.
  imaging::Image image;
  try {
    image = imaging::ReadImageFile(path);
  } catch (const Error&) {
    return;
  }
  backup_image_ = imaging::Image();
  main_image_.Clear();
  main_image_.SetImage(std::move(image));
  if (palette_display_) main_image_.RealizeImagePalette();
  ShowImageInfo(path);
}

void TfrmMain::ShowImageInfo(const std::string& path) {
  const auto& img = main_image_.GetImage();
  const std::string text = output::ImageInfoText(path, img.Width(), img.Height(), img.Format());
  SendMessageA(status_bar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TfrmMain::lbPicNamesClick() {
  if (session_.Empty()) return;
  const int focused = session_.Focused();
  if (focused < 0) return;
  ShowImageFile(session_.At(static_cast<std::size_t>(focused)).path);
  cboViewPercentClick();
}

void TfrmMain::cboViewPercentClick() {
  if (session_.Empty()) return;
  WaitCursor wait;
  if (FitToWindowActive) {
    const int focused = session_.Focused();
    if (focused >= 0) ShowImageFile(session_.At(static_cast<std::size_t>(focused)).path);
    FitToWindowActive = false;
  }
  const int index = static_cast<int>(SendMessageA(cboViewPercent, CB_GETCURSEL, 0, 0));
  if (index < 0) return;
  if (index == kFitToWindowIndex) {
    FitToWindow();
  } else if (index == kZoom100Index) {
    if (backup_image_.Empty()) {
      main_image_.SetZoom(100);
    } else {
      main_image_.SetImage(std::move(backup_image_));
      backup_image_ = imaging::Image();
    }
  } else {
    main_image_.SetZoom(ZoomPercentOfEntry(index));
  }
}

void TfrmMain::FitToWindow() {
  main_image_.SetZoom(100);
  UpdateWindow(main_image_.hwnd());
  const auto& image = main_image_.GetImage();
  if (image.Empty()) return;
  RECT rc;
  GetClientRect(main_image_.hwnd(), &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  // The whole image stretched (aspect not kept) to the view's size, handed over through
  // the clipboard, which keeps the stretched copy.
  HDC screen = GetDC(nullptr);
  HDC src = CreateCompatibleDC(screen);
  HDC dst = CreateCompatibleDC(screen);
  HBITMAP source = win::CreateBitmapFromImage(image);
  HBITMAP target = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
  HGDIOBJ old_src = SelectObject(src, source);
  HGDIOBJ old_dst = SelectObject(dst, target);
  SetStretchBltMode(dst, HALFTONE);
  SetBrushOrgEx(dst, 0, 0, nullptr);
  StretchBlt(dst, 0, 0, rc.right, rc.bottom, src, 0, 0, image.Width(), image.Height(), SRCCOPY);
  SelectObject(src, old_src);
  SelectObject(dst, old_dst);
  DeleteDC(src);
  DeleteDC(dst);
  ReleaseDC(nullptr, screen);
  DeleteObject(source);
  auto stretched = win::ImageFromBitmap(target);
  DeleteObject(target);
  if (!stretched) return;
  win::PutImageOnClipboard(hwnd(), *stretched);
  if (auto from_clipboard = win::ImageFromClipboard(hwnd())) main_image_.SetImage(std::move(*from_clipboard));
  main_image_.Repaint();
  FitToWindowActive = true;
}

void TfrmMain::cboCapSelectionClick() {
  const auto index = static_cast<std::int32_t>(SendMessageA(cboCapSelection, CB_GETCURSEL, 0, 0));
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { r.CaptureMode = index; });
  AutoCaptureStopForMode(index);
}

void TfrmMain::cboPrintSelectionClick() {
  const auto index = static_cast<std::int32_t>(SendMessageA(cboPrintSelection, CB_GETCURSEL, 0, 0));
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { r.OutputMode = index; });
}

void TfrmMain::cboDefaultFormatClick() {
  const auto index = static_cast<std::int32_t>(SendMessageA(cboDefaultFormat, CB_GETCURSEL, 0, 0));
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { r.CaptureFormat = index; });
}

bool TfrmMain::RequireSelection() const {
  if (session_.SelectedCount() > 0) return true;
  win::ShowMessage(hwnd(), "Please select an image.", "Error", MB_OK | MB_ICONWARNING);
  return false;
}

bool TfrmMain::RequireOneSelected() const {
  if (session_.SelectedCount() <= 1) return true;
  win::ShowMessage(hwnd(), "Select only one image.", "Error", MB_OK | MB_ICONWARNING);
  return false;
}

void TfrmMain::Delete1Click() {
  if (session_.Empty()) return;
  if (!RequireSelection()) return;
  if (win::ShowMessage(hwnd(), "Are you sure you want to delete the image(s)?", "Confirmation",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  const std::string catalogs = catalog::CatalogsFolderOf(settings::WorkingFolder());
  for (;;) {
    const auto selected = session_.Selected();
    if (selected.empty()) break;
    const std::size_t i = selected.front();
    const std::string path = session_.At(i).path;
    const std::string note = output::NotePathFor(path);
    if (FileExists(note)) DeleteFileA(note.c_str());
    const std::string catalog_file = catalog::FindCatalogOf(catalogs, path);
    if (!catalog_file.empty()) catalog::RemoveCatalogRecord(catalogs, path, catalog_file);
    DeleteFileA(path.c_str());  // a file that cannot be deleted still leaves the list
    session_.RemoveAt(i);
    session_.Repaint();
    win::PumpMessages();
  }
  if (session_.Empty()) {
    main_image_.Clear();
    SendMessageA(status_bar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
  } else {
    session_.SelectOnly(0);
    lbPicNamesClick();
  }
  bool any_url = false;
  for (std::size_t i = 0; i < session_.Size(); ++i) any_url = any_url || !session_.At(i).url.empty();
  if (!any_url) {
    EnableMenuItem(GetMenu(hwnd()), IDM_GOTOURL1, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(image_menu_.get(), IDM_GOTOURL2, MF_BYCOMMAND | MF_GRAYED);
  }
}

void TfrmMain::SelectAll1Click() { session_.SelectAll(); }

void TfrmMain::OnContextMenu(HWND source, POINT pt) {
  if (source != lbPicNames && source != main_image_.hwnd()) return;
  if (pt.x == -1 && pt.y == -1) {  // from the keyboard
    RECT r;
    GetWindowRect(source, &r);
    pt = POINT{r.left + 8, r.top + 8};
  }
  HMENU popup = GetSubMenu(image_menu_.get(), 0);
  if (session_.SelectedCount() > 0) OnImageMenuOpening(popup);
  const int cmd = static_cast<int>(
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y, 0, hwnd(), nullptr));
  if (cmd) OnCommand(cmd, 0, nullptr);
}

void TfrmMain::OnImageMenuOpening(HMENU menu) {
  remembered_note_path_.clear();
  if (session_.SelectedCount() != 1) return;
  const SessionImage& img = session_.At(session_.Selected().front());
  if (img.url.empty()) {
    EnableMenuItem(menu, IDM_GOTOURL2, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, IDM_VIEWEDITNOTE1, MF_BYCOMMAND | MF_GRAYED);
    return;
  }
  EnableMenuItem(menu, IDM_GOTOURL2, MF_BYCOMMAND | MF_ENABLED);
  remembered_note_path_ = JoinPath(FolderOf(img.path), output::NoteFileName(FileNameOf(img.path)));
  bool note = FileExists(remembered_note_path_);
  if (note && ReadFileBytes(remembered_note_path_, 1).empty()) {
    DeleteFileA(remembered_note_path_.c_str());
    note = false;
  }
  EnableMenuItem(menu, IDM_VIEWEDITNOTE1, MF_BYCOMMAND | (note ? MF_ENABLED : MF_GRAYED));
}

void TfrmMain::OnMainImageMenuOpening(HMENU menu) {
  // With no or several images selected the item keeps its state.
  if (session_.SelectedCount() != 1) return;
  const bool has_url = !session_.At(session_.Selected().front()).url.empty();
  EnableMenuItem(menu, IDM_GOTOURL1, MF_BYCOMMAND | (has_url ? MF_ENABLED : MF_GRAYED));
}

std::string TfrmMain::WriteCaptureFile(int format_index, const std::string& path, bool add_to_list) {
  if (format_index < 0 || format_index >= output::kImageFormatCount) throw Error("Unknown image format.");
  const std::string target =
      path.empty() ? output::NextPicName(settings::WorkingFolder(), output::ImageFormats()[static_cast<std::size_t>(format_index)].extension)
                   : path;
  const auto type = static_cast<imaging::FileType>(format_index);
  if (type == imaging::FileType::Gif) {
    main_image_.SetImage(imaging::ToGifPalette(main_image_.GetImage()));
  } else if (type == imaging::FileType::Jpeg) {
    if (main_image_.GetImage().Format() != imaging::PixelFormat::TrueColour) ConvertToTrueColour();
  } else {
    ReduceColoursForSave();
  }
  // Captures are always written at JPEG quality 100, baseline.
  imaging::WriteImageFile(target, main_image_.GetImage(), imaging::WriteOptions{100, false});
  if (add_to_list) {
    session_.Append(SessionImage{FileNameOf(target), target, CaptureUrl, SessionMark::None});
    CaptureUrl.clear();
  }
  return target;
}

void TfrmMain::ReduceColoursForSave() {
  const int format = static_cast<int>(SendMessageA(cboDefaultFormat, CB_GETCURSEL, 0, 0));
  const auto target = output::ColourReductionForSave(format, DisplayColourCount());
  if (!target) return;
  backup_image_ = main_image_.GetImage();
  main_image_.SetImage(imaging::ConvertToFormat(main_image_.GetImage(), *target));
}

void TfrmMain::ConvertToTrueColour() { main_image_.SetImage(imaging::ToTrueColour(main_image_.GetImage())); }

}  // namespace ocelot::app
