#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <cstring>

#include "lib/foundation/format/Convert.h"

namespace {

// The system's GUID text and parser are the oracle.
TEST(GuidTextTest, MatchesTheSystem) {
  for (int i = 0; i < 200; ++i) {
    GUID guid;
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    if (i == 0) std::memset(&guid, 0xFF, sizeof(guid));
    SGuid ours;
    std::memcpy(&ours, &guid, sizeof(guid));
    wchar_t wide[40];
    ASSERT_EQ(StringFromGUID2(guid, wide, 40), 39);
    char narrow[40];
    for (int k = 0; k < 39; ++k) narrow[k] = static_cast<char>(wide[k]);
    CStr text = GUIDToStr(ours);
    EXPECT_STREQ(text.c_str(), narrow);
    SGuid back = StrToGUID(text);
    EXPECT_EQ(std::memcmp(&back, &guid, sizeof(guid)), 0);
    GUID parsed;
    ASSERT_EQ(IIDFromString(wide, &parsed), S_OK);
    back = StrToGUID(CStr(text.Lower()));
    EXPECT_EQ(std::memcmp(&back, &parsed, sizeof(parsed)), 0);
  }
}

}  // namespace
