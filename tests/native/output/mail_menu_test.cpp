#include "output/mail_menu.h"

#include <gtest/gtest.h>

using namespace ocelot::output;

TEST(MailMenu, CaptionIsLowerCasedAndCutAtLnk) {
  EXPECT_EQ(MailMenuCaption("Mail Program.lnk"), "mail program");
  EXPECT_EQ(MailMenuCaption("Fax.LNK.lnk"), "fax");
  EXPECT_EQ(MailMenuCaption("NoExtension"), "noextension");
}

TEST(MailMenu, EntriesStartWithThePlaceholderAndSkipRefusedTargets) {
  const auto entries = MailMenuEntries("C:\\SendTo", {"Mail.lnk", "3½ Floppy (A).lnk", "Desktop (create shortcut).lnk",
                                                      "My Briefcase.lnk", "Infrared.lnk", "Writer.lnk"});
  EXPECT_EQ(entries, (std::vector<std::string>{"Mail Recipient.MAPIFILE", "C:\\SendTo\\Mail.lnk",
                                               "C:\\SendTo\\Writer.lnk"}));
}
