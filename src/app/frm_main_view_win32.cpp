// TfrmMain: a click on a list line and the zoom list of the view.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main.h"
#include "app/frm_main_parts.h"
#include "output/show_image.h"
#include "win/dib.h"

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
}  // namespace

void TfrmMain::lbPicNamesClick() {
  if (session_.Empty()) return;
  const int focused = list_.Focused();
  if (focused < 0) return;
  {
    WaitCursor wait;
    output::ShowImageFile(session_, session_.At(static_cast<std::size_t>(focused)).path);
  }
  cboViewPercentClick();
}

void TfrmMain::cboViewPercentClick() {
  if (session_.Empty()) return;
  WaitCursor wait;
  if (FitToWindowActive) {
    const int focused = list_.Focused();
    if (focused >= 0) output::ShowImageFile(session_, session_.At(static_cast<std::size_t>(focused)).path);
    FitToWindowActive = false;
  }
  const int index = static_cast<int>(SendMessageA(cboViewPercent, CB_GETCURSEL, 0, 0));
  if (index < 0) return;
  if (index == kFitToWindowIndex) {
    FitToWindow();
  } else if (index == kZoom100Index) {
    if (session_.Backup().Empty()) {
      main_image_.SetZoom(100);
    } else {
      session_.RestoreBackup();
    }
  } else {
    main_image_.SetZoom(ZoomPercentOfEntry(index));
  }
}

void TfrmMain::FitToWindow() {
  main_image_.SetZoom(100);
  UpdateWindow(main_image_.hwnd());
  const auto& image = session_.Current();
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
  if (auto from_clipboard = win::ImageFromClipboard(hwnd())) session_.SetCurrent(std::move(*from_clipboard));
  FitToWindowActive = true;
}

}  // namespace ocelot::app
