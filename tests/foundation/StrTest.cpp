#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/text/StrList.h"
#include "tests/AllocationSeam.h"

namespace {

TEST(Str, EmptyHasTerminatedBuffer) {
  CStr s;
  ASSERT_NE(s.c_str(), nullptr);
  EXPECT_EQ(s.c_str()[0], '\0');
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(Str, CountedBufferKeepsEmbeddedZeros) {
  const char bytes[] = {'a', '\0', 'b', '\xEB'};
  CStr s(4, bytes);
  EXPECT_EQ(s.GetLength(), 4);
  EXPECT_EQ(std::memcmp(s.c_str(), bytes, 4), 0);
  EXPECT_EQ(s.c_str()[4], '\0');
  EXPECT_EQ(s.Find(CStr(2, "\0b")), 1);
  EXPECT_EQ(s.Find('\xEB'), 3);
  CStr t = s + s;
  EXPECT_EQ(t.GetLength(), 8);
  EXPECT_EQ(t.Find(CStr(2,
                        "\xEB"
                        "a")),
            3);
}

TEST(Str, LeftRightMidClamp) {
  CStr s("abcde");
  EXPECT_EQ(s.Left(-3), "");
  EXPECT_EQ(s.Left(2), "ab");
  EXPECT_EQ(s.Right(100), "abcde");
  EXPECT_EQ(s.Right(2), "de");
  EXPECT_EQ(s.Mid(7, 2), "");
  EXPECT_EQ(s.Mid(3, 10), "de");
  EXPECT_EQ(s.Mid(-1, 2), "ab");
}

TEST(Str, TrimRemovesBlanksOnly) {
  CStr blanks("    ");
  EXPECT_EQ(blanks.Trim(), "");
  CStr tabs(" \ta\t ");
  EXPECT_EQ(tabs.Trim(), "\ta\t");
}

TEST(Str, CompareWithCharacterIsOneCharacterText) {
  EXPECT_TRUE(CStr("a") == 'a');
  EXPECT_FALSE(CStr("ab") == 'a');
  EXPECT_LT(CStr("a").Compare('b'), 0);
  EXPECT_EQ(CStr("HeLLo").CompareNoCase("hello"), 0);
  EXPECT_EQ(CStr("abc").Compare(u"abc"), 0);
}

TEST(Str, CaseConversionLeavesSourceAlone) {
  CStr s("MiXeD 1");
  EXPECT_EQ(s.Upper(), "MIXED 1");
  EXPECT_EQ(s.Lower(), "mixed 1");
  EXPECT_EQ(s, "MiXeD 1");
}

TEST(Str, MemSize) {
  CStr s("abc");
  EXPECT_EQ(s.GetMemSize(true), 20);
  s.GetWide();
  EXPECT_EQ(s.GetMemSize(true), 28);
  EXPECT_EQ(s.GetMemSize(false), 12);
}

TEST(Str, WideCopyUsesWindows1252) {
  CStr s("Zee\xEBn \x80");
  const char16_t* w = s.GetWide();
  EXPECT_EQ(w[3], u'\u00EB');
  EXPECT_EQ(w[6], u'\u20AC');
  EXPECT_EQ(w[7], 0);
  CStr back(w);
  EXPECT_EQ(back, s);
  EXPECT_EQ(CStr(2, w).GetLength(), 2);
}

TEST(Str, DeleteSetLengthAndAssignment) {
  CStr s("abcdef");
  s.Delete(1, 2);
  EXPECT_EQ(s, "adef");
  s.SetLength(2, true);
  EXPECT_EQ(s, "ad");
  EXPECT_EQ(s.GetLength(), 2);
  s = s.c_str();  // its own buffer: nothing changes
  EXPECT_EQ(s, "ad");
  s += 'x';
  s += "yz";
  EXPECT_EQ('<' + s + '>', "<adxyz>");
}

TEST(StrList, GrowthSortAndOwnership) {
  CStrList list;
  const char* words[] = {"pear", "apple", "fig", "kiwi", "date",
                         "lime", "plum",  "nut", "yam",  "oat"};
  for (const char* w : words) list.Add(w);
  EXPECT_EQ(list.GetCapacity(), 12);
  list.Sort();
  for (int i = 1; i < list.GetCount(); ++i)
    EXPECT_LT(list.GetString(i - 1).Compare(list.GetString(i)), 0);
  EXPECT_EQ(list.IndexOf("fig"), 2);
  int32_t index;
  EXPECT_FALSE(list.Find("grape", &index));
  EXPECT_EQ(index, -1);
  list.Delete(0);
  EXPECT_EQ(list.GetString(0), "date");
  list.SetCount(12);
  EXPECT_EQ(list.GetString(11), "");
}

TEST(StrList, CapacityBelowTheCountDropsTheLastStrings) {
  // AddressSanitizer in the native build sees any string left beyond the capacity.
  CStrList list;
  for (const char* w : {"one", "two", "three", "four", "five"}) list.Add(w);
  list.SetCapacity(2);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetCapacity(), 2);
  EXPECT_EQ(list.GetString(1), "two");
  list.Add("six");
  EXPECT_EQ(list.GetString(2), "six");
}

// A capacity below the count and a count above the capacity, with each
// allocation refused in turn: the list is resized whole or stays as it was
// (the native build's leak check sees a string made and lost).
TEST(StrList, ResizingIsWholeOrLeavesTheListAsItWas) {
  const struct {
    const char* what;
    void (*resize)(CStrList&);
  } rows[] = {
      {"a capacity below the count", [](CStrList& list) { list.SetCapacity(1); }},
      {"a count above the capacity", [](CStrList& list) { list.SetCount(9); }},
  };
  auto make = [](CStrList& list) {
    for (const char* w : {"one", "two", "three"}) list.Add(w);
  };
  // The room a failed resize made may stay.
  auto strings = [](const CStrList& list, bool withCapacity) {
    std::string all = withCapacity ? std::to_string(list.GetCapacity()) + ':' : "";
    for (int32_t i = 0; i < list.GetCount(); ++i)
      all += list.GetString(i).c_str() + std::string(",");
    return all;
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CStrList resized;
    make(resized);
    row.resize(resized);
    const std::string expected = strings(resized, true);
    td::test::WalkAllocations([&](int32_t n) {
      CStrList list;
      make(list);
      const std::string before = strings(list, false);
      const td::test::SRefusedRun run =
          td::test::RunRefusingAllocation(n, [&] { row.resize(list); });
      SCOPED_TRACE(n);
      EXPECT_EQ(strings(list, !run.Threw), run.Threw ? before : expected);
    });
  }
}

TEST(StrList, OwningListFreesObjects) {
  // LeakSanitizer in the native build tells whether the object was freed.
  CStrList owning(true);
  owning.AddObject("a", ::operator new(16));
  owning.Delete(0);
  int local = 0;
  CStrList plain(false);
  plain.AddObject("b", &local);
  plain.Delete(0);
  EXPECT_EQ(local, 0);
}

TEST(Exception, FamilyCarriesMessage) {
  try {
    throw CStreamError(CStr("CFileStream::Open: Cannot open file ") + "x.tcf");
  } catch (const CException& e) {
    EXPECT_STREQ(e.what(), "CFileStream::Open: Cannot open file x.tcf");
  }
  try {
    throw CGeodeticsError(0x70032, "GeodeticDatumCreateByCode: Datum is unknown.");
  } catch (const CGeodeticsError& e) {
    EXPECT_EQ(e.GetNumber(), 0x70032u);
  }
}

}  // namespace
