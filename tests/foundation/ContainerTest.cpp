#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/Numeric.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/text/StrList.h"
#include "tests/ChangeWalk.h"

// The native build runs under AddressSanitizer, whose leak check a test can
// call.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define TD_LEAK_CHECK 1
#endif
#endif

namespace {

TEST(Array, GrowthSteps) {
  CArray<int32_t> a;
  std::vector<int32_t> capacities;
  for (int32_t i = 0; i < 118; ++i) {
    a.Add(i);
    if (capacities.empty() || capacities.back() != a.GetCapacity())
      capacities.push_back(a.GetCapacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  for (int32_t i = 0; i < 118; ++i) EXPECT_EQ(a[i], i);
}

TEST(Array, SetCountAllocatesExactlyAndZeroFills) {
  CArray<int64_t> a;
  a.SetCount(5);
  EXPECT_EQ(a.GetCapacity(), 5);
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(a[i], 0);
  a.SetCapacity(2);
  EXPECT_EQ(a.GetCount(), 2);
  CArray<int64_t> copy(a);
  EXPECT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.GetCapacity(), 2);
}

TEST(Array, SortAndIndexOf) {
  CArray<int64_t> a;
  for (int64_t v : {5LL, -3LL, 9LL, 0LL, -3LL, 1LL << 40}) a.Add(v);
  a.Sort(CompareInt64);
  std::vector<int64_t> sorted(a.ElementAt(0), a.ElementAt(0) + a.GetCount());
  EXPECT_EQ(sorted, (std::vector<int64_t>{-3, -3, 0, 5, 9, 1LL << 40}));
  EXPECT_EQ(a.IndexOf(9), 4);
  EXPECT_EQ(a.IndexOf(7), -1);
}

TEST(Array, SortIsShallowOnSortedAndEqualInput) {
  // A quicksort that recursed into its larger side would nest 200000 deep here.
  CArray<int64_t> a;
  for (int64_t i = 0; i < 200000; ++i) a.Add(i % 3 == 0 ? 7 : i);
  a.Sort(CompareInt64);
  for (int32_t i = 1; i < a.GetCount(); ++i) ASSERT_LE(a[i - 1], a[i]);
}

TEST(Block16Array, CountsBeyondTwoGigabytesAreRefusedBeforeAllocating) {
  // 0x10000001 x 16 wraps to 16 bytes in 32-bit arithmetic.
  EXPECT_THROW(CBlock16Array(0x10000001u), std::bad_alloc);
  EXPECT_THROW(CBlock16Array(0x08000000u), std::bad_alloc);
  CBlock16Array block(3);
  EXPECT_EQ(block.ElementAt(2) - block.ElementAt(0), 32);
}

int CompareInts(const int32_t* a, const int32_t* b) { return *a - *b; }

// The byte size of count items, as the containers size their blocks. The
// refused rows wrap to a small size in 32-bit arithmetic (the i686 size_t).
TEST(BlockBytes, ProductsAboveTwoGigabytesAreRefused) {
  struct Case {
    int64_t count;
    uint64_t itemSize;
    bool fits;
    size_t bytes;
  };
  const Case cases[] = {
      {0, 40, true, 0},
      {3, 40, true, 120},
      {5, 0, true, 0},
      {0x7FFFFFFF, 1, true, 0x7FFFFFFF},
      {0x07FFFFFF, 16, true, 0x7FFFFFF0},
      {0x80000000LL, 1, false, 0},
      {0x08000000, 16, false, 0},    // 2 GB exactly
      {107411865, 40, false, 0},     // 65,535 x 1,639 tiles: 1,507,304 bytes once wrapped
      {0x20000001, 8, false, 0},     // wraps to 8
      {0x40000001, 4, false, 0},     // wraps to 4
      {0x100000001LL, 1, false, 0},  // wraps to 1
      {-1, 1, false, 0},
      {INT64_MAX, 2, false, 0},
  };
  for (const Case& c : cases) {
    size_t bytes = 12345;
    EXPECT_EQ(td::CheckedBlockBytes(c.count, c.itemSize, bytes), c.fits)
        << c.count << " x " << c.itemSize;
    if (c.fits) {
      EXPECT_EQ(bytes, c.bytes);
      EXPECT_EQ(td::BlockBytes(c.count, c.itemSize), c.bytes);
    } else {
      EXPECT_EQ(bytes, 12345u);
      EXPECT_THROW(td::BlockBytes(c.count, c.itemSize), std::bad_alloc)
          << c.count << " x " << c.itemSize;
    }
  }
}

struct STileRecord {
  uint8_t bytes[40];
};

TEST(Array, CountsWhoseBytesDoNotFitAreRefusedAndLeaveTheArray) {
  CArray<STileRecord> tiles;
  tiles.SetCount(3);
  tiles[2].bytes[39] = 7;
  EXPECT_THROW(tiles.SetCount(107411865), std::bad_alloc);  // 65,535 x 1,639 tiles
  EXPECT_THROW(tiles.SetCapacity(107411865), std::bad_alloc);
  EXPECT_EQ(tiles.GetCount(), 3);
  EXPECT_EQ(tiles.GetCapacity(), 3);
  EXPECT_EQ(tiles[2].bytes[39], 7);
  CArray<int64_t> values;
  EXPECT_THROW(values.SetCapacity(0x20000001), std::bad_alloc);
  EXPECT_EQ(values.GetCapacity(), 0);
  EXPECT_EQ(values.ElementAt(0), nullptr);
}

TEST(SortedArray, DuplicateModes) {
  CSortedArray<int32_t> a(CompareInts);
  for (int32_t v : {5, 1, 3}) a.Add(v);
  EXPECT_EQ(a.Add(3), 1);  // mode 0: inserted beside its equal
  EXPECT_EQ(a.GetCount(), 4);
  a.SetDuplicates(kDupIgnore);
  EXPECT_EQ(a[a.Add(5)], 5);
  EXPECT_EQ(a.GetCount(), 4);
  a.SetDuplicates(kDupError);
  try {
    a.Add(1);
    FAIL();
  } catch (const CArrayError& e) {
    EXPECT_STREQ(e.what(), "CSortedArray.Add: Duplicate items are not allowed.");
  }
  EXPECT_EQ(a.GetCount(), 4);
  EXPECT_THROW(a.SetCount(5), CArrayError);
  a.SetDirection(-1);
  a.SetCount(0);
  for (int32_t v : {2, 8, 4}) a.Add(v);
  EXPECT_EQ(a[0], 8);
  EXPECT_EQ(a[2], 2);
}

struct Probe : CObject {
  TD_DELETE_THIS(Probe)
  Probe(int id, std::vector<int>* log) : id(id), log(log) {}
  ~Probe() { log->push_back(id); }
  int id;
  std::vector<int>* log;
};

// A subclass without its own slot 0 would be destroyed as a Probe: td::Create
// refuses to compile for it.
struct ForgetfulProbe : Probe {
  using Probe::Probe;
  std::vector<int> extra;
};
static_assert(td::FillsSlotZero<Probe>());
static_assert(!td::FillsSlotZero<ForgetfulProbe>());
static_assert(td::FillsSlotZero<CStr>());
static_assert(td::FillsSlotZero<int>());  // not an object hosts free

TEST(List, OwningListDestroysLastFirstThroughSlotZero) {
  std::vector<int> log;
  CList<Probe> list(true);
  for (int i = 0; i < 5; ++i) list.Add(new Probe(i, &log));
  list.SetCapacity(2);
  EXPECT_EQ(log, (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(list.GetCount(), 2);
  list.Delete(0);
  EXPECT_EQ(log.back(), 0);
  EXPECT_EQ(list.GetAt(0)->id, 1);
}

TEST(List, NonOwningListLeavesItems) {
  std::vector<int> log;
  Probe item(1, &log);
  {
    CList<Probe> list(false);
    list.Add(&item);
    list.Add(nullptr);
    EXPECT_EQ(list.Remove(&item), 0);
    EXPECT_EQ(list.Remove(&item), -1);
  }
  EXPECT_TRUE(log.empty());
}

TEST(List, CapacityWhoseBytesDoNotFitIsRefusedAndLeavesTheList) {
  std::vector<int> log;
  CList<Probe> list(true);
  for (int i = 0; i < 3; ++i) list.Add(new Probe(i, &log));
  EXPECT_THROW(list.SetCapacity(0x40000001), std::bad_alloc);  // 4 bytes once wrapped
  EXPECT_THROW(list.SetCount(0x7FFFFFFF), std::bad_alloc);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetCapacity(), 4);
  EXPECT_EQ(list.GetAt(2)->id, 2);
  EXPECT_TRUE(log.empty());
}

int CompareStr(const CStr* a, const CStr* b) { return a->Compare(*b); }

TEST(SortedList, InsertsInOrderAndRejectsDuplicates) {
  CSortedList<CStr> list(true, CompareStr);
  for (const char* s : {"m", "c", "x"}) list.Add(new CStr(s));
  EXPECT_EQ(list.Add(new CStr("a")), 0);  // every pointer moves up by one
  EXPECT_EQ(*list.GetAt(1), "c");
  EXPECT_EQ(*list.GetAt(3), "x");
  list.SetDuplicates(kDupIgnore);
  CStr* duplicate = new CStr("m");
  EXPECT_EQ(list.Add(duplicate), 2);
  EXPECT_EQ(list.GetCount(), 4);
  td::Free(duplicate);
  list.SetDuplicates(kDupError);
  CStr other("c");
  try {
    list.Add(&other);
    FAIL();
  } catch (const CListError& e) {
    EXPECT_STREQ(e.what(), "CSortedList.Add: Duplicate items are not allowed.");
  }
  try {
    list.SetCount(9);
    FAIL();
  } catch (const CListError& e) {
    EXPECT_STREQ(e.what(), "Cannot increase count of a sorted list without adding items.");
  }
  int32_t index;
  EXPECT_TRUE(list.Find(&other, &index));
  EXPECT_EQ(index, 1);
  CStr missing("d");
  EXPECT_FALSE(list.Find(&missing, &index));
  EXPECT_EQ(index, 2);
}

TEST(List, InsertExchangeAndOwnershipSwitch) {
  std::vector<int> log;
  CList<Probe> list(false);
  for (int id : {1, 3}) list.Add(new Probe(id, &log));
  list.Insert(1, new Probe(2, &log));
  list.Insert(0, new Probe(0, &log));
  list.Insert(4, new Probe(4, &log));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.GetAt(i)->id, i);
  list.Exchange(0, 4);
  list.Exchange(2, 2);
  EXPECT_EQ(list.GetAt(0)->id, 4);
  EXPECT_EQ(list.GetAt(2)->id, 2);
  EXPECT_EQ(list.GetAt(4)->id, 0);
  EXPECT_TRUE(log.empty());
  list.SetOwnsItems(true);
  EXPECT_TRUE(list.OwnsItems());
  list.Clear();
  EXPECT_EQ(log, (std::vector<int>{0, 3, 2, 1, 4}));
}

int CompareProbe(const Probe* a, const Probe* b) {
  return a->id < b->id ? -1 : (a->id > b->id ? 1 : 0);
}

TEST(List, SortOrdersLikeTheStandardSort) {
  std::vector<int> log;
  std::vector<int> ids;
  uint32_t seed = 12345;
  CList<Probe> list(true);
  for (int i = 0; i < 500; ++i) {
    seed = seed * 1103515245u + 12345u;
    ids.push_back(static_cast<int>(seed >> 16) % 97);
    list.Add(new Probe(ids.back(), &log));
  }
  list.Sort(CompareProbe);
  std::sort(ids.begin(), ids.end());
  for (int i = 0; i < 500; ++i) EXPECT_EQ(list.GetAt(i)->id, ids[static_cast<size_t>(i)]);
  CList<Probe> one(false);
  Probe lone(7, &log);
  one.Add(&lone);
  one.Sort(CompareProbe);
  EXPECT_EQ(one.GetAt(0), &lone);
}

TEST(Array, AddNewIsZeroAndRemoveAtMovesDown) {
  CArray<int64_t> array;
  for (int64_t v : {10, 20, 30}) array.Add(v);
  int64_t* fresh = array.AddNew();
  EXPECT_EQ(*fresh, 0);
  EXPECT_EQ(fresh, array.ElementAt(3));
  *fresh = 40;
  array.RemoveAt(1);
  EXPECT_EQ(array.GetCount(), 3);
  EXPECT_EQ(array[0], 10);
  EXPECT_EQ(array[1], 30);
  EXPECT_EQ(array[2], 40);
  array.RemoveAt(2);
  EXPECT_EQ(array.GetCount(), 2);
}

}  // namespace

TEST(List, MoveShiftsTheItemsBetween) {
  struct SCase {
    int32_t from, to;
    std::vector<int> ids;
  } cases[] = {
      {0, 4, {1, 2, 3, 4, 0}}, {4, 0, {4, 0, 1, 2, 3}}, {1, 3, {0, 2, 3, 1, 4}},
      {3, 1, {0, 3, 1, 2, 4}}, {2, 2, {0, 1, 2, 3, 4}},
  };
  for (const SCase& c : cases) {
    std::vector<int> log;
    CList<Probe> list(true);
    for (int id = 0; id < 5; ++id) list.Add(new Probe(id, &log));
    list.Move(c.from, c.to);
    std::vector<int> ids;
    for (int32_t i = 0; i < list.GetCount(); ++i) ids.push_back(list.GetAt(i)->id);
    EXPECT_EQ(ids, c.ids) << c.from << " to " << c.to;
    EXPECT_TRUE(log.empty());
  }
}

namespace {

// What a walk compares: the contents of an object as text.
std::string Picture(const CStr& s) {
  // The memory size tells whether the wide copy is there.
  return std::string(s.c_str(), static_cast<size_t>(s.GetLength())) + "/" +
         std::to_string(s.GetMemSize(false));
}

std::string Picture(const CStrList& list) {
  std::string picture;
  for (int32_t i = 0; i < list.GetCount(); ++i) picture += Picture(list.GetString(i)) + ";";
  return picture;
}

std::string Picture(const CArray<int64_t>& array) {
  std::string picture;
  for (int32_t i = 0; i < array.GetCount(); ++i) picture += std::to_string(array[i]) + ";";
  return picture;
}

std::string Picture(const CList<CStr>& list) {
  std::string picture;
  for (int32_t i = 0; i < list.GetCount(); ++i)
    picture += list[i] ? Picture(*list[i]) + ";" : "null;";
  return picture;
}

std::string Picture(CMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()),
                     static_cast<size_t>(stream.GetSize())) +
         "@" + std::to_string(stream.GetPosition());
}

