// CNMEATrack: its files. The first point, a split, a file that failed and a
// replace by a shorter record are written whole through a temporary file;
// every other point appends or replaces the last record in place.
#include <exception>

#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileName.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/foundation/streams/StreamFunctions.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Scene.h"
#include "lib/gps/NMEATrack.h"

namespace {

constexpr int64_t kTrailerSize = 16;
constexpr int32_t kLoadBufferSize = 32768;
constexpr int32_t kSaveBufferSize = 32768;

// The name without folder and extension.
CStr BaseName(const CStr& fileName) {
  const int start = CNMEATrack::FolderEnd(fileName);
  return ChangeFileExt(fileName.Mid(start, fileName.GetLength()), "");
}

}  // namespace

int CNMEATrack::FolderEnd(const CStr& fileName) {
  int end = fileName.GetLength();
  while (end > 0) {
    const char c = fileName.c_str()[end - 1];
    if (c == '\\' || c == ':' || c == kPathDelimiter) break;
    --end;
  }
  return end;
}

void CNMEATrack::CompanionFileName(const CStr& fileName) {
  SNames names = NamesOf(fileName);
  m_FileName = std::move(names.File);
  m_CompanionName = std::move(names.Companion);
  m_TrackName = std::move(names.Track);
}

CNMEATrack::SNames CNMEATrack::NamesOf(const CStr& fileName) {
  return SNames{fileName, fileName.Left(fileName.GetLength() - 4) + "_2.trk", BaseName(fileName)};
}

void CNMEATrack::WriteFiles(bool replace) {
  std::exception_ptr failure;
  for (bool companion : {false, true}) {
    try {
      WriteFile(companion, replace);
    } catch (...) {
      State(companion).Stale = true;
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void CNMEATrack::WriteFile(bool companion, bool replace) {
  if (State(companion).Stale)
    WriteWhole(companion);
  else
    AppendRecord(companion, replace);
}

void CNMEATrack::WriteWhole(bool companion) {
  SFileState& state = State(companion);
  state.LastRecordSize =
      companion ? SaveWhole(m_CompanionName, BaseName(m_CompanionName), m_Points.size(), true)
                : SaveWhole(m_FileName, m_TrackName, m_Points.size(), false);
  state.Stale = false;
}

// The last point as a new record after the one before it, or in place of the
// last record; then the trailer, and the file ends there. Record and trailer
// go out in one write that ends at or past the old end, so that the file on
// disk reads whole before it and after it. A shorter record in place of the
// last one would leave old bytes to cut off in a second step: that file is
// written whole instead.
void CNMEATrack::AppendRecord(bool companion, bool replace) {
  SFileState& state = State(companion);
  replace = replace && state.LastRecordSize > 0;
  const SNMEATrackPoint& base = m_Points[m_Points.size() - 2];
  const SNMEATrackPoint& point = m_Points.back();
  uint8_t bytes[kTrackCompanionRecordSize + kTrailerSize];
  CPointerStream tail(bytes, sizeof bytes);
  const uint32_t size =
      companion ? WriteTrackAbsoluteRecord(tail, point)
                : WriteTrackRecord(tail, base, TrackTicks(point.Time - base.Time), point);
  if (replace && size < state.LastRecordSize) return WriteWhole(companion);
  WriteTrackTrailer(tail, point.Distance, point.Time, static_cast<uint32_t>(m_Points.size()));
  CFileStream file(companion ? m_CompanionName : m_FileName, kFileModeWrite);
  StreamSeek(file, file.GetSize() - kTrailerSize - (replace ? state.LastRecordSize : 0));
  uint32_t error = 0;
  if (!file.WriteBuf(bytes, static_cast<int32_t>(tail.GetPosition()), error))
    throw CStreamError("CNMEATrack::AppendRecord: Cannot write to file " + file.GetName());
  state.LastRecordSize = size;
}

uint32_t CNMEATrack::SaveWhole(const CStr& name, const CStr& trackName, size_t count,
                               bool companion) const {
  CAtomicFileWriter writer;
  uint32_t error = 0;
  if (!writer.Open(name, kSaveBufferSize, error))
    throw CStreamError("CNMEATrack::SaveToFile: Cannot create file " + name);
  const uint32_t lastSize =
      WriteTrack(writer.Stream(), trackName, m_Points.data(), count, companion);
  if (!writer.Commit(error))
    throw CStreamError("CNMEATrack::SaveToFile: Cannot write file " + name);
  return lastSize;
}

void CNMEATrack::SaveToFile(const CStr& fileName) {
  SaveWhole(fileName, m_TrackName, m_Points.size(), false);
}

void CNMEATrack::SaveToStream(CStream& stream) {
  WriteTrack(stream, m_TrackName, m_Points.data(), m_Points.size(), false);
}

void CNMEATrack::LoadFile(const CStr& fileName) {
  CBufferedFileStream stream(fileName, kFileModeRead | kFileShareRead, kLoadBufferSize);
  SNames names = NamesOf(fileName);
  SLoaded loaded = ReadLoaded(stream);
  if (loaded.Info.Name.GetLength() == 0) loaded.Info.Name = names.Track;
  m_FileName = std::move(names.File);
  m_CompanionName = std::move(names.Companion);
  TakeLoaded(loaded);
}

void CNMEATrack::LoadFromStream(CStream& stream) {
  SLoaded loaded = ReadLoaded(stream);
  TakeLoaded(loaded);
}

CNMEATrack::SLoaded CNMEATrack::ReadLoaded(CStream& stream) {
  SLoaded loaded;
  GetTrackInfo(stream, loaded.Info);
  loaded.LastRecordSize = ReadTrackPoints(stream, loaded.Info, loaded.Points);
  return loaded;
}

// Recording may go on into a loaded track: the main file is appended to when
// it was read whole in the current version, the companion is written anew.
void CNMEATrack::TakeLoaded(SLoaded& loaded) {
  m_Points.swap(loaded.Points);
  m_TrackName = std::move(loaded.Info.Name);
  m_Main.LastRecordSize = loaded.LastRecordSize;
  m_Main.Stale = loaded.Info.Version != kTrackVersion || m_Points.size() != loaded.Info.Count;
  m_Companion.LastRecordSize = m_Points.size() > 1 ? kTrackCompanionRecordSize : 0;
  m_Companion.Stale = true;
  m_Rejecting = false;
  SetAnchorFromLoad();
}

// The point before the last, with the course and speed of the last step.
void CNMEATrack::SetAnchorFromLoad() {
  if (m_Points.size() < 2) {
    SetAnchor(SNMEATrackPoint{0.0, 0, 0, 0}, 0.0f, 0.0f);
    return;
  }
  float speed = 0, course = 0;
  const size_t last = m_Points.size() - 1;
  GetCourseSpeedAt(m_Points[last].Time, speed, course);
  SetAnchor(m_Points[last - 1], course, speed);
}
