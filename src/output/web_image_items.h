// The menu items of images that came from a web page: "&Go to URL" and "&View/Edit
// note". Their state follows the one selected image and is kept while no single image
// is selected; "&View/Edit note" also remembers the note file the command works on.
#pragma once

#include <string>

#include "session/selection.h"
#include "session/session.h"

namespace ocelot::output {

class WebImageItems {
 public:
  // "&Go to URL": with exactly one image selected, whether it has a web address;
  // otherwise as before. Never enabled once no image has a web address.
  bool GoToUrlEnabled(const session::Session& session, const session::Selection& selection);

  // "&View/Edit note", as its menu opens: with an image selected the remembered note is
  // forgotten; with exactly one image that has a web address, its note file is
  // remembered, deleted when it is empty, and the item is enabled when the file existed.
  // Without a web address the item is disabled. With nothing selected nothing changes.
  // Returns the new state.
  bool NoteMenuOpening(const session::Session& session, const session::Selection& selection);
  // The state the last opening decided. Asked again when the command comes, it must not
  // look at the file once more: the opening may just have deleted an empty note.
  bool NoteEnabled() const { return note_; }
  const std::string& RememberedNotePath() const { return note_path_; }

 private:
  bool goto_url_ = false;
  bool note_ = false;
  std::string note_path_;
};

}  // namespace ocelot::output
