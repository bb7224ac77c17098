// A wave sound held in memory and played asynchronously.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Object.h"

class CSound : public CObject {
 public:
  CSound();
  // Loads the file; the error code tells whether that worked.
  CSound(const char* fileName, uint32_t* err);

  TD_DELETE_THIS(CSound)
  virtual bool TD_STDCALL GetEnabled();
  // Replaces the sound by the whole file; file-stream error codes.
  virtual void TD_STDCALL Load(const char* fileName, uint32_t* err);
  // Plays when loaded and enabled; without the system's default sound.
  virtual void TD_STDCALL Play();
  virtual void TD_STDCALL SetEnabled(uint8_t enabled);

  ~CSound();

 private:
  void Free();

  uint8_t* data_ = nullptr;
  uint8_t enabled_ = 1;
};

// Operating-system concern (Sound_win32.cpp / Sound_posix.cpp): start playing a
// wave image asynchronously from memory, and stop whatever plays.
void SystemSoundPlay(const uint8_t* wave) noexcept;
void SystemSoundStop() noexcept;
