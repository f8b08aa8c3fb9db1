#include "app/session_images.h"

#include <gtest/gtest.h>

using namespace ocelot::app;

TEST(SessionImages, EntriesStayTogetherWhenOneIsRemoved) {
  SessionImages s;
  s.Append({"pic1.bmp", "c:\\w\\pic1.bmp", "", SessionMark::None});
  s.Append({"pic2.bmp", "c:\\w\\pic2.bmp", "http://x/", SessionMark::None});
  s.Append({"pic3.bmp", "d:\\keep\\pic3.bmp", "", SessionMark::Disk});
  s.RemoveAt(0);
  ASSERT_EQ(s.Size(), 2u);
  EXPECT_EQ(s.At(0).name, "pic2.bmp");
  EXPECT_EQ(s.At(0).url, "http://x/");
  EXPECT_EQ(s.At(1).path, "d:\\keep\\pic3.bmp");
  s.RemoveAt(7);  // out of range: nothing happens
  EXPECT_EQ(s.Size(), 2u);
}

TEST(SessionImages, AnyPathContainsComparesLowerCased) {
  SessionImages s;
  EXPECT_FALSE(s.AnyPathContains("c:\\work"));
  s.Append({"pic1.bmp", "D:\\Keep\\pic1.bmp", "", SessionMark::Disk});
  EXPECT_FALSE(s.AnyPathContains("C:\\Work"));
  s.Append({"pic2.bmp", "C:\\WORK\\pic2.bmp", "", SessionMark::None});
  EXPECT_TRUE(s.AnyPathContains("c:\\work"));
}

TEST(SessionImages, RecoverableNamesHaveTheSevenImageExtensions) {
  const struct { const char* name; bool recoverable; } cases[] = {
      {"pic3.bmp", true},  {"a.gif", true},     {"a.pcx", true},  {"a.tga", true},   {"a.png", true},
      {"a.jpg", true},     {"a.tif", true},     {"a.jpeg", false}, {"a.tiff", false}, {"notes.doc", false},
      {"bmp", false},      {"a.bmp.txt", false}, {"x.", false}};
  for (const auto& c : cases) EXPECT_EQ(IsRecoverableImageName(c.name), c.recoverable) << c.name;
}
