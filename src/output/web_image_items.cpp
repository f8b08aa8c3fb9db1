// The state of the web-image menu items.
#include "output/web_image_items.h"

#include "common/file_io.h"
#include "output/note_file.h"

namespace ocelot::output {

bool WebImageItems::GoToUrlEnabled(const session::Session& session, const session::Selection& selection) {
  if (!session.AnyWebAddress()) {
    goto_url_ = false;
  } else if (selection.SelectedCount() == 1) {
    const auto index = selection.Selected().front();
    goto_url_ = index < session.Size() && !session.At(index).url.empty();
  }
  return goto_url_;
}

bool WebImageItems::NoteMenuOpening(const session::Session& session, const session::Selection& selection) {
  const auto selected = selection.Selected();
  if (selected.empty()) return note_;
  note_path_.clear();
  if (selected.size() != 1 || selected.front() >= session.Size()) return note_;
  const auto& image = session.At(selected.front());
  if (image.url.empty()) return note_ = false;
  note_path_ = NotePathFor(image.path);
  // An empty note is removed, but the item stays enabled so a new note can be added.
  note_ = FileExists(note_path_);
  if (note_ && ReadFileBytes(note_path_, 1).empty()) RemoveFile(note_path_);
  return note_;
}

}  // namespace ocelot::output
