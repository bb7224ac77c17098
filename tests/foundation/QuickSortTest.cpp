#include "lib/foundation/containers/Growth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A three-way comparison as a host writes one: negative, 0 or positive.
using TCompare = std::function<int(int32_t a, int32_t b)>;

struct SSortRun {
  std::vector<int32_t> items;
  int64_t comparisons = 0;
};

// Sorts through td::QuickSort as the containers call it. Every index the sort
// hands over is checked before it is used, and a runaway sort is stopped by
// an exception once the comparisons pass any sensible bound.
SSortRun Sort(std::vector<int32_t> items, const TCompare& compare) {
  SSortRun run;
  run.items = std::move(items);
  const int32_t n = int32_t(run.items.size());
  const int64_t limit = 64 + 16 * int64_t(n) * n;
  auto at = [&](int32_t i) -> int32_t& {
    if (i < 0 || i >= n) throw std::out_of_range("index " + std::to_string(i));
    return run.items[size_t(i)];
  };
  auto counted = [&](int32_t i, int32_t pivot) {
    if (++run.comparisons > limit) throw std::runtime_error("the sort does not end");
    return compare(at(i), pivot);
  };
  if (n > 1)
    td::QuickSort(
        0, n - 1, [&](int32_t mid) { return at(mid); },
        [&](int32_t i, int32_t pivot) { return counted(i, pivot) < 0; },
        [&](int32_t i, int32_t pivot) { return counted(i, pivot) > 0; },
        [&](int32_t i, int32_t j) { std::swap(at(i), at(j)); });
  return run;
}

// Inputs of every size up to 70 and a few larger ones: few distinct values
// (many ties), all equal, ascending and descending.
std::vector<std::vector<int32_t>> Inputs() {
  std::mt19937 random(7);
  std::vector<std::vector<int32_t>> inputs;
  std::vector<int32_t> sizes;
  for (int32_t n = 0; n <= 70; ++n) sizes.push_back(n);
  for (int32_t n : {100, 257, 1000}) sizes.push_back(n);
  for (int32_t n : sizes) {
    const size_t size = size_t(n);
    std::vector<int32_t> few(size), equal(size, 5), up(size), down(size);
    for (int32_t i = 0; i < n; ++i) {
      few[size_t(i)] = int32_t(random() % 4);
      up[size_t(i)] = i;
      down[size_t(i)] = n - i;
    }
    inputs.insert(inputs.end(), {few, equal, up, down});
  }
  return inputs;
}

std::vector<int32_t> Sorted(std::vector<int32_t> items) {
  std::sort(items.begin(), items.end());
  return items;
}

TEST(QuickSort, InconsistentAnswersStayInsideEndAndKeepTheItems) {
  std::mt19937 random(11);
  const std::vector<std::pair<const char*, TCompare>> comparators = {
      // Equal items compare as "after": no scan finds an item equal to the pivot.
      {"never 0", [](int32_t a, int32_t b) { return a < b ? -1 : 1; }},
      {"never 0, ties before", [](int32_t a, int32_t b) { return a <= b ? -1 : 1; }},
      {"random", [&](int32_t, int32_t) { return int(random() % 3) - 1; }},
      {"always before", [](int32_t, int32_t) { return -1; }},
      {"always after", [](int32_t, int32_t) { return 1; }},
  };
  for (const auto& [name, compare] : comparators)
    for (const std::vector<int32_t>& input : Inputs()) {
      SSortRun run;
      ASSERT_NO_THROW(run = Sort(input, compare)) << name << ", size " << input.size();
      EXPECT_EQ(Sorted(run.items), Sorted(input)) << name << ", size " << input.size();
    }
}

TEST(QuickSort, AConsistentOrderSortsAsTheStandardSort) {
  const TCompare threeWay = [](int32_t a, int32_t b) { return a < b ? -1 : a > b ? 1 : 0; };
  for (const std::vector<int32_t>& input : Inputs())
    EXPECT_EQ(Sort(input, threeWay).items, Sorted(input)) << "size " << input.size();
}

}  // namespace
