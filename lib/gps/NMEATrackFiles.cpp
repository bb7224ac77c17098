// CNMEATrack: its files. The first point, a split, a file that failed and a
// replace by a shorter record are written whole through a temporary file;
// every other point appends or replaces the last record in place.
#include "lib/foundation/files/FileName.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/gps/NMEATrack.h"

namespace {

constexpr int32_t kLoadBufferSize = 32768;

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

CStr CNMEATrack::BaseName(const CStr& fileName) {
  const int start = FolderEnd(fileName);
  return ChangeFileExt(fileName.Mid(start, fileName.GetLength()), "");
}

// A record replaces the last one only where the file holds one after its
// header.
void CNMEATrack::PrepareFile(CTrackFileWrite& write, bool companion, bool replace) const {
  const SFileState& state = companion ? m_Companion : m_Main;
  const CStr& name = companion ? m_CompanionName : m_FileName;
  const uint32_t replacedSize = replace ? state.LastRecordSize : 0;
  if (!state.Stale && m_Points.size() > 1 &&
      write.PrepareRecord(name, m_Points.data(), m_Points.size(), companion, replacedSize))
    return;
  const CStr trackName = companion ? BaseName(name) : m_TrackName;
  write.PrepareWhole(name, trackName, m_Points.data(), m_Points.size(), companion);
}

void CNMEATrack::CommitFile(CTrackFileWrite& write, bool companion) {
  SFileState& state = State(companion);
  try {
    write.Commit();
  } catch (...) {
    state.Stale = true;
    throw;
  }
  state = {write.GetLastRecordSize(), false};
}

void CNMEATrack::SaveToFile(const CStr& fileName) {
  CTrackFileWrite write;
  write.PrepareWhole(fileName, m_TrackName, m_Points.data(), m_Points.size(), false);
  write.Commit();
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
  m_Main.Stale = true;
}

CNMEATrack::SLoaded CNMEATrack::ReadLoaded(CStream& stream) {
  SLoaded loaded;
  GetTrackInfo(stream, loaded.Info);
  loaded.LastRecordSize = ReadTrackPoints(stream, loaded.Info, loaded.Points);
  return loaded;
}

// Recording may go on into a loaded track: the track file is appended to when
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
