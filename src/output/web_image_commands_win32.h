// The commands of images that came from a web page: "&Go to URL" (the "&Image" menu and
// the pop-up menu) and "&View/Edit note".
#pragma once

#include "commands/command_context.h"
#include "commands/command_table.h"
#include "output/web_image_items.h"

namespace ocelot::output {

class WebImageCommands {
 public:
  explicit WebImageCommands(commands::CommandContext context) : c_(context) {}
  void AddTo(commands::CommandTable& table);
  // The pop-up image menu is about to open: its "&View/Edit note" takes its state.
  void ImageMenuOpening();

 private:
  void GotoURL1Click();
  void ViewEditnote1Click();

  commands::CommandContext c_;
  WebImageItems items_;
};

}  // namespace ocelot::output
