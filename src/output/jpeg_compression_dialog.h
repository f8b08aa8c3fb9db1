// TfrmJPEGCompression: "JPEG Compression", the quality and progressive choice of JPEG
// saves with a live preview of the chosen quality; OK keeps the choice in "jpeg.cfg".
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "imaging/image.h"
#include "output/save_rules.h"
#include "win/dialog.h"
#include "win/gdi.h"

namespace ocelot::output {

class TfrmJPEGCompression : public win::Dialog {
 public:
  // The image the encoded previews are made from: the main window's view or the editor's.
  using PreviewSource = std::function<const imaging::Image&()>;

  // preview: what the preview area shows at first; working_folder: where "jpeg.cfg" and
  // the preview file "del1.jpg" live.
  TfrmJPEGCompression(imaging::Image preview, PreviewSource source, std::string working_folder);

  // Shows the dialog modally; true when OK wrote "jpeg.cfg".
  bool Run(HWND owner);

 protected:
  void OnInit() override;
  void OnOK() override;
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  JpegSettings Chosen() const;
  void tbCompressChange();
  void SetPreview(imaging::Image image);
  void DrawPreview(const DRAWITEMSTRUCT& item) const;

  imaging::Image preview_;
  PreviewSource source_;
  std::string working_folder_;
  int shown_position_ = 0;  // the position the preview was made for
  win::ScopedBitmap preview_bitmap_;
  win::ScopedFont bold_font_;
};

}  // namespace ocelot::output
