#include "session/session.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace ocelot::session;
using ocelot::imaging::Image;
using ocelot::imaging::PixelFormat;

namespace {

// Records every notice and keeps a mirror of the names, as the list box view does.
class Recorder : public SessionObserver {
 public:
  explicit Recorder(const Session& s) : s_(s) {}
  void EntryAdded(std::size_t i) override {
    log.push_back("added " + std::to_string(i));
    names.insert(names.begin() + static_cast<std::ptrdiff_t>(i), s_.At(i).name);
  }
  void EntryRemoved(std::size_t i) override {
    log.push_back("removed " + std::to_string(i));
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
  }
  void EntryRenamed(std::size_t i) override {
    log.push_back("renamed " + std::to_string(i));
    names.at(i) = s_.At(i).name;
  }
  void EntryMarked(std::size_t i) override { log.push_back("marked " + std::to_string(i)); }
  void CurrentImageChanged() override { log.push_back("current"); }
  void StatusTextChanged() override { log.push_back("status " + s_.StatusText()); }
  void CatalogChanged() override { log.push_back("catalog " + s_.Catalog().StatusText()); }

  std::vector<std::string> log;
  std::vector<std::string> names;

 private:
  const Session& s_;
};

SessionImage Img(const std::string& path, const std::string& url = "", SessionMark mark = SessionMark::None) {
  return {FileNameOf(path), path, url, mark};
}

}  // namespace

TEST(Session, EachChangeIsNoticedOnceAfterItIsMade) {
  Session s;
  Recorder r(s);
  s.AddObserver(&r);
  s.AddObserver(&r);  // once only
  s.Append(Img("c:\\w\\pic1.bmp"));
  s.Append(Img("c:\\w\\pic2.bmp", "http://x/"));
  s.Rename(0, "d:\\keep\\shot.png");
  s.SetMark(0, SessionMark::Disk);
  s.RemoveAt(1);
  s.RemoveAt(7);   // past the end: no change, no notice
  s.Rename(5, "x");
  s.SetMark(5, SessionMark::Disk);
  s.SetCurrent(Image(2, 2, PixelFormat::TrueColour));
  s.SetStatusText("d:\\keep\\shot.png, 2x2, High Color");
  s.OpenCatalogNamed("Trips");
  s.CloseCatalog();
  EXPECT_EQ(r.log, (std::vector<std::string>{"added 0", "added 1", "renamed 0", "marked 0", "removed 1", "current",
                                             "status d:\\keep\\shot.png, 2x2, High Color", "catalog Catalog: Trips",
                                             "catalog "}));
  ASSERT_EQ(s.Size(), 1u);
  EXPECT_EQ(s.At(0).name, "shot.png");
  EXPECT_EQ(s.At(0).mark, SessionMark::Disk);

  s.RemoveObserver(&r);
  s.Append(Img("c:\\w\\pic3.bmp"));
  EXPECT_EQ(r.log.size(), 9u);
}

TEST(Session, ViewsBuiltFromNoticesNeverFallOutOfStep) {
  Session s;
  Recorder r(s);
  s.AddObserver(&r);
  std::mt19937 rng(7);
  for (int step = 0; step < 500; ++step) {
    const std::size_t n = s.Size();
    const std::size_t i = n ? rng() % n : 0;
    switch (rng() % 4) {
      case 0:
      case 1: s.Append(Img("c:\\w\\pic" + std::to_string(step) + ".bmp", step % 3 ? "" : "http://a/")); break;
      case 2: s.RemoveAt(i); break;
      case 3: s.Rename(i, "d:\\out\\n" + std::to_string(step) + ".png"); break;
    }
    ASSERT_EQ(r.names.size(), s.Size());
    for (std::size_t k = 0; k < s.Size(); ++k) {
      ASSERT_EQ(r.names[k], s.At(k).name);
      ASSERT_EQ(s.At(k).name, FileNameOf(s.At(k).path));  // name and path move together
    }
  }
}

TEST(Session, BackupGoesBackAsTheCurrentImage) {
  Session s;
  s.SetCurrent(Image(3, 1, PixelFormat::TrueColour));
  s.SetBackup(s.Current());
  s.SetCurrent(Image(3, 1, PixelFormat::Gray256));
  s.RestoreBackup();
  EXPECT_EQ(s.Current().Format(), PixelFormat::TrueColour);
  EXPECT_TRUE(s.Backup().Empty());
}

TEST(Session, CaptureUrlIsTakenOnce) {
  Session s;
  s.SetCaptureUrl("http://example.org/");
  EXPECT_EQ(s.TakeCaptureUrl(), "http://example.org/");
  EXPECT_EQ(s.TakeCaptureUrl(), "");
}

TEST(Session, PathQueriesCompareLowerCased) {
  Session s;
  EXPECT_FALSE(s.AnyPathContains("c:\\work"));
  EXPECT_FALSE(s.AnyWebAddress());
  s.Append(Img("D:\\Keep\\pic1.bmp", "", SessionMark::Disk));
  EXPECT_FALSE(s.AnyPathContains("C:\\Work"));
  s.Append(Img("C:\\WORK\\pic2.bmp", "http://x/"));
  EXPECT_TRUE(s.AnyPathContains("c:\\work"));
  EXPECT_TRUE(s.AnyWebAddress());
  EXPECT_EQ(s.IndexOfPath("c:\\work\\PIC2.BMP"), 1u);
  EXPECT_EQ(s.IndexOfPath("c:\\work\\pic3.bmp"), std::nullopt);
  EXPECT_EQ(s.Paths(), (std::vector<std::string>{"D:\\Keep\\pic1.bmp", "C:\\WORK\\pic2.bmp"}));
}

TEST(Session, RecoverableNamesHaveTheSevenImageExtensions) {
  const struct { const char* name; bool recoverable; } cases[] = {
      {"pic3.bmp", true},  {"a.gif", true},     {"a.pcx", true},  {"a.tga", true},   {"a.png", true},
      {"a.jpg", true},     {"a.tif", true},     {"a.jpeg", false}, {"a.tiff", false}, {"notes.doc", false},
      {"bmp", false},      {"a.bmp.txt", false}, {"x.", false}};
  for (const auto& c : cases) EXPECT_EQ(IsRecoverableImageName(c.name), c.recoverable) << c.name;
}
