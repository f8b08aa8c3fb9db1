// The print commands: the "&Print" layouts of both menus and the toolbar, "&Setup" >
// "&Printer", and the printing of a capture.
#pragma once

#include "commands/command_context.h"
#include "commands/command_table.h"

namespace ocelot::output {

class PrintCommands {
 public:
  explicit PrintCommands(commands::CommandContext context) : c_(context) {}
  void AddTo(commands::CommandTable& table);

  // Loads "PrinterSetup.cfg" of the working folder: the printer of the last setup.
  static void LoadPrinterSetup();

  // The capture printing rules, on the current image; a SuperScroll image is printed in
  // strips over as many pages as it needs.
  void PrintAfterCapture(bool super_scroll);

 private:
  enum class Layout { Pages, CaptionAbove, CaptionBelow, CaptionDateAbove, CaptionDateBelow, Fitted, Many, Thumbnails };
  void PrintMenuClick(Layout layout);
  void PrinterSetup1Click();

  commands::CommandContext c_;
};

}  // namespace ocelot::output
