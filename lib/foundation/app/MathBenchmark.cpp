#include "lib/foundation/app/MathBenchmark.h"

#include <cmath>
#include <cstdlib>

#include "lib/foundation/time/Clock.h"
#include "lib/foundation/format/Convert.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/format/FormatSettings.h"

namespace {

// Operands and results live in volatile globals, so that every iteration
// really loads, computes and stores.
volatile int32_t g_counter;
volatile double g_dA, g_dB, g_dR;
volatile float g_fA, g_fB, g_fR;
volatile int32_t g_iA, g_iB, g_iR;
volatile int64_t g_lA, g_lB, g_lR;

using TestLoop = void (*)(int iterations);

constexpr int kSimpleIterations = 1000000;
constexpr int kFunctionIterations = 100000;
constexpr int kCalibrationIterations = 100000000;

float FSin(float x) { return static_cast<float>(std::sin(x)); }
float FPow(float x, float y) { return static_cast<float>(std::pow(x, y)); }

#define TD_LOOP(expr) [](int n) { for (int i = 0; i < n; ++i) expr; }

struct STest {
  int row;
  int column;
  bool function;  // a mathematical function: fewer iterations
  TestLoop loop;
};

enum { kDouble, kFloat, kInt, kInt64 };

// One operation per iteration, each storing its result in a global.
const STest kTests[] = {
    {0, kDouble, false, TD_LOOP(g_dR = g_dA + g_dB)},
    {0, kFloat, false, TD_LOOP(g_fR = g_fA + g_fB)},
    {0, kInt, false, TD_LOOP(g_iR = g_iA + g_iB)},
    {0, kInt64, false, TD_LOOP(g_lR = g_lA + g_lB)},
    {1, kDouble, false, TD_LOOP(g_dR = g_dA * g_dB)},
    {1, kFloat, false, TD_LOOP(g_fR = g_fA * g_fB)},
    {1, kInt, false, TD_LOOP(g_iR = g_iA * g_iB)},
    {1, kInt64, false, TD_LOOP(g_lR = g_lA * g_lB)},
    {2, kDouble, false, TD_LOOP(g_dR = g_dA / g_dB)},
    {2, kFloat, false, TD_LOOP(g_fR = g_fA / g_fB)},
    {2, kInt, false, TD_LOOP(g_iR = g_iA / g_iB)},
    {2, kInt64, false, TD_LOOP(g_lR = g_lA / g_lB)},
    // Conversions: the column is the type converted from.
    {3, kFloat, false, TD_LOOP(g_dR = static_cast<double>(g_fA))},
    {3, kInt, false, TD_LOOP(g_dR = static_cast<double>(g_iA))},
    {3, kInt64, false, TD_LOOP(g_dR = static_cast<double>(g_lA))},
    {4, kDouble, false, TD_LOOP(g_fR = static_cast<float>(g_dA))},
    {4, kInt, false, TD_LOOP(g_fR = static_cast<float>(g_iA))},
    {4, kInt64, false, TD_LOOP(g_fR = static_cast<float>(g_lA))},
    {5, kDouble, false, TD_LOOP(g_iR = static_cast<int32_t>(g_dA))},
    {5, kFloat, false, TD_LOOP(g_iR = static_cast<int32_t>(g_fA))},
    {5, kInt64, false, TD_LOOP(g_iR = static_cast<int32_t>(g_lA))},
    {6, kDouble, false, TD_LOOP(g_lR = static_cast<int64_t>(g_dA))},
    {6, kFloat, false, TD_LOOP(g_lR = static_cast<int64_t>(g_fA))},
    {6, kInt, false, TD_LOOP(g_lR = static_cast<int64_t>(g_iA))},
    {7, kDouble, true, TD_LOOP(g_dR = std::fabs(g_dA))},
    {7, kFloat, true, TD_LOOP(g_fR = std::fabs(g_fA))},
    {7, kInt, true, TD_LOOP(g_iR = std::abs(g_iA))},
    {7, kInt64, true, TD_LOOP(g_lR = std::llabs(g_lA))},
    {8, kDouble, true, TD_LOOP(g_dR = std::sin(g_dA))},
    {8, kFloat, true, TD_LOOP(g_fR = FSin(g_fA))},
    {9, kDouble, true, TD_LOOP(g_dR = std::cos(g_dA))},
    {9, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::cos(g_fA)))},
    {10, kDouble, true, TD_LOOP(g_dR = std::tan(g_dA))},
    {10, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::tan(g_fA)))},
    {11, kDouble, true, TD_LOOP(g_dR = std::asin(g_dA))},
    {11, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::asin(g_fA)))},
    {12, kDouble, true, TD_LOOP(g_dR = std::acos(g_dA))},
    {12, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::acos(g_fA)))},
    {13, kDouble, true, TD_LOOP(g_dR = std::atan(g_dA))},
    {13, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::atan(g_fA)))},
    {14, kDouble, true, TD_LOOP(g_dR = std::atan2(g_dA, g_dB))},
    {14, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::atan2(g_fA, g_fB)))},
    {15, kDouble, true, TD_LOOP(g_dR = std::floor(g_dA))},
    {15, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::floor(g_fA)))},
    {16, kDouble, true, TD_LOOP(g_dR = std::ceil(g_dA))},
    {16, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::ceil(g_fA)))},
    {17, kDouble, true, TD_LOOP(g_dR = std::sqrt(g_dA))},
    {17, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::sqrt(g_fA)))},
    {18, kDouble, true, TD_LOOP(g_dR = std::exp(g_dA))},
    {18, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::exp(g_fA)))},
    {19, kDouble, true, TD_LOOP(g_dR = std::log(g_dA))},
    {19, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::log(g_fA)))},
    {20, kDouble, true, TD_LOOP(g_dR = std::log10(g_dA))},
    {20, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::log10(g_fA)))},
    {21, kDouble, true, TD_LOOP(g_dR = std::pow(g_dA, g_dB))},
    {21, kFloat, true, TD_LOOP(g_fR = FPow(g_fA, g_fB))},
    {22, kDouble, true, TD_LOOP(g_dR = std::pow(g_dA, static_cast<int>(g_iB)))},
    {22, kFloat, true, TD_LOOP(g_fR = FPow(g_fA, static_cast<float>(g_iB)))},
    {23, kInt, true, TD_LOOP(g_iR = static_cast<int32_t>(std::pow(g_iA, g_iB)))},
    {23, kInt64, true, TD_LOOP(g_lR = static_cast<int64_t>(std::pow(g_lA, g_lB)))},
    {24, kDouble, true, TD_LOOP(g_dR = std::sqrt(g_dA * g_dA + g_dB * g_dB))},
    {24, kFloat, true, TD_LOOP(g_fR = static_cast<float>(std::sqrt(g_fA * g_fA + g_fB * g_fB)))},
};

