// TfrmMain: copying the view to the clipboard and the notes of web images.
#include "app/frm_main.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/note_dialogs.h"
#include "win/dib.h"
#include "win/message_box.h"

namespace ocelot::app {

void TfrmMain::Copy1Click() {
  if (session_.Empty()) return;
  if (!RequireOneSelected()) return;
  if (!main_image_.Empty()) win::PutImageOnClipboard(hwnd(), main_image_.GetImage());
}

void TfrmMain::Clearclipboard1Click() { win::EmptyTheClipboard(hwnd()); }

void TfrmMain::ViewEditnote1Click() {
  if (session_.Empty()) return;
  std::vector<std::string> lines;
  if (!remembered_note_path_.empty() && FileExists(remembered_note_path_)) {
    const auto bytes = ReadFileBytes(remembered_note_path_);
    lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  } else {
    const auto selected = session_.Selected();
    if (selected.empty() || remembered_note_path_.empty()) return;
    const std::string& name = session_.At(selected.front()).name;
    if (win::ShowMessage(hwnd(), "There is no note for " + name + ".\rDo you want to add note?", "Note",
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
  }
  output::TfrmComment dialog;
  dialog.Run(hwnd(), remembered_note_path_, lines);
}

}  // namespace ocelot::app
