// CTrackFileWrite: one change of a track file, made ready in full before it
// is made. Getting ready takes every name, buffer and handle the change
// needs; running out of memory throws there, with the file as it was. A file
// that cannot be made, opened or written while getting ready is kept as the
// change's failure, which Commit throws (CStreamError). Otherwise Commit
// takes no memory and changes the file in one step: it renames the whole new
// file, written and closed beside the old one, over it, or writes a last
// record and the trailer in one call, ending at or past the old end, so that
// the file reads whole before and after; a refused step throws CStreamError.
// A change that is not committed leaves no file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/text/Str.h"
#include "lib/gps/TrackFile.h"

class CTrackFileWrite {
 public:
  CTrackFileWrite() = default;
  CTrackFileWrite(const CTrackFileWrite&) = delete;
  CTrackFileWrite& operator=(const CTrackFileWrite&) = delete;

  // The whole track of count points (absolute records for a companion).
  void PrepareWhole(const CStr& name, const CStr& trackName, const SNMEATrackPoint* points,
                    size_t count, bool absolute);
  // The last of count points (two or more) as a record after the one before
  // it, or in place of the file's last record of replacedSize bytes, and the
  // trailer. False, with nothing made ready, when the record is shorter than
  // the one it replaces: the old bytes past it would remain, so that file is
  // to be written whole.
  bool PrepareRecord(const CStr& name, const SNMEATrackPoint* points, size_t count, bool absolute,
                     uint32_t replacedSize);

  // The size of the file's last record once the change is made (0 for a
  // file of one point).
  uint32_t GetLastRecordSize() const { return m_LastRecordSize; }
  void Commit();

 private:
  static constexpr int32_t kTailSize = kTrackCompanionRecordSize + kTrackTrailerSize;

  template <class Body>
  void KeepingFileErrors(Body&& body);

  CStr m_Name;
  CAtomicFileWriter m_Whole;
  CFileStream m_File;
  uint8_t m_Tail[kTailSize] = {};
  int32_t m_TailSize = 0;
  uint32_t m_LastRecordSize = 0;
  std::exception_ptr m_Failure;
};