#undef TD_LOOP

const char* const kLabels[CMathBenchmark::kRows] = {
    "+",       "*",      "/",      "(double)", "(float)",  "(int)",    "(int64)",
    "abs()",   "sin()",  "cos()",  "tan()",    "asin()",   "acos()",   "atan()",
    "atan2()", "floor()", "ceil()", "sqrt()",  "exp()",    "log()",    "log10()",
    "pow(f,f)", "pow(f,i)", "pow(i,i)", "TdLength(x, y)"};

void SetOperands(double a, double b, int32_t ia, int32_t ib) {
  g_dA = a;
  g_dB = b;
  g_fA = static_cast<float>(a);
  g_fB = static_cast<float>(b);
  g_iA = ia;
  g_iB = ib;
  g_lA = ia;
  g_lB = 3;
}

template <int kIncrements>
void IncrementLoop(int n) {
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < kIncrements; ++k) g_counter = g_counter + 1;
  }
}

uint64_t TimeTicks(TestLoop loop, int iterations) {
  uint64_t start = ReadClock();
  loop(iterations);
  return ReadClock() - start;
}

}  // namespace

CMathBenchmark::CMathBenchmark() {
  m_SecondsPerTick = GetClockSecondsPerTick();
  Calibrate();
  RunTests();
}

// t2 = N (overhead + 2 increments), t4 = N (overhead + 4 increments): the
// overhead is 2 t2 - t4 and one increment costs (t4 - t2) / 2, per iteration.
void CMathBenchmark::Calibrate() {
  double t2 = TimeTicks(IncrementLoop<2>, kCalibrationIterations) * m_SecondsPerTick;
  double t4 = TimeTicks(IncrementLoop<4>, kCalibrationIterations) * m_SecondsPerTick;
  m_LoopOverhead = (2 * t2 - t4) / kCalibrationIterations;
  m_IncrementTime = (t4 - t2) / (2.0 * kCalibrationIterations);
}

void CMathBenchmark::RunTests() {
  for (const STest& test : kTests) {
    if (test.function) {
      SetOperands(5.0, 3.0, 5, 3);
    } else {
      SetOperands(12.0, 3.5, 12, 5);
    }
    int n = test.function ? kFunctionIterations : kSimpleIterations;
    double perIteration = TimeTicks(test.loop, n) * m_SecondsPerTick / n;
    m_Scores[test.row][test.column] = (perIteration - m_LoopOverhead) / m_IncrementTime;
  }
}

bool CMathBenchmark::HasScore(int row, int column) const {
  for (const STest& test : kTests) {
    if (test.row == row && test.column == column) return true;
  }
  return false;
}

CStr CMathBenchmark::ReportText() const {
  CStr text("Operation\tdouble\tfloat\tint\t__int64\r\n");
  for (int row = 0; row < kRows; ++row) {
    text += kLabels[row];
    for (int column = 0; column < kColumns; ++column) {
      text += '\t';
      text += HasScore(row, column) ? DoubleToStr(m_Scores[row][column], 6, 3, UserFormatSettings())
                                    : CStr("-");
    }
    text += "\r\n";
  }
  return text;
}

bool CMathBenchmark::WriteReport(const CStr& fileName) const {
  CFileStream file;
  uint32_t err = 0;
  if (!file.Open(fileName, 0xFFFF, err)) return false;
  CStr text = ReportText();
  return file.WriteBuf(text.c_str(), text.GetLength(), err);
}
