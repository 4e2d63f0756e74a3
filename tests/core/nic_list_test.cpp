#include "library/card_list.h"

#include <gtest/gtest.h>

namespace {

CardList ThreeCards() {
  CardList list;
  for (int i = 0; i < 3; ++i) {
    list.Append({i, "card" + std::to_string(i), "C:\\T\\driver\\card" + std::to_string(i) + "\\D.DOS"});
  }
  return list;
}

void ExpectRowsNumberedInOrder(const CardList& list) {
  int expected = 0;
  for (const CardEntry& entry : list) EXPECT_EQ(entry.rowIndex, expected++);
  EXPECT_EQ(expected, list.Count());
}

TEST(CardList, FindByRowReturnsTheFirstMatchFromTheFront) {
  CardList list = ThreeCards();
  list.Append({1, "duplicate", "x"});
  ASSERT_NE(list.FindByRow(1), nullptr);
  EXPECT_EQ(list.FindByRow(1)->cardName, "card1");
  EXPECT_EQ(list.FindByRow(7), nullptr);
  EXPECT_EQ(list.FindByRow(-1), nullptr);
}

TEST(CardList, RemovingOneRenumbersTheEntriesBehindIt) {
  CardList list = ThreeCards();
  list.RemoveOne(list.FindByRow(0));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.FindByRow(0)->cardName, "card1");
  EXPECT_EQ(list.FindByRow(1)->cardName, "card2");
  ExpectRowsNumberedInOrder(list);

  list.RemoveOne(list.FindByRow(1));  // the last one: the others keep their numbers
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.FindByRow(0)->cardName, "card1");

  list.RemoveOne(nullptr);  // not in the list: nothing happens
  EXPECT_EQ(list.Count(), 1);
  list.RemoveOne(list.FindByRow(0));
  EXPECT_TRUE(list.IsEmpty());
}

TEST(CardList, ClearFreesEveryEntry) {
  CardList list = ThreeCards();
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.begin(), list.end());
}

}  // namespace
