#include "lib/foundation/display/Sound.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/FileStream.h"

namespace {

// The sound whose buffer the system is playing from, if any; its buffer is
// never freed while the system may still read it.
const CSound* g_playing = nullptr;

uint32_t ReadLE32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The system plays from memory by the chunk sizes inside the data, so the
// "RIFF" size, the "fmt " chunk and a non-empty "data" chunk must all lie
// within the bytes loaded.
bool IsCompleteWave(const uint8_t* data, uint64_t size) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return false;
  uint64_t end = 8 + static_cast<uint64_t>(ReadLE32(data + 4));
  if (end > size) return false;
  bool format = false;
  for (uint64_t at = 12; at + 8 <= end;) {
    uint64_t chunkSize = ReadLE32(data + at + 4);
    uint64_t next = at + 8 + chunkSize;
    if (next > end) return false;
    if (std::memcmp(data + at, "fmt ", 4) == 0) format = chunkSize >= 16;
    if (std::memcmp(data + at, "data", 4) == 0) return format && chunkSize > 0;
    at = next + (chunkSize & 1);
  }
  return false;
}

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
    if (!file.ReadBuf(data_, static_cast<int32_t>(size), *err)) {
      Free();
    } else if (!IsCompleteWave(data_, static_cast<uint64_t>(size))) {
      Free();
      *err = kErrFileFormat;
    }
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
