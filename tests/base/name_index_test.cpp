// Names looked up as they were added, through growth and collisions; case and
// prefixes tell names apart.

#include <gtest/gtest.h>

#include <string>

#include "base/name_index.h"

namespace tracker {
namespace {

TEST(NameIndex, FindsEveryNameAddedAndNoOther) {
  NameIndex index;
  EXPECT_EQ(index.find("APN"), NameIndex::npos);  // empty
  for (std::size_t i = 0; i < 3000; ++i) EXPECT_TRUE(index.add("Edit" + std::to_string(i), 2 * i));
  EXPECT_EQ(index.size(), 3000u);
  for (std::size_t i = 0; i < 3000; ++i) EXPECT_EQ(index.find("Edit" + std::to_string(i)), 2 * i);
  for (const char* absent : {"", "Edit", "edit1", "Edit3000", "Edit1 ", "Edit01"}) {
    EXPECT_FALSE(index.contains(absent)) << absent;
  }
}

TEST(NameIndex, ANameAddedAgainKeepsItsFirstPosition) {
  NameIndex index;
  EXPECT_TRUE(index.add("", 4));
  EXPECT_TRUE(index.add("APN", 7));
  EXPECT_FALSE(index.add("APN", 9));
  EXPECT_EQ(index.find("APN"), 7u);
  EXPECT_EQ(index.find(""), 4u);
  EXPECT_EQ(index.size(), 2u);
}

}  // namespace
}  // namespace tracker
