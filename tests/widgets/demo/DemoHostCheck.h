// Reads a chart file back through the library's exports, as a host program
// does, and reports what it found.
#pragma once

#include <cstdint>

struct SDemoChartFacts {
  uint32_t Error = 0;
  uint32_t Version = 0;
  uint32_t Width = 0, Height = 0, Levels = 0;
  int32_t CalibrationPoints = 0;
  double Pix[2][2] = {};  // the first two calibration points, pixels
  double Map[2][2] = {};  // and their projected coordinates
};

SDemoChartFacts DemoReadChartAsHost(const char* path);
