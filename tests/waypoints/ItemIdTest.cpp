#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "lib/waypoints/ItemId.h"
#include "lib/waypoints/ItemList.h"
#include "lib/waypoints/NameNumbers.h"

namespace {

SItemId IdWith(std::initializer_list<std::pair<int, uint8_t>> bytes) {
  SItemId id{};
  for (auto [at, value] : bytes) id.bytes[at] = value;
  return id;
}

TEST(ItemId, WordThreeIsTheMostSignificant) {
  EXPECT_EQ(CompareItemId(IdWith({{15, 1}}), IdWith({{15, 2}})), -1);
  EXPECT_EQ(CompareItemId(IdWith({{0, 9}, {15, 1}}), IdWith({{0, 1}, {15, 2}})), -1);
  EXPECT_EQ(CompareItemId(IdWith({{12, 1}}), IdWith({{11, 0xFF}, {3, 0xFF}})), 1);
  // Within a word the bytes are little-endian: byte 3 outweighs byte 0.
  EXPECT_EQ(CompareItemId(IdWith({{3, 1}}), IdWith({{0, 0xFF}})), 1);
  EXPECT_EQ(CompareItemId(IdWith({{5, 4}}), IdWith({{5, 4}})), 0);
}

TEST(ItemId, DayNumbersOfSeconds) {
  EXPECT_EQ(SecondsSince2000ToDate(0), 36526.0);
  EXPECT_EQ(SecondsSince2000ToDate(43200), 36526.5);
  EXPECT_EQ(DateToSecondsSince2000(36527.25), 86400u + 21600u);
  EXPECT_EQ(DateToSecondsSince2000(30000.0), 0u);
  EXPECT_EQ(DateToSecondsSince2000(86236.26961805555), 4294967295u);
  EXPECT_EQ(DateToSecondsSince2000(90000.0), 4294967295u);
  EXPECT_EQ(DateToSecondsSince2000(std::nan("")), 0u);
  // Rounded to the nearest second.
  EXPECT_EQ(DateToSecondsSince2000(36526.0 + 0.6 / 86400.0), 1u);
}

struct Named {
  CStr name;
  CStr* GetName() { return &name; }
  SItemId id;
  SItemId* GetId() { return &id; }
};

struct NamedList {
  std::vector<Named> items;
  int32_t GetCount() const { return static_cast<int32_t>(items.size()); }
  Named* GetAt(int32_t i) { return &items[static_cast<size_t>(i)]; }
};

TEST(ItemNames, FirstFreeNumber) {
  struct Case {
    std::vector<const char*> names;
    const char* expected;
  } cases[] = {
      {{"B1", "B01", "B2", "Bx"}, "B3"},
      {{"B0"}, "B1"},
      {{"B2"}, "B1"},
      {{"B"}, "B1"},
      {{"B1", "B2", "B4"}, "B3"},
      {{}, "B1"},
      {{"B1", "B1", "B2"}, "B3"},
      {{"B1", "B99999999999", "B-2", "B+2", "B 2", "b2"}, "B2"},
      {{"B3", "B2", "B1"}, "B4"},
      {{"B2147483647"}, "B1"},
      {{"B1", "B2147483647", "B2147483646", "B2147483648"}, "B2"},
  };
  for (const Case& c : cases) {
    NamedList list;
    for (const char* n : c.names) list.items.push_back(Named{CStr(n), {}});
    EXPECT_STREQ(MakeUniqueName(list, CStr("B")).c_str(), c.expected);
  }
}

TEST(ItemNames, NumbersFollowAddsRemovalsAndRenames) {
  CNameNumbers numbers;
  numbers.Reset(CStr("Group "));
  for (const char* n : {"Group 1", "Group 2", "Group 3", "Group 5", "Other 4"})
    numbers.AddName(CStr(n));
  EXPECT_EQ(numbers.LowestFree(), 4);
  numbers.RemoveName(CStr("Group 2"));
  EXPECT_EQ(numbers.LowestFree(), 2);
  numbers.Rename(CStr("Group 1"), CStr("Group 2"));
  EXPECT_EQ(numbers.LowestFree(), 1);
  numbers.AddName(CStr("Group 1"));
  numbers.AddName(CStr("Group 4"));
  EXPECT_EQ(numbers.LowestFree(), 6);
  numbers.AddName(CStr("Group 4"));
  numbers.RemoveName(CStr("Group 4"));
  EXPECT_EQ(numbers.LowestFree(), 6);
  numbers.RemoveName(CStr("Group 4"));
  EXPECT_STREQ(numbers.MakeName().c_str(), "Group 4");
}

TEST(ItemLists, SearchSortInsertAndRemoveByIdentity) {
  NamedList ids;
  CList<Named> list(false);
  int32_t index = 5;
  EXPECT_FALSE(FindItemById(list, SItemId{}, &index));
  EXPECT_EQ(index, 0);
  Named a{CStr("a"), IdWith({{15, 3}})}, b{CStr("b"), IdWith({{15, 1}})},
      c{CStr("c"), IdWith({{15, 2}})};
  Named twin{CStr("twin"), IdWith({{15, 2}})};
  for (Named* n : {&a, &b, &c}) list.Add(n);
  SortItemsById(list);
  EXPECT_EQ(list.GetAt(0), &b);
  EXPECT_EQ(list.GetAt(2), &a);
  EXPECT_EQ(InsertItemSorted(list, &twin), 1);
  EXPECT_TRUE(FindItemById(list, c.id, &index));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(RemoveItemById(list, &c), 2);
  EXPECT_EQ(list.GetAt(1), &twin);
  EXPECT_EQ(RemoveItemById(list, &c), -1);
  EXPECT_EQ(list.GetCount(), 3);
}

}  // namespace
