// The note dialogs.
#include "output/note_dialogs.h"

#include "output/notes_resource.h"
#include "common/file_io.h"
#include "common/text.h"

namespace ocelot::output {

std::vector<std::string> TfrmComments::Run(HWND owner) {
  lines_.clear();
  ShowModal(owner, IDD_COMMENTS);
  return lines_;
}

void TfrmComments::OnInit() { SetFocus(Item(IDC_MO_COMMENTS)); }

bool TfrmComments::OnCommand(int id, int notification) {
  switch (id) {
    case IDM_SAVEANDEXIT1: {
      // Unlike the button, the menu item does nothing while the memo is empty.
      auto lines = win::EditLines(Item(IDC_MO_COMMENTS));
      if (!lines.empty()) {
        lines_ = std::move(lines);
        End(IDOK);
      }
      return true;
    }
    case IDM_EXITWITHOUTSAVE1:
      OnCancel();
      return true;
    default:
      return Dialog::OnCommand(id, notification);
  }
}

void TfrmComments::OnOK() {
  lines_ = win::EditLines(Item(IDC_MO_COMMENTS));
  End(IDOK);
}

void TfrmComments::OnCancel() {
  lines_.clear();
  End(IDCANCEL);
}

bool TfrmComment::Run(HWND owner, const std::string& note_path, const std::vector<std::string>& lines) {
  path_ = note_path;
  lines_ = lines;
  return ShowModal(owner, IDD_COMMENT) == IDOK;
}

void TfrmComment::OnInit() { win::SetEditLines(Item(IDC_MO_COMMENT), lines_); }

void TfrmComment::OnOK() {
  const std::string text = JoinLines(win::EditLines(Item(IDC_MO_COMMENT)));
  WriteFileBytes(path_, std::vector<std::uint8_t>(text.begin(), text.end()));
  End(IDOK);
}

}  // namespace ocelot::output
