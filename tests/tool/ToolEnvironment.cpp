#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tool/TdProgInfo.h"
#include "tool/TdLang.h"
#include "tool/TdRTLI.h"
#include "tool/TdRegistry.h"

namespace {

// What the program's start-up sets up before its forms exist.
class ToolEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RTLIInitialize();
    SetMainRegKeys("Portelle Guard", "1");
    SetAvailableLanguages((1u << langEnglish) | (1u << langDutch));
    const uint8_t guid[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    ProgInfo = std::make_unique<TProgInfo>("Portelle", TReleaseDate{2005, 7, 1},
                                           0x01000205, guid);
  }
  void TearDown() override {
    ProgInfo.reset();
    RTLIFinalize();
  }
};

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolEnvironment);

}  // namespace
