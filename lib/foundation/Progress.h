// Progress reporting: nested operations report one position from 0.0 to 1.0
// for the whole job through the host's callback, and the host may cancel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/Abi.h"

struct SProgressInfo {
  uint32_t stageId;
  float fraction;
  float position;  // overall position on the root scale
  uint32_t extra;
  uint32_t value;
  uint8_t cancel;  // 0 on entry; the callback sets it to cancel
};
static_assert(sizeof(SProgressInfo) == 24);
static_assert(offsetof(SProgressInfo, cancel) == 20);

using ProgressCallback = void(TD_STDCALL*)(void* userData, SProgressInfo* info);

// Host-owned record; all positions are on the root scale.
struct SProgress {
  ProgressCallback callback;
  void* userData;
  float position;
  float scale;
  uint32_t stageId;
  float step;
  uint32_t extra;
};
#if UINTPTR_MAX == 0xFFFFFFFF
static_assert(sizeof(SProgress) == 28);
static_assert(offsetof(SProgress, step) == 20);
#endif

// These are the exports themselves: hosts and the library's own long
// operations call the same functions.
TDEXPORT(void) ProgressStageInit1(SProgress* record, float fraction, uint32_t stageId,
                                  ProgressCallback callback, void* userData, uint32_t extra);
TDEXPORT(void) ProgressLoopInit1(SProgress* record, int32_t count, float fraction,
                                 uint32_t stageId, ProgressCallback callback, void* userData,
                                 uint32_t extra);
TDEXPORT(void) ProgressStageInit(SProgress* child, const SProgress* parent, float fraction,
                                 uint32_t stageId);
TDEXPORT(void) ProgressLoopInit(SProgress* child, const SProgress* parent, int32_t count,
                                float fraction, uint32_t stageId);
TDEXPORT(void) ProgressStageNext(SProgress* record, float fraction, uint32_t stageId);
TDEXPORT(void) ProgressLoopNext(SProgress* record);
// *err becomes 2 when the host cancelled, else 0.
TDEXPORT(void) ProgressCall(const SProgress* record, float fraction, uint32_t value,
                            uint32_t* err);
