// Walking the allocations of changes to objects in memory: each change, with
// each of its allocations refused in turn, either reports a failure (answers
// false or throws) and leaves its object as it was, or completes. A test
// file pictures its objects as text and lists its changes as rows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/AllocationSeam.h"

namespace td::test {

// One run of a change: the object's picture before and after, whether the
// change reported success and whether the refused allocation was reached.
struct SChangeRun {
  std::string before, after;
  bool ok, refused;
};

struct SChangeRow {
  const char* name;
  bool everyBuild;                           // walked by the Windows build too
  std::function<SChangeRun(int32_t n)> run;  // n < 0: nothing refused
};

// Makes the object, then runs the change on it with allocation n refused.
template <class Make, class Changer, class Pictured>
SChangeRun RunChange(int32_t n, Make make, Changer change, Pictured picture) {
  const auto object = make();
  SChangeRun run{picture(*object), "", false, false};
  run.refused = RunRefusingAllocation(n, [&] { run.ok = change(*object); }).Refused;
  run.after = picture(*object);
  return run;
}

inline void WalkChanges(const std::vector<SChangeRow>& rows) {
  for (const SChangeRow& row : rows) {
    if (!WalkedHere(row.everyBuild)) continue;
    SCOPED_TRACE(row.name);
    const SChangeRun done = row.run(-1);
    ASSERT_TRUE(done.ok);
    const int32_t allocations = WalkAllocations([&](int32_t n) {
      const SChangeRun run = row.run(n);
      if (!run.refused)
        EXPECT_EQ(run.after, done.after) << "without a failure";
      else
        EXPECT_EQ(run.after, run.ok ? done.after : run.before) << "allocation " << n;
    });
    EXPECT_GT(allocations, 0);
  }
}

}  // namespace td::test
