// TfrmMain: printing. The print commands of both menus and the toolbar, the capture
// printing rules and the printer setup; the layouts themselves are in output/printing.
#include <exception>

#include "app/frm_main.h"
#include "app/resource.h"
#include "common/error.h"
#include "imaging/codec.h"
#include "output/printing_win32.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/message_box.h"
#include "win/wait.h"

namespace ocelot::app {

namespace {

enum class PrintLayout { Pages, CaptionAbove, CaptionBelow, CaptionDateAbove, CaptionDateBelow, Fitted, Many, Thumbnails };

PrintLayout LayoutOfCommand(int id) {
  switch (id) {
    case IDM_PRINTCAPTIONABOVE1: case IDM_PRINTCAPTIONABOVE2: return PrintLayout::CaptionAbove;
    case IDM_PRINTCAPTIONBELOW1: case IDM_PRINTCAPTIONBELOW2: return PrintLayout::CaptionBelow;
    case IDM_PRINTCAPTIONDATEABOVE1: case IDM_PRINTCAPTIONDATEABOVE2: return PrintLayout::CaptionDateAbove;
    case IDM_PRINTCAPTIONDATEBELOW1: case IDM_PRINTCAPTIONDATEBELOW2: return PrintLayout::CaptionDateBelow;
    case IDM_PRINTFULLPAGE1: case IDM_PRINTFULLPAGE2: return PrintLayout::Fitted;
    case IDM_PRINTMANYTOPAGE1: case IDM_PRINTMANYTOPAGE2: return PrintLayout::Many;
    case IDM_PRINTTHUMBNAILS1: case IDM_PRINTTHUMBNAILS2: return PrintLayout::Thumbnails;
    default: return PrintLayout::Pages;  // "&Image(s)" and the toolbar button
  }
}

// The main window's view as the layouts see it.
class MainPrintView : public output::PrintView {
 public:
  MainPrintView(HWND owner, ImageView& view) : owner_(owner), view_(view) {}
  const imaging::Image& Current() const override { return view_.GetImage(); }
  void Show(imaging::Image image) override {
    view_.SetImage(std::move(image));
    view_.Repaint();
    win::PumpMessages();
  }
  bool Load(const std::string& path) override {
    imaging::Image image;
    try {
      image = imaging::ReadImageFile(path);
    } catch (const Error&) {
      return false;
    }
    Show(std::move(image));
    return true;
  }
  HWND Owner() const override { return owner_; }

 private:
  HWND owner_;
  ImageView& view_;  // not owned
};

}  // namespace

void TfrmMain::LoadPrinterSetup() { output::LoadPrinterSetup(settings::WorkingFolder()); }

void TfrmMain::PrinterSetup1Click() {
  try {
    output::RunPrinterSetup(hwnd(), settings::WorkingFolder());
  } catch (const std::exception& e) {
    win::ShowError(hwnd(), e.what());
  }
}

void TfrmMain::PrintMenuClick(int command_id) {
  const PrintLayout layout = LayoutOfCommand(command_id);
  if (layout == PrintLayout::Pages && session_.Empty()) return;
  if (layout == PrintLayout::Fitted) {
    if (session_.Empty()) {
      win::ShowMessage(hwnd(), "Please select an image.", "Error", MB_OK | MB_ICONWARNING);
      return;
    }
  } else if (!RequireSelection()) {
    return;
  }
  const imaging::Image kept = main_image_.GetImage();
  MainPrintView view(hwnd(), main_image_);
  try {
    if (!output::RunPrintDialog(hwnd())) return;
    std::vector<output::PrintEntry> entries;
    for (const std::size_t i : session_.Selected()) entries.push_back({session_.At(i).name, session_.At(i).path});
    switch (layout) {
      case PrintLayout::Many: output::PrintManyToAPage(view, entries); break;
      case PrintLayout::Thumbnails: output::PrintThumbnailSheet(view, entries); break;
      default:
        for (const auto& entry : entries) {
          if (!view.Load(entry.path)) continue;
          if (layout == PrintLayout::Pages) {
            output::PrintImagePages(view);
          } else if (layout == PrintLayout::Fitted) {
            output::PrintImageFitted(view.Current(), 1);
          } else if (view.Current().Height() > output::kMaxCaptionImageHeight) {
            output::ShowPrintError(hwnd(), entry.name);
          } else {
            const bool above = layout == PrintLayout::CaptionAbove || layout == PrintLayout::CaptionDateAbove;
            const bool dated = layout == PrintLayout::CaptionDateAbove || layout == PrintLayout::CaptionDateBelow;
            output::PrintImageWithCaption(view, above, dated);
          }
        }
        break;
    }
  } catch (const std::exception& e) {
    win::ShowError(hwnd(), e.what());
  }
  if (kept.Empty()) {
    main_image_.Clear();
  } else {
    main_image_.SetImage(kept);
  }
  main_image_.Repaint();
}

void TfrmMain::PrintAfterCapture(bool super_scroll) {
  MainPrintView view(hwnd(), main_image_);
  try {
    if (super_scroll) {
      win::WaitSeconds(2);
      output::PrintImagePages(view);
      return;
    }
    const auto record = settings::ReadSettings(settings::WorkingFolder());
    if (record.PrintDateTime == 1 || record.PrintUserName == 1) {
      output::PrintImageWithHeader(view);
    } else {
      output::PrintImageFitted(view.Current(), record.PrintImageSize == 1 ? 0 : 1);
    }
  } catch (const std::exception& e) {
    win::ShowError(hwnd(), e.what());
  }
}

}  // namespace ocelot::app
