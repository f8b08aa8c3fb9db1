// TfrmAutoCap: "Ocelot AutoCapture", the interval of automatic capture.
#pragma once

#include <windows.h>

#include <string>

#include "win/dialog.h"

namespace ocelot::capture {

inline constexpr int kMinAutoCaptureSeconds = 5;
inline constexpr int kMaxAutoCaptureSeconds = 43200;

class TfrmAutoCap : public win::Dialog {
 public:
  // The interval text: the spin edit's text after "OK", "-1" after "Cancel" (button or
  // Escape), and `initial` when the dialog is closed by its frame.
  std::string Run(HWND owner, const std::string& initial);

 protected:
  void OnInit() override;
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  std::string text_;
};

}  // namespace ocelot::capture
