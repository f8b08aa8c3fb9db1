#include "commands/command_table.h"

#include <gtest/gtest.h>

#include <vector>

using ocelot::commands::CommandTable;

TEST(CommandTable, RunsOnlyEnabledRowsAndNeverAnUnbuiltCommand) {
  CommandTable table;
  std::vector<int> ran;
  bool allowed = false;
  table.Add(1, [&] { ran.push_back(1); });
  table.Add(2, [&] { ran.push_back(2); }, [&] { return allowed; });

  EXPECT_TRUE(table.Enabled(1));
  EXPECT_FALSE(table.Enabled(2));
  EXPECT_FALSE(table.Enabled(3));  // no row: a command that is not built
  EXPECT_TRUE(table.Run(1));
  EXPECT_FALSE(table.Run(2));
  EXPECT_FALSE(table.Run(3));
  allowed = true;  // the rule is asked at the moment of use
  EXPECT_TRUE(table.Enabled(2));
  EXPECT_TRUE(table.Run(2));
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(CommandTable, CheckMarksFollowTheirRule) {
  CommandTable table;
  bool on = false;
  table.Add(1, [&] { on = true; }, {}, [&] { return on; });
  table.Add(2, [&] { on = false; }, {}, [&] { return !on; });
  table.Add(3, [] {});
  EXPECT_FALSE(table.Checked(1));
  EXPECT_TRUE(table.Checked(2));
  table.Run(1);
  EXPECT_TRUE(table.Checked(1));
  EXPECT_FALSE(table.Checked(2));
  EXPECT_FALSE(table.Checked(3));
  EXPECT_FALSE(table.Checked(4));
}

TEST(CommandTable, AHandlerMayReplaceItsOwnRow) {
  CommandTable table;
  int calls = 0;
  table.Add(1, [&] {
    ++calls;
    table.Add(1, [&] { calls += 10; });
  });
  table.Run(1);
  table.Run(1);
  EXPECT_EQ(calls, 11);
}
