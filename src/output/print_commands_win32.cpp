// The print commands over the selected session images and after a capture; the layouts
// themselves are in printing_win32.
#include "output/print_commands_win32.h"

#include <exception>

#include "commands/command_ids.h"
#include "common/error.h"
#include "imaging/codec.h"
#include "output/print_image_sizes.h"
#include "output/printing_win32.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/wait.h"

namespace ocelot::output {

namespace {

// The session's current image as the layouts see it.
class SessionPrintView : public PrintView {
 public:
  SessionPrintView(HWND owner, session::Session& session) : owner_(owner), session_(session) {}
  const imaging::Image& Current() const override { return session_.Current(); }
  void Show(imaging::Image image) override {
    session_.SetCurrent(std::move(image));
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
  HWND owner_;                 // not owned
  session::Session& session_;  // not owned
};

}  // namespace

void PrintCommands::AddTo(commands::CommandTable& table) {
  const struct { int id; Layout layout; } rows[] = {
      {IDM_PRINTIMAGES, Layout::Pages},
      {IDM_PRINTCAPTIONABOVE, Layout::CaptionAbove},
      {IDM_PRINTCAPTIONBELOW, Layout::CaptionBelow},
      {IDM_PRINTCAPTIONDATEABOVE, Layout::CaptionDateAbove},
      {IDM_PRINTCAPTIONDATEBELOW, Layout::CaptionDateBelow},
      {IDM_PRINTFULLPAGE, Layout::Fitted},
      {IDM_PRINTMANYTOPAGE, Layout::Many},
      {IDM_PRINTTHUMBNAILS, Layout::Thumbnails},
  };
  for (const auto& row : rows) table.Add(row.id, [this, layout = row.layout] { PrintMenuClick(layout); });
  table.Add(IDM_SETUPPRINTER, [this] { PrinterSetup1Click(); });
}

void PrintCommands::LoadPrinterSetup() { output::LoadPrinterSetup(settings::WorkingFolder()); }

void PrintCommands::PrinterSetup1Click() {
  try {
    RunPrinterSetup(c_.window.Owner(), settings::WorkingFolder());
  } catch (const std::exception& e) {
    c_.window.Error(e.what());
  }
}

void PrintCommands::PrintMenuClick(Layout layout) {
  session::Session& s = c_.session;
  if (layout == Layout::Pages && s.Empty()) return;
  if (layout == Layout::Fitted) {
    if (s.Empty()) {
      c_.window.Message("Please select an image.", "Error", MB_OK | MB_ICONWARNING);
      return;
    }
  } else if (!c_.RequireSelection()) {
    return;
  }
  const HWND owner = c_.window.Owner();
  const imaging::Image kept = s.Current();
  SessionPrintView view(owner, s);
  try {
    if (!RunPrintDialog(owner)) return;
    std::vector<PrintEntry> entries;
    for (const std::size_t i : c_.selection.Selected()) entries.push_back({s.At(i).name, s.At(i).path});
    switch (layout) {
      case Layout::Many: PrintManyToAPage(view, entries); break;
      case Layout::Thumbnails: PrintThumbnailSheet(view, entries); break;
      default:
        for (const auto& entry : entries) {
          if (!view.Load(entry.path)) continue;
          if (layout == Layout::Pages) {
            PrintImagePages(view);
          } else if (layout == Layout::Fitted) {
            PrintImageFitted(view.Current(), 1);
          } else if (view.Current().Height() > kMaxCaptionImageHeight) {
            ShowPrintError(owner, entry.name);
          } else {
            const bool above = layout == Layout::CaptionAbove || layout == Layout::CaptionDateAbove;
            const bool dated = layout == Layout::CaptionDateAbove || layout == Layout::CaptionDateBelow;
            PrintImageWithCaption(view, above, dated);
          }
        }
        break;
    }
  } catch (const std::exception& e) {
    c_.window.Error(e.what());
  }
  s.SetCurrent(kept);
}

void PrintCommands::PrintAfterCapture(bool super_scroll) {
  SessionPrintView view(c_.window.Owner(), c_.session);
  try {
    if (super_scroll) {
      win::WaitSeconds(2);
      PrintImagePages(view);
      return;
    }
    const settings::Settings record = settings::ReadTypedSettings(settings::WorkingFolder());
    if (record.print_date_time || record.print_user_name) {
      PrintImageWithHeader(view);
    } else {
      PrintImageFitted(view.Current(), Describe(record.print_image_size).fitted_mode);
    }
  } catch (const std::exception& e) {
    c_.window.Error(e.what());
  }
}

}  // namespace ocelot::output
