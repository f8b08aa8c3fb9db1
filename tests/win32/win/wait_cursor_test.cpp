#include "win/wait_cursor.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace ocelot;

TEST(WaitCursor, Scope_ShowsTheHourglassThenTheCursorBefore) {
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  SetCursor(arrow);
  {
    win::WaitCursor wait;
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  }
  EXPECT_EQ(GetCursor(), arrow);
}
