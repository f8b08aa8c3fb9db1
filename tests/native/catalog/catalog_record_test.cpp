#include "catalog/catalog_record.h"

#include <gtest/gtest.h>

using namespace ocelot::catalog;

TEST(EncodeRecord, PathAndUrl_LengthBytesAnsiCharactersAndZeroPadding) {
  const std::string path = "C:\\Bilder\\\xE9t\xE9.bmp";  // ANSI bytes pass through unchanged
  const std::string url = "http://x.org/";
  const RecordBytes rec = EncodeRecord({path, url});

  std::array<std::uint8_t, 512> want{};
  want[0] = static_cast<std::uint8_t>(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) want[1 + i] = static_cast<std::uint8_t>(path[i]);
  want[256] = static_cast<std::uint8_t>(url.size());
  for (std::size_t i = 0; i < url.size(); ++i) want[257 + i] = static_cast<std::uint8_t>(url[i]);
  EXPECT_EQ(rec, want);
  EXPECT_EQ(rec[0], 17);
  EXPECT_EQ(rec[11], 0xE9);
  EXPECT_EQ(rec[256], 13);
  EXPECT_EQ(rec[257], 'h');
}

TEST(EncodeRecord, EmptyUrl_HasLengthZeroAndAZeroField) {
  const RecordBytes rec = EncodeRecord({"c:\\a.bmp", ""});
  EXPECT_EQ(rec[0], 8);
  for (std::size_t i = 256; i < 512; ++i) ASSERT_EQ(rec[i], 0) << i;
}

TEST(EncodeRecord, LongerThan255_CutsEachFieldTo255) {
  std::string path(300, 'p');
  path[254] = 'X';
  path[255] = 'Y';
  const std::string url(256, 'u');
  const RecordBytes rec = EncodeRecord({path, url});
  EXPECT_EQ(rec[0], 255);
  EXPECT_EQ(rec[255], 'X');    // the 255th character is the last one kept
  EXPECT_EQ(rec[256], 255);    // the URL length byte, not the path's 256th character
  EXPECT_EQ(rec[511], 'u');
  EXPECT_EQ(DecodeRecord(rec), (CatalogRecord{path.substr(0, 255), url.substr(0, 255)}));
}

TEST(DecodeRecord, FullFields_RoundTrip) {
  const CatalogRecord full{std::string(255, '\xFF'), std::string(255, 'w')};
  EXPECT_EQ(DecodeRecord(EncodeRecord(full)), full);
}

TEST(DecodeRecord, BytesAfterTheLength_AreIgnored) {
  RecordBytes rec{};
  rec.fill('#');
  rec[0] = 3;
  rec[1] = 'a';
  rec[2] = 'b';
  rec[3] = 'c';
  rec[256] = 0;
  EXPECT_EQ(DecodeRecord(rec), (CatalogRecord{"abc", ""}));
  EXPECT_EQ(RecordPath(rec), "abc");
}

TEST(ParseRecords, TrailingShortPiece_IsIgnored) {
  const CatalogRecord a{"c:\\a.bmp", "http://a/"}, b{"c:\\b.bmp", ""};
  const struct { std::size_t extra; } cases[] = {{0}, {1}, {300}, {511}};
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes;
    for (const auto& r : {a, b}) {
      const auto e = EncodeRecord(r);
      bytes.insert(bytes.end(), e.begin(), e.end());
    }
    // The tail starts like a third record; it still is none.
    const auto tail = EncodeRecord({"c:\\c.bmp", ""});
    bytes.insert(bytes.end(), tail.begin(), tail.begin() + static_cast<std::ptrdiff_t>(c.extra));
    EXPECT_EQ(ParseRecords(bytes), (std::vector<CatalogRecord>{a, b})) << c.extra;
  }
  EXPECT_TRUE(ParseRecords(std::vector<std::uint8_t>(511, 5)).empty());
  EXPECT_TRUE(ParseRecords({}).empty());
}
