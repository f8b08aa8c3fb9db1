// Dialog base.
#include "win/dialog.h"

#include <exception>

#include "common/text.h"
#include "win/message_box.h"

namespace ocelot::win {

INT_PTR Dialog::ShowModal(HWND owner, int template_id) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id), owner, &Dialog::StaticProc,
                         reinterpret_cast<LPARAM>(this));
}

bool Dialog::OnCommand(int id, int) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

std::string Dialog::ItemText(int id) const {
  HWND item = Item(id);
  const int n = GetWindowTextLengthA(item);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  GetWindowTextA(item, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(n));
  return s;
}

void Dialog::SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lp);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  std::string error;
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "Unexpected error.";
  }
  if (msg == WM_INITDIALOG) {
    // A dialog whose set-up failed is not shown half-built: the error goes to its owner.
    ShowError(GetWindow(hwnd, GW_OWNER), error);
    EndDialog(hwnd, kFailed);
  } else {
    ShowError(hwnd, error);
  }
  return FALSE;
}

std::vector<std::string> EditLines(HWND edit) {
  const int n = GetWindowTextLengthA(edit);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  GetWindowTextA(edit, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(n));
  return SplitLines(s);
}

void SetEditLines(HWND edit, const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetWindowTextA(edit, text.c_str());
}

}  // namespace ocelot::win
