#include "lib/charts/TCF2TileStore.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <new>

#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/streams/FileStream.h"

namespace {

constexpr int32_t kPlaceholderSide = 5;
constexpr uint32_t kPlaceholderDark = 0x30000000;
constexpr uint32_t kPlaceholderLight = 0x30FFFFFF;

// The process's stores, in creation order. Making the list allocates
// nothing, so that a chart's destructor may be the first to use it.
struct SStoreList {
  std::mutex lock;
  std::vector<CTCF2TileStore*> stores;
};

SStoreList& Stores() {
  static SStoreList list;
  return list;
}

// Runs work on the stores under the list's lock, for destructors: a lock the
// system refuses (it never refuses a mutex of this process that is not held
// by the caller) skips the work rather than ending the process.
template <class Work>
void ForEveryStore(Work&& work) noexcept {
  td::GuardVoid([&] {
    SStoreList& list = Stores();
    std::lock_guard<std::mutex> hold(list.lock);
    work(list.stores);
  });
}

void DeleteAll(std::vector<CTCF2TileManagerTile*>& list) {
  for (CTCF2TileManagerTile* record : list) delete record;
  list.clear();
}

CTCF2TileManagerTile* FindLast(const std::vector<CTCF2TileManagerTile*>& list, const void* chart,
                               uint32_t tile) {
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if ((*it)->Matches(chart, tile)) return *it;
  return nullptr;
}

template <class T>
void Take(std::vector<T*>& list, T* record) {
  list.erase(std::find(list.begin(), list.end(), record));
}

bool HoldsAll(const CTCF2TileManagerTile& record, uint16_t mask) {
  return (record.Mask & mask) == mask;
}

uint32_t Clamp32(uint64_t value) {
  return static_cast<uint32_t>(std::min<uint64_t>(value, 0xFFFFFFFF));
}

[[noreturn]] void ThrowLoadError(uint32_t code) {
  throw CStreamError(CStr("CTCF2TileManager.LoadTile: ") + ErrorText(code));
}

// A bitmap without a DC of its own, of a tile's size, can fail only for its
// pixels, which the bitmap classes report by throwing their message: that is
// running out of memory.
std::unique_ptr<CBmp32> NewTileBitmap(int32_t width, int32_t height) {
  try {
    return std::make_unique<CBmp32>(width, height, false);
  } catch (const char*) {
    throw std::bad_alloc();
  }
}

}  // namespace

CTCF2TileStore::CTCF2TileStore() : Placeholder(kPlaceholderSide, kPlaceholderSide, false) {
  for (int32_t y = 0; y < kPlaceholderSide; ++y)
    for (int32_t x = 0; x < kPlaceholderSide; ++x)
      Placeholder.Row(y)[x] = (x + y) % 2 != 0 ? kPlaceholderDark : kPlaceholderLight;
  SStoreList& list = Stores();
  std::lock_guard<std::mutex> hold(list.lock);
  list.stores.push_back(this);
}

CTCF2TileStore::~CTCF2TileStore() {
  ForEveryStore([this](std::vector<CTCF2TileStore*>& stores) { Take(stores, this); });
  delete m_Current;
  DeleteAll(m_Queue);
  DeleteAll(m_Loaded);
  DeleteAll(m_Cache);
}

void CancelChartEverywhere(const void* chart) {
  ForEveryStore([chart](std::vector<CTCF2TileStore*>& stores) {
    for (auto it = stores.rbegin(); it != stores.rend(); ++it) (*it)->CancelChart(chart);
  });
}

// Request ---------------------------------------------------------------

void CTCF2TileStore::Request(const void* chart, const CStr& path, STCF2TileRequest* requests,
                             int32_t count, uint16_t mask, TWindowHandle window) {
  m_Lock.Enter();
  try {
    for (int32_t k = count - 1; k >= 0; --k) RequestTile(chart, path, requests[k], mask, window);
    ReleaseUntouched(chart, mask, window);
  } catch (...) {
    ClearTouched();
    m_Lock.Leave();
    throw;
  }
  WakeLoader();
}

