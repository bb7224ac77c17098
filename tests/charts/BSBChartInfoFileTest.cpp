#include <gtest/gtest.h>

#include "lib/charts/BSBChartInfoFile.h"
#include "tests/charts/UpdateTestFiles.h"

namespace {

// Records (a, b, z) and (z, a, a) and the text "hi", written down from the
// layout: (z, a, a) comes first, the text's key is 2 (the text3 lengths).
const std::string kTwoRecords =
    std::string("BSB Chart info file") + std::string("\x00\x00\x00\x01\xEB\xC3\x17\x5A", 8) +
    std::string("\x01\x00\x00\x00\x54\x01\x00\x00\x00\xF3\x01\x00\x00\x00\x79", 15) +
    std::string("\x01\x00\x00\x00\x4F\x01\x00\x00\x00\xF0\x01\x00\x00\x00\x62", 15) +
    std::string("\x02\x00\x00\x00\x6B\x6D", 6);

std::vector<std::string> Records(CBSBChartInfoFile& file) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < file.GetCount(); ++i) {
    CStr t1, t2, t3;
    file.GetItem(i, t1, t2, t3);
    out.push_back(std::string(t1.c_str()) + t2.c_str() + t3.c_str());
  }
  return out;
}

TEST(BSBChartInfoFile, LoadsAndSavesTheLayout) {
  ASSERT_EQ(kTwoRecords.size(), 63u);
  CScratchDir dir;
  WriteFile(dir.Path("in.bsb"), kTwoRecords);
  CBSBChartInfoFile file;
  ASSERT_TRUE(file.LoadFromFile(dir.Path("in.bsb")));
  EXPECT_EQ(Records(file), (std::vector<std::string>{"zaa", "abz"}));
  EXPECT_STREQ(file.GetText().c_str(), "hi");
  ASSERT_TRUE(file.LoadFromFile(dir.Path("in.bsb")));  // merged, not doubled
  EXPECT_EQ(file.GetCount(), 2);

  CBSBChartInfoFile built;
  built.Add("a", "b", "z");
  built.Add("z", "a", "a");
  built.Add("a", "b", "z");
  built.SetText("hi");
  ASSERT_TRUE(built.SaveToFile(dir.Path("out.bsb")));
  EXPECT_EQ(ReadFile(dir.Path("out.bsb")), kTwoRecords);

  built.Clear();
  ASSERT_TRUE(built.SaveToFile(dir.Path("out.bsb")));
  EXPECT_EQ(ReadFile(dir.Path("out.bsb")),
            kTwoRecords.substr(0, 23) + std::string("\xE9\xC3\x17\x5A\0\0\0\0", 8));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bsb", "out.bsb"}));
}

// 300 characters of text3 make the text's key 300 mod 256 = 44.
TEST(BSBChartInfoFile, TextKeyWraps) {
  CScratchDir dir;
  CBSBChartInfoFile file;
  file.Add("", "", std::string(300, 'x').c_str());
  file.SetText("hi");
  ASSERT_TRUE(file.SaveToFile(dir.Path("out.bsb")));
  const std::string bytes = ReadFile(dir.Path("out.bsb"));
  EXPECT_EQ(bytes.substr(bytes.size() - 6),
            std::string("\x02\x00\x00\x00", 4) + char('h' ^ 45) + char('i' ^ 46));
  CBSBChartInfoFile loaded;
  ASSERT_TRUE(loaded.LoadFromFile(dir.Path("out.bsb")));
  EXPECT_STREQ(loaded.GetText().c_str(), "hi");
}

TEST(BSBChartInfoFile, FindDeleteAndRanges) {
  CBSBChartInfoFile file;
  file.Add("b", "", "");
  file.Add("a", "", "");
  int32_t index = -1;
  EXPECT_TRUE(file.Find("b", "", "", &index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(file.Find("c", "", "", &index));
  EXPECT_EQ(index, 2);
  file.Delete(5);
  file.Delete(-1);
  EXPECT_EQ(file.GetCount(), 2);
  CStr t1("kept"), t2, t3;
  file.GetItem(2, t1, t2, t3);
  EXPECT_STREQ(t1.c_str(), "kept");
  file.Delete(0);
  EXPECT_EQ(Records(file), std::vector<std::string>{"b"});
}

// A file that does not read whole changes nothing: header, version, counts
// beyond the bytes, every cut.
TEST(BSBChartInfoFile, BadFilesChangeNothing) {
  std::vector<std::string> bad;
  for (size_t n = 0; n < kTwoRecords.size(); ++n) bad.push_back(kTwoRecords.substr(0, n));
  for (size_t i = 0; i < 19; ++i) {
    bad.push_back(kTwoRecords);
    bad.back()[i] ^= 0x20;
  }
  bad.push_back(kTwoRecords);
  bad.back()[22] = 2;  // version 2.0.0.0
  bad.push_back(kTwoRecords);
  SetU32(bad.back(), 23, 0xFFFFFFFF ^ 0x5A17C3E9);
  bad.push_back(kTwoRecords);
  SetU32(bad.back(), 27, 0x7FFFFFFF);  // a text longer than the file
  CScratchDir dir;
  for (const std::string& bytes : bad) {
    WriteFile(dir.Path("bad.bsb"), bytes);
    CBSBChartInfoFile file;
    file.Add("1", "2", "3");
    file.SetText("mine");
    EXPECT_FALSE(file.LoadFromFile(dir.Path("bad.bsb"))) << bytes.size();
    EXPECT_EQ(Records(file), std::vector<std::string>{"123"});
    EXPECT_STREQ(file.GetText().c_str(), "mine");
  }
  CBSBChartInfoFile file;
  EXPECT_FALSE(file.LoadFromFile(dir.Path("missing.bsb")));
}

}  // namespace