// A row that makes its object, then changes it with allocation n refused; a
// change answers whether it succeeded, and an exception is a failure.
template <class Object, class Make>
std::function<td::test::SChangeRun(int32_t)> Change(Make make,
                                                    std::function<bool(Object&)> change) {
  return [make, change](int32_t n) {
    return td::test::RunChange(n, make, change, [](auto& object) { return Picture(object); });
  };
}

std::unique_ptr<CStr> Text() {
  auto text = std::make_unique<CStr>("a text");
  text->GetWide();
  return text;
}

std::unique_ptr<CStrList> FourStrings() {
  auto list = std::make_unique<CStrList>();
  for (const char* s : {"d", "b", "c", "a"}) list->Add(s);
  return list;
}

template <class Array, class... Order>
std::unique_ptr<Array> FourNumbers(Order... order) {
  auto array = std::make_unique<Array>(order...);
  for (int64_t v : {4, 2, 3, 1}) array->Add(v);
  return array;
}

std::unique_ptr<CArray<int64_t>> FourPlainNumbers() { return FourNumbers<CArray<int64_t>>(); }

std::unique_ptr<CSortedArray<int64_t>> FourSortedNumbers() {
  return FourNumbers<CSortedArray<int64_t>>(CompareInt64);
}

int CompareTexts(const CStr* a, const CStr* b) { return a->Compare(*b); }

