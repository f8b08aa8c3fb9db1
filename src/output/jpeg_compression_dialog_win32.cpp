// The JPEG Compression dialog.
#include "output/jpeg_compression_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "common/text.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/saving_resource.h"
#include "win/dib.h"
#include "win/gdi.h"
#include "win/wait_cursor.h"

namespace ocelot::output {

TfrmJPEGCompression::TfrmJPEGCompression(imaging::Image preview, PreviewSource source, std::string working_folder)
    : preview_(std::move(preview)), source_(std::move(source)), working_folder_(std::move(working_folder)) {}

bool TfrmJPEGCompression::Run(HWND owner) { return ShowModal(owner, IDD_JPEG_COMPRESSION) == IDOK; }

void TfrmJPEGCompression::OnInit() {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  if (font && GetObjectA(font, sizeof lf, &lf)) {
    lf.lfWeight = FW_BOLD;
    bold_font_.reset(CreateFontIndirectA(&lf));
    SendMessageA(Item(IDC_LBL_COMPRESSION), WM_SETFONT, reinterpret_cast<WPARAM>(bold_font_.get()), TRUE);
  }
  HWND track = Item(IDC_TB_COMPRESS);
  SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, kCompressionPositions));
  SendMessageA(track, TBM_SETTICFREQ, 1, 0);
  SendMessageA(track, TBM_SETPAGESIZE, 0, 1);
  // Without "jpeg.cfg" this is position 0 (quality 100), unchecked.
  const JpegSettings saved = ReadJpegConfig(working_folder_);
  shown_position_ = PositionOfQuality(saved.quality);
  SendMessageA(track, TBM_SETPOS, TRUE, shown_position_);
  CheckDlgButton(hwnd(), IDC_CB_PROGRESSIVE, saved.progressive ? BST_CHECKED : BST_UNCHECKED);
  SetPreview(imaging::ToTrueColour(preview_));
}

JpegSettings TfrmJPEGCompression::Chosen() const {
  const int position = static_cast<int>(SendMessageA(Item(IDC_TB_COMPRESS), TBM_GETPOS, 0, 0));
  return JpegSettings{QualityOfPosition(position), IsDlgButtonChecked(hwnd(), IDC_CB_PROGRESSIVE) == BST_CHECKED};
}

void TfrmJPEGCompression::OnOK() {
  WriteJpegConfig(working_folder_, Chosen());
  End(IDOK);
}

void TfrmJPEGCompression::tbCompressChange() {
  const int position = static_cast<int>(SendMessageA(Item(IDC_TB_COMPRESS), TBM_GETPOS, 0, 0));
  if (position == shown_position_ || preview_.Empty()) return;
  shown_position_ = position;
  win::WaitCursor wait;
  const JpegSettings chosen = Chosen();
  const std::string file = JoinPath(working_folder_, kJpegPreviewFileName);
  imaging::WriteImageFile(file, source_(), imaging::WriteOptions{chosen.quality, chosen.progressive});
  SetPreview(imaging::ReadImageFile(file));
}

void TfrmJPEGCompression::SetPreview(imaging::Image image) {
  preview_ = std::move(image);
  preview_bitmap_.reset(preview_.Empty() ? nullptr : win::CreateBitmapFromImage(preview_));
  InvalidateRect(Item(IDC_TEST_IMAGE), nullptr, FALSE);
}

void TfrmJPEGCompression::DrawPreview(const DRAWITEMSTRUCT& item) const {
  const RECT& rc = item.rcItem;
  FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if (!preview_bitmap_) return;
  win::MemoryDC mem(item.hDC);
  win::SelectedObject keep(mem.get(), preview_bitmap_.get());
  // 100 %: the top left part that fits.
  BitBlt(item.hDC, rc.left, rc.top, std::min<LONG>(preview_.Width(), rc.right - rc.left),
         std::min<LONG>(preview_.Height(), rc.bottom - rc.top), mem.get(), 0, 0, SRCCOPY);
}

INT_PTR TfrmJPEGCompression::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) == Item(IDC_TB_COMPRESS)) tbCompressChange();
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item->CtlID != IDC_TEST_IMAGE) return FALSE;
      DrawPreview(*item);
      return TRUE;
    }
    default:
      return Dialog::HandleMessage(msg, wp, lp);
  }
}

}  // namespace ocelot::output