void CTCF2TileStore::RequestTile(const void* chart, const CStr& path, STCF2TileRequest& request,
                                 uint16_t mask, TWindowHandle window) {
  request.Bitmap = nullptr;
  request.Missing = request.AllTransparent = request.AllOpaque = false;
  const uint32_t tile = request.Info.Tile;
  if (m_Current != nullptr && m_Current->Matches(chart, tile) &&
      AddRequester(*m_Current, mask, window)) {
    request.Missing = true;
    return;
  }
  if (CTCF2TileManagerTile* queued = FindLast(m_Queue, chart, tile)) {
    if (AddRequester(*queued, mask, window)) {
      request.Missing = true;
      return;
    }
  }
  if (CTCF2TileManagerTile* loaded = FindLast(m_Loaded, chart, tile)) {
    loaded->Mask |= mask;
    loaded->Touched = true;
    loaded->Report(request);
    if (loaded->Bitmap == nullptr && !loaded->Failed && loaded->ReplacedBy == nullptr)
      loaded->LinkReplacement(Enqueue(chart, path, request.Info, mask, window));
    return;
  }
  if (CTCF2TileManagerTile* cached = FindLast(m_Cache, chart, tile)) {
    m_Loaded.reserve(m_Loaded.size() + 1);
    Take(m_Cache, cached);
    m_CachedBytes -= cached->Size;
    m_Loaded.push_back(cached);
    m_LoadedBytes += cached->Size;
    cached->Mask = mask;
    cached->Touched = true;
    cached->Report(request);
    return;
  }
  Enqueue(chart, path, request.Info, mask, window);  // not missing: not drawn in this call
}

// Adds the requester; true when the record replaces nothing, so that the
// request is answered by it.
bool CTCF2TileStore::AddRequester(CTCF2TileManagerTile& record, uint16_t mask,
                                  TWindowHandle window) {
  record.AddWindow(window);
  record.Mask |= mask;
  record.Touched = true;
  return record.Replaces == nullptr;
}

CTCF2TileManagerTile& CTCF2TileStore::Enqueue(const void* chart, const CStr& path,
                                              const STCF2TileInfo& location, uint16_t mask,
                                              TWindowHandle window) {
  auto record = std::make_unique<CTCF2TileManagerTile>(chart, path, location, mask);
  record->AddWindow(window);
  record->Touched = true;
  m_Queue.push_back(record.get());
  return *record.release();
}

void CTCF2TileStore::ReleaseUntouched(const void* chart, uint16_t mask, TWindowHandle window) {
  m_Cache.reserve(m_Cache.size() + m_Loaded.size());  // moving to the cache cannot fail
  if (m_Current != nullptr) {
    if (!m_Current->Touched && m_Current->Chart == chart && HoldsAll(*m_Current, mask))
      m_Current->Release(window, mask);
    m_Current->Touched = false;
  }
  for (size_t i = m_Queue.size(); i-- > 0;) {
    CTCF2TileManagerTile* record = m_Queue[i];
    if (!record->Touched && record->Chart == chart && HoldsAll(*record, mask)) {
      record->Release(window, mask);
      if (record->Mask == 0) {
        m_Queue.erase(m_Queue.begin() + static_cast<ptrdiff_t>(i));
        record->Unlink();
        delete record;
        continue;
      }
    }
    record->Touched = false;
  }
  for (size_t i = m_Loaded.size(); i-- > 0;) {
    CTCF2TileManagerTile* record = m_Loaded[i];
    const bool release = !record->Touched && record->Chart == chart && record->Mask != 0;
    record->Touched = false;
    if (!release) continue;
    record->Mask = static_cast<uint16_t>(record->Mask & ~mask);
    if (record->Mask != 0) continue;
    m_Loaded.erase(m_Loaded.begin() + static_cast<ptrdiff_t>(i));
    m_LoadedBytes -= record->Size;
    MoveToCache(record);
  }
}

