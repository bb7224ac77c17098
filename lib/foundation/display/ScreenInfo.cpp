#include "lib/foundation/display/ScreenInfo.h"

CScreenInfo* g_ScreenInfo = nullptr;

CScreenInfo::CScreenInfo(int32_t width, int32_t height, int32_t dpi)
    : m_Height(height), m_DPI(dpi), m_Width(width) {
  if (height > width) {
    m_Orientation = kScreenPortrait;
    m_ReferenceHeight = 320;
    m_ReferenceWidth = 240;
  } else if (height < width) {
    m_Orientation = kScreenLandscape;
    m_ReferenceHeight = 240;
    m_ReferenceWidth = 320;
  } else {
    m_Orientation = kScreenSquare;
    m_ReferenceHeight = 240;
    m_ReferenceWidth = 240;
  }
}
