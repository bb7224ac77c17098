// CTCF2TileManager: the chart tile loader. Its thread takes tile records
// from the queue of its bookkeeping (CTCF2TileStore), reads and decodes each
// tile and posts 0x2700 to the windows waiting for tiles and 0x2701 to the
// progress window. The viewer thread calls the store's members; the thread
// waits up to 50 ms for a request when the queue is empty or memory ran out.
#pragma once

#include "lib/charts/TCF2TileStore.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/threads/Thread.h"

class CTCF2TileManager final : public CThread, public CTCF2TileStore {
 public:
  // The callback becomes the thread's error event; the thread runs at once.
  // Throws std::bad_alloc, leaving nothing behind, when memory runs out or
  // the system gives no thread.
  CTCF2TileManager(const char* name, const SCallback& onError);
  // Stops and joins the thread, then frees every record.
  ~CTCF2TileManager() override;

 protected:
  void Execute(uint32_t& result) override;
  void WakeLoader() override;
  bool CalledByLoader() const override;

 private:
  void* m_Wake = nullptr;  // auto-reset event set by every request
};
