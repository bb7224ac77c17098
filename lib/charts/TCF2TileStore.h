// The bookkeeping of a chart tile manager, free of the OS: the tile records
// in their queue, loaded list and cache, the byte counters, the windows to
// notify and the loader's steps. CTCF2TileManager drives the steps from its
// thread; the native tests drive them directly.
//
// Every member takes the lock, which is recursive. Request returns with the
// lock held so that no bitmap it reported is freed or replaced while the
// caller draws it; the caller releases it with Unlock. Every store is listed
// in one process-wide list from construction to destruction, so that a chart
// that goes away can be cancelled everywhere.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2TileManagerTile.h"
#include "lib/charts/TCF2TileRequest.h"
#include "lib/charts/TileNotifier.h"
#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/text/Str.h"

class CTCF2TileStore {
 public:
  static constexpr uint32_t kDefaultMemoryLimit = 0x2000000;
  static constexpr int32_t kNotifyBatch = 100;
  static constexpr uint32_t kProgressBatch = 50;

  CTCF2TileStore();
  // Leaves the global list and frees every record. The loader must have
  // stopped.
  virtual ~CTCF2TileStore();
  CTCF2TileStore(const CTCF2TileStore&) = delete;
  CTCF2TileStore& operator=(const CTCF2TileStore&) = delete;

  // Viewer thread. Fills bitmap, missing and the transparency flags of every
  // entry and queues what is not there; afterwards the requester (mask,
  // window) has released every other tile of the chart. Returns with the
  // lock held. Throws std::bad_alloc with the lock released and every record
  // whole.
  void Request(const void* chart, const CStr& path, STCF2TileRequest* requests, int32_t count,
               uint16_t mask, TWindowHandle window);
  void Unlock() { m_Lock.Leave(); }
  // Adds a window to notify (caller holds the lock).
  void AddWindow(TWindowHandle window);
  // Drops the window from the windows to notify, the current and the queued tiles.
  void RemoveWindow(TWindowHandle window);
  // Forgets every record of the chart; the tile being read is cancelled.
  void CancelChart(const void* chart);
  // Evicts cached tiles, then frees loaded bitmaps, until bytes were freed;
  // whether anything was freed.
  bool FreeMemory(uint32_t bytes);

  // Loader steps, one tile each: takes the current record when its last
  // read could not be filed, else the first queued record (null when the
  // queue is empty) ...
  CTCF2TileManagerTile* BeginLoad();
  // ... then files the result (null for a failed read; the bitmap is taken
  // over) and notifies. False when memory ran out before anything changed:
  // the bitmap is freed and the record stays current, to be read again.
  bool EndLoad(CBmp32* bitmap, bool allTransparent, bool allOpaque);
  // Both steps with the read between them; false when nothing was queued or
  // memory ran out while reading or filing (the tile is read again by the
  // next call). A read that fails otherwise than by the tile's own bytes or
  // file (std::exception) keeps the tile for another read too.
  bool LoadNext();

  // Reads and decodes one tile of the named chart file into a new bitmap
  // and sets the request's transparency flags; a tile of an older file may
  // be stored without an alpha stream. Throws CStreamError for a tile that
  // does not lie in the file, a short read or damaged data, std::bad_alloc
  // when memory runs out, for the pixels too.
  static CBmp32* LoadTile(const CStr& path, STCF2TileRequest& request);

  bool HasWork();
  int32_t GetCachedCount();
  int32_t GetLoadedCount();
  int32_t GetQueuedCount();
  uint32_t GetMemoryLimit();
  uint32_t GetCachedBytes();
  uint32_t GetLoadedBytes();
  TWindowHandle GetProgressWindow();
  void SetMemoryLimit(uint32_t limit);
  void SetProgressWindow(TWindowHandle window);

  // The 5 x 5 checkerboard drawn where a tile has not arrived.
  CBmp32 Placeholder;
  CTileNotifier Notifier;

 protected:
  // Called after every request, without the lock.
  virtual void WakeLoader() {}
  // Whether the caller is the loader itself.
  virtual bool CalledByLoader() const { return false; }
  // Ends a load that could not be finished: the tile stays current, to be
  // read again by the next call.
  void PostponeLoad();

 private:
  using TTileList = std::vector<CTCF2TileManagerTile*>;

  void RequestTile(const void* chart, const CStr& path, STCF2TileRequest& request, uint16_t mask,
                   TWindowHandle window);
  bool AddRequester(CTCF2TileManagerTile& record, uint16_t mask, TWindowHandle window);
  CTCF2TileManagerTile& Enqueue(const void* chart, const CStr& path, const STCF2TileInfo& location,
                                uint16_t mask, TWindowHandle window);
  void ReleaseUntouched(const void* chart, uint16_t mask, TWindowHandle window);
  void ClearTouched();
  bool MakeRoom(uint32_t size);
  void MoveToCache(CTCF2TileManagerTile* record);
  void CancelCurrent();
  // Room in every list the current tile may enter, so that filing it cannot
  // fail; false when memory ran out.
  bool ReserveFiling();
  void FileCurrent(CBmp32* bitmap, bool allTransparent, bool allOpaque);
  void Notify();
  void DeleteCachedAt(size_t index);

  CCriticalSection m_Lock;
  bool m_HasWork = false;
  CTCF2TileManagerTile* m_Current = nullptr;
  std::vector<TWindowHandle> m_Windows;
  uint32_t m_MemoryLimit = kDefaultMemoryLimit;
  uint64_t m_LoadedBytes = 0;
  uint64_t m_CachedBytes = 0;
  TWindowHandle m_ProgressWindow = nullptr;
  TTileList m_Cache;   // oldest first
  TTileList m_Queue;   // arrival order
  TTileList m_Loaded;  // tiles with a requester
  int32_t m_NotifyBatch = kNotifyBatch;
  int32_t m_SinceNotify = 0;
  uint32_t m_BatchTotal = 0;
  uint32_t m_BatchDone = 0;
  bool m_Loading = false;
};

// CancelChart on every store of the process, last created first.
void CancelChartEverywhere(const void* chart);
