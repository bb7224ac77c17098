// CImageProgress: reports the rows of one read or write to an SImageProgress
// (0 at once, then after every row the sum of 100 / rows so far). Nothing is
// called when the progress or its function is null. The caller's thread.
#pragma once

#include <cstdint>

#include "lib/bitmap/ImageHeaders.h"

class CImageProgress {
 public:
  CImageProgress(const SImageProgress* progress, int32_t rows)
      : m_Progress(progress), m_Step(100.0 / rows) {
    Report();
  }
  void RowDone() {
    m_Done += m_Step;
    Report();
  }

 private:
  void Report() const {
    if (m_Progress && m_Progress->function)
      m_Progress->function(m_Done, m_Progress->context1, m_Progress->context2);
  }

  const SImageProgress* m_Progress;
  double m_Step;
  double m_Done = 0;
};
