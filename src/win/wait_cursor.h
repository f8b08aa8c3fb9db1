// The hourglass for a scope; the previous cursor comes back on leaving.
#pragma once

#include <windows.h>

namespace ocelot::win {

class WaitCursor {
 public:
  WaitCursor() : old_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(old_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR old_;  // not owned: a shared cursor
};

}  // namespace ocelot::win
