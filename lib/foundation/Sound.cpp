#include "lib/foundation/Sound.h"

#include <cstddef>
#include <new>

#include "lib/foundation/ErrorCodes.h"
#include "lib/foundation/FileStream.h"

namespace {

// The sound whose buffer the system is playing from, if any; its buffer is
// never freed while the system may still read it.
const CSound* g_playing = nullptr;

}  // namespace

CSound::CSound() = default;

CSound::CSound(const char* fileName, uint32_t* err) { Load(fileName, err); }

CSound::~CSound() { Free(); }

void CSound::Free() {
  if (g_playing == this) {
    SystemSoundStop();
    g_playing = nullptr;
  }
  delete[] data_;
  data_ = nullptr;
}

bool TD_STDCALL CSound::GetEnabled() { return enabled_ != 0; }

void TD_STDCALL CSound::SetEnabled(uint8_t enabled) { enabled_ = enabled != 0; }

void TD_STDCALL CSound::Load(const char* fileName, uint32_t* err) {
  try {
    Free();
    CFileStream file;
    if (!file.Open(CStr(fileName ? fileName : ""), 0, *err)) return;
    int64_t size = file.GetSize();
    if (size < 0 || size > INT32_MAX) {
      *err = kErrFileRead;
      return;
    }
    data_ = new (std::nothrow) uint8_t[static_cast<std::size_t>(size)];
    if (!data_) {
      *err = kErrFileRead;
      return;
    }
    // A partial sound is not kept: the system would read it by its header.
    if (!file.ReadBuf(data_, static_cast<int32_t>(size), *err)) Free();
  } catch (...) {
    Free();
    *err = kErrUnknown;
  }
}

void TD_STDCALL CSound::Play() {
  if (!data_ || !enabled_) return;
  g_playing = this;
  SystemSoundPlay(data_);
}