void CTCF2TileStore::ClearTouched() {
  if (m_Current != nullptr) m_Current->Touched = false;
  for (CTCF2TileManagerTile* record : m_Queue) record->Touched = false;
  for (CTCF2TileManagerTile* record : m_Loaded) record->Touched = false;
  for (CTCF2TileManagerTile* record : m_Cache) record->Touched = false;
}

// Cache ------------------------------------------------------------------

bool CTCF2TileStore::MakeRoom(uint32_t size) {
  while (!m_Cache.empty() && m_LoadedBytes + m_CachedBytes + size > m_MemoryLimit)
    DeleteCachedAt(0);
  return m_LoadedBytes + m_CachedBytes + size <= m_MemoryLimit;
}

void CTCF2TileStore::DeleteCachedAt(size_t index) {
  CTCF2TileManagerTile* record = m_Cache[index];
  m_Cache.erase(m_Cache.begin() + static_cast<ptrdiff_t>(index));
  m_CachedBytes -= record->Size;
  delete record;
}

// The record is in no list; the cache has room for one more entry. A replacing record that nobody
// else wants is dropped with it.
void CTCF2TileStore::MoveToCache(CTCF2TileManagerTile* record) {
  if (record->Bitmap != nullptr && MakeRoom(record->Size)) {
    m_Cache.push_back(record);
    m_CachedBytes += record->Size;
    return;
  }
  if (CTCF2TileManagerTile* newer = record->ReplacedBy) {
    record->Unlink();
    if (newer == m_Current) {
      if (newer->Mask == 0) CancelCurrent();
    } else if (newer->Mask == 0) {
      Take(m_Queue, newer);
      delete newer;
    }
  }
  delete record;
}

bool CTCF2TileStore::FreeMemory(uint32_t bytes) {
  CCriticalSectionLock hold(m_Lock);
  uint64_t freed = 0;
  while (!m_Cache.empty() && freed < bytes) {
    freed += m_Cache.front()->Size;
    DeleteCachedAt(0);
  }
  if (freed < bytes && !(m_Loading && CalledByLoader())) {
    for (auto it = m_Loaded.rbegin(); it != m_Loaded.rend() && freed < bytes; ++it) {
      CTCF2TileManagerTile* record = *it;
      if (record->Bitmap == nullptr) continue;
      freed += record->Size;
      m_LoadedBytes -= record->Size;
      record->FreeBitmap();
      record->Size = 0;
    }
  }
  return freed > 0;
}

// Windows and charts ---------------------------------------------------------

void CTCF2TileStore::AddWindow(TWindowHandle window) {
  if (window != nullptr && std::find(m_Windows.begin(), m_Windows.end(), window) == m_Windows.end())
    m_Windows.push_back(window);
}

void CTCF2TileStore::RemoveWindow(TWindowHandle window) {
  CCriticalSectionLock hold(m_Lock);
  m_Windows.erase(std::remove(m_Windows.begin(), m_Windows.end(), window), m_Windows.end());
  if (m_Current != nullptr) m_Current->RemoveWindow(window);
  for (CTCF2TileManagerTile* record : m_Queue) record->RemoveWindow(window);
}

void CTCF2TileStore::CancelChart(const void* chart) {
  CCriticalSectionLock hold(m_Lock);
  if (m_Current != nullptr && m_Current->Chart == chart) CancelCurrent();
  const auto ofChart = [chart](CTCF2TileManagerTile* record) { return record->Chart == chart; };
  for (TTileList* list : {&m_Cache, &m_Queue, &m_Loaded}) {
    for (CTCF2TileManagerTile* record : *list) {
      if (!ofChart(record)) continue;
      if (list == &m_Cache) m_CachedBytes -= record->Size;
      if (list == &m_Loaded) m_LoadedBytes -= record->Size;
      record->Unlink();
    }
  }
  for (TTileList* list : {&m_Cache, &m_Queue, &m_Loaded}) {
    for (CTCF2TileManagerTile*& record : *list) {
      if (!ofChart(record)) continue;
      delete record;
      record = nullptr;
    }
    list->erase(std::remove(list->begin(), list->end(), nullptr), list->end());
  }
}