// Owned strings, four of them: the capacity is full.
template <class List, class... Order>
std::unique_ptr<List> FourOwned(Order... order) {
  auto list = std::make_unique<List>(true, order...);
  for (const char* s : {"d", "b", "c", "a"}) list->Add(new CStr(s));
  return list;
}

std::unique_ptr<CList<CStr>> FourOwnedStrings() { return FourOwned<CList<CStr>>(); }

std::unique_ptr<CSortedList<CStr>> FourSortedStrings() {
  return FourOwned<CSortedList<CStr>>(CompareTexts);
}

td::TObjectPtr<CMemoryStream> TenBytes() {
  td::TObjectPtr<CMemoryStream> stream(new CMemoryStream());
  stream->Write("0123456789", 10);
  stream->Seek(4, kSeekBegin);
  return stream;
}

// Adds an owned string: the list takes it only when the add succeeds.
bool AddOwned(CList<CStr>& list, const char* text, int32_t index = -1) {
  std::unique_ptr<CStr> item(new CStr(text));
  if (index < 0)
    list.Add(item.get());
  else
    list.Insert(index, item.get());
  item.release();
  return true;
}

// Runs a change that answers nothing: success unless it throws.
template <class Object, class Body>
std::function<bool(Object&)> Do(Body body) {
  return [body](Object& object) {
    body(object);
    return true;
  };
}

