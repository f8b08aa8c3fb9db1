// Dialog: base of our modal dialogs from resource templates. The procedure stores `this`
// at WM_INITDIALOG and routes to OnInit, OnCommand, OnOK and OnCancel; no exception ever
// leaves it (it is reported with the standard error box, and a dialog whose OnInit threw
// ends at once with kFailed).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ocelot::win {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // What ShowModal returns when the dialog could not be created or its OnInit threw.
  static constexpr INT_PTR kFailed = -1;

  // Runs the dialog of the template id; returns the code passed to End, or kFailed.
  INT_PTR ShowModal(HWND owner, int template_id);
  HWND hwnd() const { return hwnd_; }

 protected:
  virtual void OnInit() {}
  // True when the command was handled.
  virtual bool OnCommand(int id, int notification);
  virtual void OnOK() { End(IDOK); }
  virtual void OnCancel() { End(IDCANCEL); }
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void End(INT_PTR code) { EndDialog(hwnd_, code); }

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text) const;

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// The lines of a multi-line edit, as the user sees them (split at its line breaks).
std::vector<std::string> EditLines(HWND edit);
void SetEditLines(HWND edit, const std::vector<std::string>& lines);

}  // namespace ocelot::win
