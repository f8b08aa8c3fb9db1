// Printing on Windows: the chosen printer and "PrinterSetup.cfg", the system print dialogs,
// the print error dialog `TfrmPrintError`, and the six layouts drawn with GDI where
// print_layout.h says. Every printed page is a print job of its own, titled "Ocelot".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "imaging/image.h"
#include "output/print_layout.h"
#include "win/dialog.h"

namespace ocelot::output {

inline constexpr char kPrintJobTitle[] = "Ocelot";

// The image view every print works through: images are loaded into it, printed from it,
// and the caller puts its previous image back at the end.
class PrintView {
 public:
  virtual ~PrintView() = default;
  virtual const imaging::Image& Current() const = 0;
  // Puts the image into the view and repaints it.
  virtual void Show(imaging::Image image) = 0;
  // Loads the file into the view; false (the view unchanged) when it is not an image.
  virtual bool Load(const std::string& path) = 0;
  // The window that owns the dialogs and the clipboard.
  virtual HWND Owner() const = 0;
};

// A session image to print: its line in the list and its file.
struct PrintEntry {
  std::string name;
  std::string path;
};

// The printer setup. Start-up and opening a profile restore the printer of
// "PrinterSetup.cfg" in the folder; a missing, unreadable or stale file (a printer that is
// gone) leaves the system's default printer.
void LoadPrinterSetup(const std::string& working_folder);
// Setup > Printer: the system's print setup dialog; what the user confirms becomes the
// printer of this run and is saved to "PrinterSetup.cfg".
void RunPrinterSetup(HWND owner, const std::string& working_folder);
// The system print dialog of the print commands; false on Cancel. The printer chosen in
// it holds for the rest of the run.
bool RunPrintDialog(HWND owner);
// The name of the printer prints go to ("" when there is none).
std::string CurrentPrinterName();

// The layouts, each on the view's current image.
void PrintImagePages(PrintView& view);
void PrintImageWithCaption(PrintView& view, bool caption_above, bool with_date_time);
void PrintImageWithHeader(PrintView& view);
void PrintImageFitted(const imaging::Image& image, int mode);
void PrintManyToAPage(PrintView& view, const std::vector<PrintEntry>& entries);
void PrintThumbnailSheet(PrintView& view, const std::vector<PrintEntry>& entries);

// The images of more than 1024 rows are refused by the caption and many-to-a-page layouts.
inline constexpr int kMaxCaptionImageHeight = 1024;

// "... is larger than one page." for the entry's list line, in the print error dialog.
void ShowPrintError(HWND owner, const std::string& line_name);
std::string PrintErrorText(const std::string& line_name);

// TfrmPrintError: caption "Error", always on top, centred on the desktop; the message in a
// borderless memo `moMessage`; "OK" `btnOK`; `StopTimer` closes it after 15000 ms.
class TfrmPrintError : public win::Dialog {
 public:
  void Run(HWND owner, const std::string& message);

 protected:
  void OnInit() override;
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::string message_;
};

// The caption input box: title as given, prompt "Enter Comment", initially empty. Cancel
// gives "".
class TfrmCaptionInput : public win::Dialog {
 public:
  std::string Run(HWND owner, const std::string& title);

 protected:
  void OnInit() override;
  void OnOK() override;

 private:
  std::string title_;
  std::string text_;
};

}  // namespace ocelot::output
