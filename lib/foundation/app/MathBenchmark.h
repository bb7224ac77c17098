// Measures the cost of arithmetic, conversions and mathematical functions
// for double, float, int and __int64, in units of one integer increment.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

class CMathBenchmark {
 public:
  static constexpr int kRows = 25;
  static constexpr int kColumns = 4;  // double, float, int, __int64

  // Calibrates and runs every test; takes about a second.
  CMathBenchmark();

  // A tab-separated table, "-" where a type has no test of that operation.
  bool WriteReport(const CStr& fileName) const;
  CStr ReportText() const;

  bool HasScore(int row, int column) const;
  double GetScore(int row, int column) const { return m_Scores[row][column]; }
  double GetLoopOverhead() const { return m_LoopOverhead; }
  double GetIncrementTime() const { return m_IncrementTime; }

 private:
  void Calibrate();
  void RunTests();

  double m_LoopOverhead = 0;   // seconds per loop iteration
  double m_IncrementTime = 0;  // seconds per increment
  double m_SecondsPerTick = 0;
  double m_Scores[kRows][kColumns] = {};
};
