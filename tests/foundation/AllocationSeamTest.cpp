// The allocation seam reaches every kind of allocation the library makes:
// each row makes exactly one allocation of its kind, which the armed seam
// refuses, and the refusal reaches the caller the way that kind reports it.
#include "tests/AllocationSeam.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <thread>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/text/Str.h"

namespace {

// Where a block goes, so that the compiler cannot leave its allocation out.
void* volatile g_Sink = nullptr;

// Runs one allocation with the seam armed to refuse it: true when the seam
// refused it and the caller saw std::bad_alloc.
bool Refused(const std::function<void()>& allocate) {
  td::test::ArmAllocationFailure(0);
  bool threw = false;
  try {
    allocate();
  } catch (const std::bad_alloc&) {
    threw = true;
  }
  return td::test::DisarmAllocationFailure() && threw;
}

struct SAllocationKind {
  const char* Name;
  // Sets up, then makes one allocation of the kind through Refused.
  std::function<bool()> RefusedOnce;
};

// A CStr of a given length makes one buffer; each container row grows an
// empty container once.
const SAllocationKind kKinds[] = {
    {"new",
     [] {
       return Refused([] {
         std::unique_ptr<std::string> s(new std::string());
         g_Sink = s.get();
       });
     }},
    {"new[]",
     [] {
       return Refused([] {
         std::unique_ptr<char[]> b(new char[4096]);
         g_Sink = b.get();
       });
     }},
    {"new[] nothrow",
     [] {
       return Refused([] {
         std::unique_ptr<char[]> b(new (std::nothrow) char[4096]);
         g_Sink = b.get();
         if (!b) throw std::bad_alloc();
       });
     }},
    {"aligned new",
     [] {
       struct alignas(64) SLine {
         char Bytes[64];
       };
       return Refused([] {
         std::unique_ptr<SLine> line(new SLine());
         g_Sink = line.get();
       });
     }},
    {"text buffer", [] { return Refused([] { CStr text(5); }); }},
    {"array block",
     [] {
       CArray<int32_t> array;
       return Refused([&] { array.Add(1); });
     }},
    {"list block",
     [] {
       CList<CStr> list(false);
       CStr item;
       return Refused([&] { list.Add(&item); });
     }},
    {"memory stream buffer",
     [] {
       CMemoryStream stream;
       return Refused([&] {
         if (!stream.SetSize(4096)) throw std::bad_alloc();
       });
     }},
};

TEST(AllocationSeam, RefusesTheArmedAllocationOfEveryKind) {
  for (const SAllocationKind& kind : kKinds) EXPECT_TRUE(kind.RefusedOnce()) << kind.Name;
}

// One countdown serves all kinds: a text buffer counts before an array block.
TEST(AllocationSeam, CountsEveryKindDownTogether) {
  CArray<int32_t> array;
  td::test::ArmAllocationFailure(1);
  CStr text(5);
  EXPECT_THROW(array.Add(1), std::bad_alloc);
  EXPECT_TRUE(td::test::DisarmAllocationFailure());
  EXPECT_EQ(array.GetCount(), 0);
}

// Whether making a text of five characters was refused.
bool TextRefused() {
  try {
    CStr text(5);
    return false;
  } catch (const std::bad_alloc&) {
    return true;
  }
}

// Two threads armed at once each count their own allocations: the other's,
// made meanwhile, never count.
TEST(AllocationSeam, EachArmedThreadCountsOnlyItsOwnAllocations) {
  std::atomic<int> step{0};
  int refusedUnarmed = 0;
  bool refusedFirst = true, refusedSecond = false, answer = false;
  std::thread other([&] {
    while (step.load() != 1) std::this_thread::yield();
    for (int i = 0; i < 10; ++i) refusedUnarmed += TextRefused();  // this thread is not armed
    td::test::ArmAllocationFailure(1);
    step = 2;
    while (step.load() != 3) std::this_thread::yield();
    refusedFirst = TextRefused();
    refusedSecond = TextRefused();
    answer = td::test::DisarmAllocationFailure();
  });
  td::test::ArmAllocationFailure(1);
  step = 1;
  while (step.load() != 2) std::this_thread::yield();
  EXPECT_FALSE(TextRefused());
  step = 3;  // the other thread counts while this one has one allocation left
  EXPECT_TRUE(TextRefused());
  EXPECT_TRUE(td::test::DisarmAllocationFailure());
  other.join();
  EXPECT_EQ(refusedUnarmed, 0);
  EXPECT_FALSE(refusedFirst);
  EXPECT_TRUE(refusedSecond);
  EXPECT_TRUE(answer);
}

// The walk ends at the first run that no refusal reached.
TEST(AllocationSeam, AWalkCountsTheAllocationsOfAnOperation) {
  int32_t runs = 0;
  const int32_t allocations = td::test::WalkAllocations([&](int32_t n) {
    ++runs;
    CArray<int32_t> array;
    td::test::ArmAllocationFailure(n);
    bool refused = false;
    try {
      CStr text(5);
      for (int32_t i = 0; i < 5; ++i) array.Add(i);  // grows to 4, then to 8
    } catch (const std::bad_alloc&) {
      refused = true;
    }
    EXPECT_EQ(refused, td::test::DisarmAllocationFailure()) << n;
  });
  EXPECT_EQ(allocations, 3);
  EXPECT_EQ(runs, 4);
}

}  // namespace