std::vector<td::test::SChangeRow> ChangeRows() {
  using TNumbers = CArray<int64_t>;
  using TOwned = CList<CStr>;
  return {
      {"text: assign", true, Change<CStr>(Text, Do<CStr>([](CStr& s) { s = "other"; }))},
      {"text: append", false, Change<CStr>(Text, Do<CStr>([](CStr& s) { s += "more"; }))},
      {"text: delete", false, Change<CStr>(Text, Do<CStr>([](CStr& s) { s.Delete(1, 2); }))},
      {"text: set length", false,
       Change<CStr>(Text, Do<CStr>([](CStr& s) { s.SetLength(3, true); }))},
      {"text: wide copy made again", true,
       Change<CStr>(Text, Do<CStr>([](CStr& s) { s.GetWide(); }))},
      {"strings: add", false,
       Change<CStrList>(FourStrings, Do<CStrList>([](CStrList& l) { l.Add("e"); }))},
      {"strings: count raised", true,
       Change<CStrList>(FourStrings, Do<CStrList>([](CStrList& l) { l.SetCount(7); }))},
      {"strings: capacity below the count", true,
       Change<CStrList>(FourStrings, Do<CStrList>([](CStrList& l) { l.SetCapacity(2); }))},
      {"numbers: add", false,
       Change<TNumbers>(FourPlainNumbers, Do<TNumbers>([](TNumbers& a) { a.Add(5); }))},
      {"numbers: count raised", false,
       Change<TNumbers>(FourPlainNumbers, Do<TNumbers>([](TNumbers& a) { a.SetCount(9); }))},
      {"numbers: capacity below the count", true,
       Change<TNumbers>(FourPlainNumbers, Do<TNumbers>([](TNumbers& a) { a.SetCapacity(2); }))},
      {"sorted numbers: add an equal one", false,
       Change<TNumbers>(FourSortedNumbers, Do<TNumbers>([](TNumbers& a) { a.Add(3); }))},
      {"owned strings: insert", false,
       Change<TOwned>(FourOwnedStrings, Do<TOwned>([](TOwned& l) { AddOwned(l, "e", 1); }))},
      {"owned strings: count raised", false,
       Change<TOwned>(FourOwnedStrings, Do<TOwned>([](TOwned& l) { l.SetCount(6); }))},
      {"owned strings: capacity below the count", true,
       Change<TOwned>(FourOwnedStrings, Do<TOwned>([](TOwned& l) { l.SetCapacity(2); }))},
      {"sorted strings: add an equal one", false,
       Change<TOwned>(FourSortedStrings, Do<TOwned>([](TOwned& l) { AddOwned(l, "b"); }))},
      {"memory stream: write beyond the end", false,
       Change<CMemoryStream>(TenBytes, std::function<bool(CMemoryStream&)>([](CMemoryStream& m) {
                               const std::string bytes(2000, 'x');  // beyond the first block
                               return m.Write(bytes.data(), 2000) == 2000;
                             }))},
      {"memory stream: size raised", false,
       Change<CMemoryStream>(TenBytes, std::function<bool(CMemoryStream&)>(
                                           [](CMemoryStream& m) { return m.SetSize(5000); }))},
      {"memory stream: size lowered", false,
       Change<CMemoryStream>(TenBytes, std::function<bool(CMemoryStream&)>(
                                           [](CMemoryStream& m) { return m.SetSize(2); }))},
  };
}

// Each change, with each of its allocations refused in turn, either reports
// a failure and leaves its object as it was or completes; it keeps nothing
// it made (the native build's leak check sees every block).
TEST(Containers, EachChangeOutOfMemoryIsWholeOrNothing) {
  td::test::WalkChanges(ChangeRows());
#if TD_LEAK_CHECK
  EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#endif
}

}  // namespace
