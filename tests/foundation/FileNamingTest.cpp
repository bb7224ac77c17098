#include "lib/foundation/files/FileNaming.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> g_taken;

bool Taken(const char* name) { return g_taken.count(name) != 0; }

// The extension is the last part's: a dot in a folder name is not one, with
// any of the three delimiters.
TEST(FileNaming, TemporaryNameReplacesTheExtension) {
  g_taken.clear();
  const char* cases[][2] = {{"C:\\logs\\errorlog.txt", "C:\\logs\\errorlog.tmp"},
                            {"dir.x\\name", "dir.x\\name.tmp"},
                            {"dir.x/name", "dir.x/name.tmp"},
                            {"C:name", "C:name.tmp"},
                            {"a.b.tcf", "a.b.tmp"},
                            {"name.", "name.tmp"}};
  for (const auto& c : cases) EXPECT_EQ(TempFileNameFor(c[0], Taken), c[1]) << c[0];
}

TEST(FileNaming, TakenNamesAreNumbered) {
  g_taken = {"x.tmp", "x (1).tmp"};
  EXPECT_EQ(TempFileNameFor("x.tcf", Taken), "x (2).tmp");
  EXPECT_EQ(FirstFreeFileName("x", ".tmp", Taken), "x (2).tmp");
  EXPECT_EQ(FirstFreeFileName("y", ".wpt", Taken), "y.wpt");
}

}  // namespace
