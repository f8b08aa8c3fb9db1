// TfrmMain: a click on a list line and the zoom list of the view.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "app/frm_main.h"
#include "app/frm_main_parts.h"
#include "output/show_image.h"
#include "win/dib.h"
#include "win/gdi.h"
#include "win/wait_cursor.h"

namespace ocelot::app {

void TfrmMain::lbPicNamesClick() {
  if (session_.Empty()) return;
  const int focused = list_.Focused();
  if (focused < 0) return;
  {
    win::WaitCursor wait;
    output::ShowImageFile(session_, session_.At(static_cast<std::size_t>(focused)).path);
  }
  cboViewPercentClick();
}

void TfrmMain::cboViewPercentClick() {
  if (session_.Empty()) return;
  win::WaitCursor wait;
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
  std::optional<imaging::Image> stretched;
  {
    win::WindowDC screen(nullptr);
    win::MemoryDC src(screen.get());
    win::MemoryDC dst(screen.get());
    const win::ScopedBitmap source(win::CreateBitmapFromImage(image));
    const win::ScopedBitmap target(CreateCompatibleBitmap(screen.get(), rc.right, rc.bottom));
    {
      win::SelectedObject src_bitmap(src.get(), source.get());
      win::SelectedObject dst_bitmap(dst.get(), target.get());
      SetStretchBltMode(dst.get(), HALFTONE);
      SetBrushOrgEx(dst.get(), 0, 0, nullptr);
      StretchBlt(dst.get(), 0, 0, rc.right, rc.bottom, src.get(), 0, 0, image.Width(), image.Height(), SRCCOPY);
    }
    stretched = win::ImageFromBitmap(target.get());
  }
  if (!stretched) return;
  win::PutImageOnClipboard(hwnd(), *stretched);
  if (auto from_clipboard = win::ImageFromClipboard(hwnd())) session_.SetCurrent(std::move(*from_clipboard));
  FitToWindowActive = true;
}

}  // namespace ocelot::app