// Loader -----------------------------------------------------------------

// No request matches the tile being read any more; it is deleted once read.
void CTCF2TileStore::CancelCurrent() {
  m_Current->Cancelled = true;
  m_Current->Chart = nullptr;
  m_Current->Unlink();
}

CTCF2TileManagerTile* CTCF2TileStore::BeginLoad() {
  CCriticalSectionLock hold(m_Lock);
  if (m_Current == nullptr) {
    if (m_Queue.empty()) return nullptr;
    if (m_BatchTotal == 0 || m_BatchTotal == m_BatchDone) {
      m_BatchTotal = static_cast<uint32_t>(std::min<size_t>(kProgressBatch, m_Queue.size()));
      m_BatchDone = 0;
    }
    m_Current = m_Queue.front();
    m_Queue.erase(m_Queue.begin());
  }
  m_HasWork = true;
  m_Loading = true;
  return m_Current;
}

bool CTCF2TileStore::EndLoad(CBmp32* bitmap, bool allTransparent, bool allOpaque) {
  std::unique_ptr<CBmp32> read(bitmap);
  CCriticalSectionLock hold(m_Lock);
  m_Loading = false;
  if (!m_Current->Cancelled && !ReserveFiling()) return false;
  FileCurrent(read.release(), allTransparent, allOpaque);
  m_Current = nullptr;
  m_HasWork = !m_Queue.empty();
  Notify();
  return true;
}

void CTCF2TileStore::PostponeLoad() {
  CCriticalSectionLock hold(m_Lock);
  m_Loading = false;
}

bool CTCF2TileStore::LoadNext() {
  CTCF2TileManagerTile* record = BeginLoad();
  if (record == nullptr) return false;
  // Only this thread changes the location and path of the current tile.
  STCF2TileRequest request;
  request.Info = record->Location;
  CBmp32* bitmap = nullptr;
  try {
    bitmap = LoadTile(record->Path, request);
  } catch (const std::bad_alloc&) {
    PostponeLoad();
    return false;
  } catch (const std::exception&) {
    bitmap = nullptr;  // the tile is not in the file as it should be: filed as failed
  } catch (...) {      // no verdict on the tile: it is read again
    PostponeLoad();
    return false;
  }
  return EndLoad(bitmap, request.AllTransparent, request.AllOpaque);
}

