// Dates and times against the system's own variant-time conversions.
#include <windows.h>

#include <gtest/gtest.h>

#include "include/TdLib.h"
#include "lib/foundation/time/DateTime.h"

namespace {

typedef INT(WINAPI* TToVariant)(LPSYSTEMTIME, double*);
typedef INT(WINAPI* TFromVariant)(double, LPSYSTEMTIME);

template <typename F>
F Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class DateOracle : public testing::Test {
 protected:
  void SetUp() override {
    HMODULE ole = LoadLibraryA("oleaut32.dll");
    ASSERT_NE(ole, nullptr);
    m_ToVariant = Lookup<TToVariant>(ole, "SystemTimeToVariantTime");
    m_FromVariant = Lookup<TFromVariant>(ole, "VariantTimeToSystemTime");
    ASSERT_TRUE(m_ToVariant && m_FromVariant);
  }

  TToVariant m_ToVariant = nullptr;
  TFromVariant m_FromVariant = nullptr;
};

TEST_F(DateOracle, KnownAnchor) {
  SYSTEMTIME st = {2000, 1, 0, 1, 0, 0, 0, 0};
  double variant = 0;
  ASSERT_TRUE(m_ToVariant(&st, &variant));
  EXPECT_EQ(variant, 36526.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), variant);
}

// The system's variant dates start at year 100.
TEST_F(DateOracle, EveryFewDaysFromYear100To9999) {
  for (double day = -657434; day <= 2958465; day += 997) {
    SYSTEMTIME st;
    ASSERT_TRUE(m_FromVariant(day, &st)) << day;
    int y, m, d, w;
    DecodeDateFully(day, y, m, d, w);
    ASSERT_EQ(y * 10000 + m * 100 + d, st.wYear * 10000 + st.wMonth * 100 + st.wDay) << day;
    ASSERT_EQ(w - 1, st.wDayOfWeek) << day;
    ASSERT_EQ(EncodeDate(st.wYear, st.wMonth, st.wDay), day);
  }
}

TEST_F(DateOracle, TimesOfDayToTheSecond) {
  for (int second = 0; second < 86400; second += 4801) {
    SYSTEMTIME st = {2013, 7, 0, 14, static_cast<WORD>(second / 3600),
                     static_cast<WORD>(second / 60 % 60), static_cast<WORD>(second % 60), 0};
    double variant = 0;
    ASSERT_TRUE(m_ToVariant(&st, &variant));
    const double dt = EncodeDateTime(2013, 7, 14, st.wHour, st.wMinute, st.wSecond, 0);
    EXPECT_NEAR(dt, variant, 1e-9) << second;
    int h, mi, s, ms;
    DecodeTime(variant, h, mi, s, ms);
    EXPECT_EQ(h * 3600 + mi * 60 + s, second);
  }
}

TEST(CalcDateExport, HalfADayEitherSide) {
  EXPECT_EQ(CalcDate(0.95, 1000.02), 999.0);
  EXPECT_EQ(CalcDate(0.02, 1000.97), 1001.0);
  EXPECT_EQ(CalcDate(0.75, 1000.25), 1000.0);
  EXPECT_EQ(CalcDate(0.25, 1000.75), 1000.0);
}

}  // namespace
