#include "lib/foundation/app/MathBenchmark.h"

#include <gtest/gtest.h>

#include "lib/foundation/format/FormatSettings.h"

namespace {

TEST(MathBenchmarkTest, ReportLayout) {
  InitFormatSettings();
  CMathBenchmark benchmark;
  CStr report = benchmark.ReportText();
  int lines = 0;
  for (int at = report.Find(CStr("\r\n")); at >= 0; at = report.Find(CStr("\r\n"), at + 2)) ++lines;
  EXPECT_EQ(lines, 26);
  EXPECT_EQ(report.Left(36), CStr("Operation\tdouble\tfloat\tint\t__int64\r\n"));
  // No conversion from a type to itself and no integer sine.
  EXPECT_GE(report.Find(CStr("\r\n(double)\t-\t")), 0);
  EXPECT_GE(report.Find(CStr("\r\n(int)\t")), 0);
  EXPECT_FALSE(benchmark.HasScore(8, 2));
  EXPECT_TRUE(benchmark.HasScore(8, 0));
  int sine = report.Find(CStr("\r\nsin()\t"));
  ASSERT_GE(sine, 0);
  int end = report.Find(CStr("\r\n"), sine + 2);
  EXPECT_EQ(report.Mid(end - 4, 4), CStr("\t-\t-"));
}

}  // namespace
