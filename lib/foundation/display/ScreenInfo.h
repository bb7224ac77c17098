// The screen's size, resolution and orientation class, built at load.
#pragma once

#include <cstdint>

constexpr int32_t kScreenPortrait = 0;
constexpr int32_t kScreenLandscape = 1;
constexpr int32_t kScreenSquare = 2;

class CScreenInfo {
 public:
  // Portrait screens take the reference 320 high x 240 wide, landscape ones
  // 240 x 320, square ones 240 x 240.
  CScreenInfo(int32_t width, int32_t height, int32_t dpi);

  int32_t GetHeight() const { return m_Height; }
  int32_t GetOrientation() const { return m_Orientation; }
  int32_t GetDPI() const { return m_DPI; }
  int32_t GetReferenceHeight() const { return m_ReferenceHeight; }
  int32_t GetReferenceWidth() const { return m_ReferenceWidth; }
  int32_t GetWidth() const { return m_Width; }

 private:
  int32_t m_Height;
  int32_t m_Orientation;
  int32_t m_DPI;
  int32_t m_ReferenceHeight;
  int32_t m_ReferenceWidth;
  int32_t m_Width;
};

// Built by the application object; null before and after.
extern CScreenInfo* g_ScreenInfo;
