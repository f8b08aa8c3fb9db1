// TfrmAutoCap.
#include "capture/frm_auto_cap.h"

#include <commctrl.h>

#include "capture/capture_resource.h"

namespace ocelot::capture {

std::string TfrmAutoCap::Run(HWND owner, const std::string& initial) {
  text_ = initial;
  ShowModal(owner, IDD_AUTOCAP);
  return text_;
}

void TfrmAutoCap::OnInit() {
  SendMessageA(Item(IDC_UD_AUTOCAP_SECONDS), UDM_SETRANGE32, kMinAutoCaptureSeconds, kMaxAutoCaptureSeconds);
  SendMessageA(Item(IDC_UD_AUTOCAP_SECONDS), UDM_SETPOS32, 0, kMinAutoCaptureSeconds);
  SetItemText(IDC_ED_AUTOCAP_SECONDS, std::to_string(kMinAutoCaptureSeconds));
}

INT_PTR TfrmAutoCap::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The close box (and Alt+F4, the system menu's Close) arrives as WM_CLOSE, which the
  // dialog manager would turn into the Cancel button's command: it ends the dialog here
  // and leaves the text as it was.
  if (msg == WM_CLOSE) {
    End(IDCANCEL);
    return TRUE;
  }
  return Dialog::HandleMessage(msg, wp, lp);
}

void TfrmAutoCap::OnOK() {
  text_ = ItemText(IDC_ED_AUTOCAP_SECONDS);
  End(IDOK);
}

// "Cancel", by its button or by Escape.
void TfrmAutoCap::OnCancel() {
  text_ = "-1";
  End(IDCANCEL);
}

}  // namespace ocelot::capture
