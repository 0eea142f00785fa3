// A data server's product list: reading PRODUCTS.TXT, which list the store
// keeps when another comes, and when a cell is behind its record.
#include <gtest/gtest.h>

#include "ProductList.h"

namespace {

const char* const kList =
    ":DATE 20141007 13:34\r\n"
    ":VERSION 1\r\n"
    ":CONTENT FULL\r\n"
    ":ENC\r\n"
    "FR5TEST2.000,20130530,1,20130531,1,2,43.7,69.1,43.8,69.2,,,,,,,,,,,,,,,,,,,,,1,1,0,,,\r\n"
    "GB100001.000,20061025,3,,,725,49.0,-3.0,50.0,-2.0,,,,,,,,,,,,,,,,,,,,,1,1,0,2,B4,\r\n"
    "GB100002.000,20061025,0,20070101,4,1,49.0,-3.0,50.0,-2.0,,,,,,,,,,,,,,,,,,,,,1,1,0,,B4,GB100003\r\n"
    "bad record\r\n"
    "GB10000X.000,20061025,two,,,1\r\n"
    ":ECS\r\n"
    "GB1ECS01.000,20061025,1,,,1\r\n";

ProductList parsed(const std::string& bytes) {
  std::string error;
  const std::optional<ProductList> list = parseProductList(bytes, error);
  EXPECT_TRUE(list.has_value()) << error;
  return list.value_or(ProductList());
}

TEST(ProductList, ReadsTheEncSectionAndLeavesOutWhatDoesNotRead) {
  std::string error;
  int skipped = 0;
  const std::optional<ProductList> list = parseProductList(kList, error, &skipped);
  ASSERT_TRUE(list) << error;
  EXPECT_EQ(list->date, "20141007133400");
  EXPECT_TRUE(list->full);
  ASSERT_EQ(list->cells.size(), 3u);  // the :ECS section is no ENC
  EXPECT_EQ(skipped, 2);
  const ProductRecord* fr = list->find("FR5TEST2");
  ASSERT_NE(fr, nullptr);
  EXPECT_EQ(fr->edition, 1);
  EXPECT_EQ(fr->update, 1);
  EXPECT_EQ(list->find("GB100001")->update, 0);  // blank: no update yet
  EXPECT_EQ(list->find("GB100002")->edition, 0);  // cancelled
  EXPECT_EQ(list->find("GB1ECS01"), nullptr);

  // What the store writes reads back the same.
  const ProductList again = parsed(productListBytes(*list));
  EXPECT_EQ(again.date, list->date);
  ASSERT_EQ(again.cells.size(), 3u);
  EXPECT_EQ(again.cells[2].line, list->cells[2].line);

  for (const char* bad : {"", ":VERSION 1\n:ENC\nFR5TEST2.000,20130530,1,,,1\n", ":DATE 2014-10-07\n:ENC\n",
                          ":DATE 20141007 1x:34\n"}) {
    EXPECT_FALSE(parseProductList(bad, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

TEST(ProductList, TheNewestListIsKeptAndAPartialOneMergedIntoIt) {
  const ProductList held = parsed(kList);
  const ProductList older = parsed(":DATE 20140101 00:00\n:CONTENT FULL\n:ENC\nFR5TEST2.000,20130530,1,,,2\n");
  const ProductList partial = parsed(":DATE 20141101 08:00:30\n:CONTENT PARTIAL\n:ENC\nFR5TEST2.000,20130530,1,20141101,3,2\n");
  const ProductList full = parsed(":DATE 20141101 08:00\n:CONTENT FULL\n:ENC\nFR5TEST2.000,20130530,2,,,2\n");

  // An older list changes nothing, whatever it holds.
  EXPECT_EQ(mergeProductList(held, older).date, held.date);
  EXPECT_EQ(mergeProductList(held, older).find("FR5TEST2")->update, 1);
  // A newer partial list: its cells' records, the others kept.
  const ProductList merged = mergeProductList(held, partial);
  EXPECT_EQ(merged.date, "20141101080030");
  EXPECT_EQ(merged.cells.size(), 3u);
  EXPECT_EQ(merged.find("FR5TEST2")->update, 3);
  EXPECT_NE(merged.find("GB100001"), nullptr);
  // A newer full list stands for the whole service.
  const ProductList replaced = mergeProductList(held, full);
  EXPECT_EQ(replaced.cells.size(), 1u);
  EXPECT_EQ(replaced.find("FR5TEST2")->edition, 2);
  // The first list a data server sends is kept as it is.
  EXPECT_EQ(mergeProductList(std::nullopt, partial).cells.size(), 1u);
}

TEST(ProductList, ACellIsBehindWhatItsRecordAnnouncesOnly) {
  struct Case {
    int edition, update;  // the cell's
    int listedEdition, listedUpdate;
    bool behind;
  };
  const Case cases[] = {
      {1, 0, 1, 1, true},    // an update announced, not applied
      {1, 1, 1, 1, false},   // up to date
      {1, 2, 1, 1, false},   // the store is ahead of an older list
      {1, 5, 2, 0, true},    // a new edition
      {2, 0, 1, 9, false},   // a newer edition than the list knows
      {3, 4, 0, 0, true},    // cancelled since
  };
  for (const Case& c : cases) {
    ProductRecord record;
    record.edition = c.listedEdition;
    record.update = c.listedUpdate;
    EXPECT_EQ(behindProductRecord(c.edition, c.update, record), c.behind)
        << c.edition << "/" << c.update << " against " << c.listedEdition << "/" << c.listedUpdate;
  }
  EXPECT_EQ(productListPath("PM"), "products/PM");
  for (const char* bad : {"", "P", "PMX", "../", "P/"}) EXPECT_EQ(productListPath(bad), "") << bad;
}

}  // namespace