bool CTCF2TileStore::ReserveFiling() {
  try {
    m_Loaded.reserve(m_Loaded.size() + 1);
    m_Cache.reserve(m_Cache.size() + 1);
    m_Windows.reserve(m_Windows.size() + m_Current->Windows.size());
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void CTCF2TileStore::FileCurrent(CBmp32* bitmap, bool allTransparent, bool allOpaque) {
  CTCF2TileManagerTile* record = m_Current;
  if (record->Cancelled) {
    if (bitmap != nullptr) bitmap->DeleteThis(1);
    record->Unlink();
    delete record;
    return;
  }
  // Whatever came of the read, the windows waiting for it draw again.
  for (auto it = record->Windows.rbegin(); it != record->Windows.rend(); ++it) AddWindow(*it);
  record->Windows.clear();
  if (record->Replaces != nullptr && bitmap == nullptr) {
    // The older copy stays; its tile is damaged, so it is not asked again.
    record->Replaces->Failed = true;
    record->Unlink();
    delete record;
    return;
  }
  record->SetBitmap(bitmap, allTransparent, allOpaque);
  if (record->Mask == 0) {
    record->Unlink();
    MoveToCache(record);
    return;
  }
  if (CTCF2TileManagerTile* older = record->Replaces) {
    Take(m_Loaded, older);
    m_LoadedBytes -= older->Size;
    older->Unlink();
    delete older;
  }
  MakeRoom(record->Size);
  m_Loaded.push_back(record);
  m_LoadedBytes += record->Size;
}

void CTCF2TileStore::Notify() {
  ++m_SinceNotify;
  if (m_Queue.empty() || m_SinceNotify >= m_NotifyBatch) {
    for (auto it = m_Windows.rbegin(); it != m_Windows.rend(); ++it)
      Notifier.Post(*it, kTileMessageArrived, 0, 0);
    m_SinceNotify = 0;
    m_Windows.clear();
  }
  if (m_ProgressWindow == nullptr) return;
  m_BatchDone = m_Queue.empty() ? m_BatchTotal : m_BatchDone + 1;
  Notifier.Post(m_ProgressWindow, kTileMessageProgress, m_BatchDone, m_BatchTotal);
  if (m_BatchDone == m_BatchTotal) m_BatchTotal = 0;
}

CBmp32* CTCF2TileStore::LoadTile(const CStr& path, STCF2TileRequest& request) {
  const STCF2TileInfo& info = request.Info;
  if (info.Size == 0 || info.Size > kTileStreamLimit || info.Width < 1 || info.Width > 256 ||
      info.Height < 1 || info.Height > 256)
    ThrowLoadError(kErrFileFormat);
  CFileStream file(path, kFileModeRead | kFileShareRead);
  const int64_t fileSize = file.GetSize();
  if (fileSize < 0 || info.Offset > static_cast<uint64_t>(fileSize) ||
      info.Size > static_cast<uint64_t>(fileSize) - info.Offset)
    ThrowLoadError(kErrFileFormat);
  if (file.Seek(static_cast<int64_t>(info.Offset), kSeekBegin) != static_cast<int64_t>(info.Offset))
    ThrowLoadError(kErrFileSeek);
  std::vector<uint8_t> bytes(info.Size);
  uint32_t error = 0;
  if (!file.ReadBuf(bytes.data(), static_cast<int32_t>(bytes.size()), error)) ThrowLoadError(error);
  std::unique_ptr<CBmp32> bitmap = NewTileBitmap(info.Width, info.Height);
  STileDecodeInfo decoded;
  error = CTileDecoder::DecodeStored(bitmap->Pixels(), info.Width, info.Height, bytes.data(),
                                     bytes.size(), decoded);
  if (error != 0) ThrowLoadError(error);
  request.AllTransparent = decoded.allTransparent;
  request.AllOpaque = decoded.allOpaque;
  return bitmap.release();
}

// Accessors --------------------------------------------------------------

bool CTCF2TileStore::HasWork() {
  CCriticalSectionLock hold(m_Lock);
  return m_HasWork;
}

int32_t CTCF2TileStore::GetCachedCount() {
  CCriticalSectionLock hold(m_Lock);
  return static_cast<int32_t>(m_Cache.size());
}

int32_t CTCF2TileStore::GetLoadedCount() {
  CCriticalSectionLock hold(m_Lock);
  return static_cast<int32_t>(m_Loaded.size());
}

int32_t CTCF2TileStore::GetQueuedCount() {
  CCriticalSectionLock hold(m_Lock);
  return static_cast<int32_t>(m_Queue.size());
}

uint32_t CTCF2TileStore::GetMemoryLimit() {
  CCriticalSectionLock hold(m_Lock);
  return m_MemoryLimit;
}

uint32_t CTCF2TileStore::GetCachedBytes() {
  CCriticalSectionLock hold(m_Lock);
  return Clamp32(m_CachedBytes);
}

uint32_t CTCF2TileStore::GetLoadedBytes() {
  CCriticalSectionLock hold(m_Lock);
  return Clamp32(m_LoadedBytes);
}

TWindowHandle CTCF2TileStore::GetProgressWindow() {
  CCriticalSectionLock hold(m_Lock);
  return m_ProgressWindow;
}

void CTCF2TileStore::SetMemoryLimit(uint32_t limit) {
  CCriticalSectionLock hold(m_Lock);
  m_MemoryLimit = limit;
}

void CTCF2TileStore::SetProgressWindow(TWindowHandle window) {
  CCriticalSectionLock hold(m_Lock);
  m_ProgressWindow = window;
}
