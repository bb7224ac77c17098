#include "lib/foundation/app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Parse(const char* line) {
  CStrList list(true);
  ParseCommandLine(line, list);
  std::vector<std::string> result;
  for (int i = 0; i < list.GetCount(); ++i) result.push_back(list.GetString(i).c_str());
  return result;
}

TEST(CommandLine, SplitsLikeTheHostShell) {
  typedef std::vector<std::string> V;
  EXPECT_EQ(Parse("prog.exe"), V{});
  EXPECT_EQ(Parse("\"C:\\Program Files\\p.exe\""), V{});
  EXPECT_EQ(Parse("prog  a  \"b c\"  \"\""), (V{"a", "b c"}));
  EXPECT_EQ(Parse("prog a \"b c\"d"), (V{"a", "b cd"}));
  EXPECT_EQ(Parse("prog \t-x\r\n\"unclosed run"), (V{"-x", "unclosed run"}));
  EXPECT_EQ(Parse("prog \"\"\"\"x"), (V{"x"}));
  EXPECT_EQ(Parse("prog Zee\xEBn.tcf \xC3\xA9t\xC3\xA9"), (V{"Zee\xEBn.tcf", "\xC3\xA9t\xC3\xA9"}));
  EXPECT_EQ(Parse(""), V{});
}

}  // namespace
