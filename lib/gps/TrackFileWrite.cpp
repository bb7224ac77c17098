#include "lib/gps/TrackFileWrite.h"

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/foundation/streams/StreamFunctions.h"

namespace {

constexpr int32_t kSaveBufferSize = 32768;

}  // namespace

void CTrackFileWrite::PrepareWhole(const CStr& name, const CStr& trackName,
                                   const SNMEATrackPoint* points, size_t count, bool absolute) {
  m_Name = name;
  KeepingFileErrors([&] {
    uint32_t error = 0;
    if (!m_Whole.Open(name, kSaveBufferSize, error))
      throw CStreamError("CNMEATrack::SaveToFile: Cannot create file " + name);
    m_LastRecordSize = WriteTrack(m_Whole.Stream(), trackName, points, count, absolute);
    if (!m_Whole.Close(error))
      throw CStreamError("CNMEATrack::SaveToFile: Cannot write file " + name);
  });
}

bool CTrackFileWrite::PrepareRecord(const CStr& name, const SNMEATrackPoint* points, size_t count,
                                    bool absolute, uint32_t replacedSize) {
  const SNMEATrackPoint& base = points[count - 2];
  const SNMEATrackPoint& point = points[count - 1];
  CPointerStream tail(m_Tail, sizeof m_Tail);
  const uint32_t size =
      absolute ? WriteTrackAbsoluteRecord(tail, point)
               : WriteTrackRecord(tail, base, TrackTicks(point.Time - base.Time), point);
  if (size < replacedSize) return false;
  WriteTrackTrailer(tail, point.Distance, point.Time, static_cast<uint32_t>(count));
  m_TailSize = static_cast<int32_t>(size + kTrackTrailerSize);
  m_LastRecordSize = size;
  KeepingFileErrors([&] {
    uint32_t error = 0;
    if (!m_File.Open(name, kFileModeWrite, error))
      throw CStreamError(CStr("CFileStream::Open: Cannot open file ") + name);
    StreamSeek(m_File, m_File.GetSize() - kTrackTrailerSize - replacedSize);
  });
  return true;
}

void CTrackFileWrite::Commit() {
  if (m_Failure) std::rethrow_exception(m_Failure);
  uint32_t error = 0;
  if (m_File.IsOpen()) {
    if (!m_File.WriteBuf(m_Tail, m_TailSize, error))
      throw CStreamError("CNMEATrack::AppendRecord: Cannot write to file " + m_File.GetName());
  } else if (!m_Whole.Replace(error)) {
    throw CStreamError("CNMEATrack::SaveToFile: Cannot replace file " + m_Name);
  }
}

template <class Body>
void CTrackFileWrite::KeepingFileErrors(Body&& body) {
  try {
    body();
  } catch (const CStreamError&) {
    m_Failure = std::current_exception();
  }
}
