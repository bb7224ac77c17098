// CNMEATrack: the track log. It keeps a thinned list of the positions a
// vessel passed and, when asked to at construction, writes the track file and
// its companion as it goes, so that both are complete after every point. A
// track past 12,499 points is split: the file keeps 10,000 and recording goes
// on in a new file. It also loads track files and answers questions about
// time, course and speed along them.
//
// One thread uses a log. The last accepted fix is shared by every log of the
// library and is not guarded.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/gps/TrackFile.h"
#include "lib/gps/TrackFileWrite.h"

class CGPSClock;

// A stretch of a track: only the last four bytes are read, the indices of its
// first and last point.
struct SNMEATrackSegment {
  uint8_t Reserved[16];
  uint16_t First;
  uint16_t Last;
};
static_assert(sizeof(SNMEATrackSegment) == 20);

// The last fix that passed the checks of any log: radians and a day number.
struct SNMEATrackLastFix {
  double Lat = 0;
  double Lon = 0;
  double Time = 0;
};

class CNMEATrack {
 public:
  // Tracks split at this many points and keep the first kSplitKeep.
  static constexpr size_t kSplitAt = 12500;
  static constexpr size_t kSplitKeep = 10000;

  // owner: its tag, a signed number of minutes, shifts the time that names
  // the new file at a split; may be null (no shift). It must outlive the log.
  CNMEATrack(CGPSClock* owner, bool writeToFile);
  CNMEATrack(const CNMEATrack&) = delete;
  CNMEATrack& operator=(const CNMEATrack&) = delete;

  // The track file name, the companion name (the name less its last four
  // characters + "_2.trk") and the track name (no folder, no extension).
  void CompanionFileName(const CStr& fileName);

  // Takes one fix: time as a day number, latitude and longitude in radians,
  // course in radians, speed in m/s. Implausible fixes are dropped silently.
  // Running out of memory throws with the log and its files as they were.
  // File errors throw CStreamError after the point has joined the list; the
  // file concerned is then written whole at the next point, and a split that
  // could not write the old track's files and the new track file is made
  // again at the next point kept, so that no point is lost.
  void AddPoint(double time, double lat, double lon, float course, float speed);

  const CStr& GetFileName() const { return m_FileName; }
  const CStr& GetCompanionName() const { return m_CompanionName; }
  const CStr& GetTrackName() const { return m_TrackName; }
  int32_t GetCount() const { return static_cast<int32_t>(m_Points.size()); }
  const std::vector<SNMEATrackPoint>& GetPoints() const { return m_Points; }

  // The last point at or before time: 0 when the first is at or after it,
  // the last index when the last is at or before it. Needs a point.
  int32_t FindPointByTime(double time) const;
  // The segment whose points' times enclose time, or -1 (also when a segment
  // names a point the track does not have).
  int32_t FindSegmentByTime(double time, const SNMEATrackSegment* segments, int32_t count) const;
  // Whole seconds from the first to the last point; 0 below two points.
  int64_t GetDuration() const;
  // Speed (m/s) and course (radians) of the step around time; 0 and 0 below
  // two points or over a step of no time.
  void GetCourseSpeedAt(double time, float& speed, float& course) const;

  // Loading: the list becomes the file's points (a damaged end is dropped
  // quietly); header errors throw CNMEATrackError or CStreamError, and any
  // failure (memory too) leaves the log as it was.
  // Recording may go on into a loaded track: into the file that LoadFile
  // read, and into the files named before for LoadFromStream, which are
  // then written whole at the next point.
  void LoadFile(const CStr& fileName);
  void LoadFromStream(CStream& stream);
  // Writes the whole list to a new file that replaces the old one in one step.
  void SaveToFile(const CStr& fileName);
  void SaveToStream(CStream& stream);

  // Shared by every log of the library; a failed add leaves it as it was.
  static SNMEATrackLastFix& SharedLastFix();
  // Length of the folder part of a file name, which ends at '\', ':' or the
  // platform's own delimiter.
  static int FolderEnd(const CStr& fileName);

 private:
  struct SFix {
    double Time;
    SGeo2D Position;
    float Course;
    float Speed;
    int32_t North;
    int32_t East;
  };
  // One file of the pair: the size of its last record and whether it must
  // be written whole (after a failure or a load).
  struct SFileState {
    uint32_t LastRecordSize = 0;
    bool Stale = false;
  };

  enum class ECheck { Passed, DroppedByTime, DroppedBySpeed };

  // Where an add leaves the anchor: a point, the course and speed from it,
  // and whether it is the last point of the list.
  struct SAnchorMove {
    SNMEATrackPoint Point;
    float Course;
    float Speed;
    bool IsLast;
  };
  // The three names that CompanionFileName sets.
  struct SNames {
    CStr File;
    CStr Companion;
    CStr Track;
  };
  // The track that recording goes on with after a split, made aside: its
  // names, its points (distances from its first point) and its files.
  struct SSplit {
    bool Made = false;
    SNames Names;
    std::vector<SNMEATrackPoint> Points;
    int32_t Base = 0;
    CTrackFileWrite Main;
    CTrackFileWrite Companion;
  };
  // Everything an add writes, made ready before the log changes.
  struct SAddWrites {
    CTrackFileWrite Main;
    CTrackFileWrite Companion;
    SSplit Split;
  };

  void StartTrack(const SFix& fix);
  ECheck Check(const SFix& fix, SNMEATrackPoint& point, float& speed, float& course) const;
  bool IsNewSegment(const SFix& fix, float speed, float course) const;
  void KeepLastAndAppend(SNMEATrackPoint point, float speed, float course, const SFix& fix);
  bool StartsNewStretch(const SFix& fix);
  void StartStretch(const SFix& fix);
  void SetAnchor(const SNMEATrackPoint& point, float course, float speed);
  // Adds point to the list, or puts it in place of the last point: the room
  // in the list, the files' changes and a split are made ready first, so
  // that a failure to make them leaves the log and its files as they were.
  // Then the anchor moves (when anchor is given) and the fix becomes the
  // shared last fix, and the files change.
  void Record(const SNMEATrackPoint& point, bool replace, const SAnchorMove* anchor,
              const SFix& fix);
  void MakeRoom();
  void PrepareAdd(SAddWrites& writes, bool replace, double time) const;
  void PrepareSplit(SSplit& split, double time) const;
  CStr SplitFileName(double time) const;
  void CommitAdd(SAddWrites& writes);
  void CommitSplit(SAddWrites& writes);
  void TakeSplit(SSplit& split) noexcept;

  // File writing and loading (NMEATrackFiles.cpp).
  // The change that puts the list in one file of the pair: its last point
  // as a record, or the whole list when the file is stale or the record
  // would shrink.
  void PrepareFile(CTrackFileWrite& write, bool companion, bool replace) const;
  // Makes the change and keeps the file's state: stale when it failed.
  void CommitFile(CTrackFileWrite& write, bool companion);
  SFileState& State(bool companion) { return companion ? m_Companion : m_Main; }
  void SetAnchorFromLoad();
  static SNames NamesOf(const CStr& fileName);
  // The name without folder and extension.
  static CStr BaseName(const CStr& fileName);
  // A track read aside; taking it allocates nothing.
  struct SLoaded {
    STrackInfo Info;
    std::vector<SNMEATrackPoint> Points;
    uint32_t LastRecordSize = 0;
  };
  static SLoaded ReadLoaded(CStream& stream);
  void TakeLoaded(SLoaded& loaded);

  CGPSClock* m_Owner;
  int32_t m_AnchorNorth = 0;
  int32_t m_AnchorEast = 0;
  int32_t m_AnchorDistance = 0;
  double m_AnchorTime = 0;
  float m_AnchorCourse = 0;
  float m_AnchorSpeed = 0;
  SGeodeticRef m_AnchorScene;
  SFileState m_Main;
  SFileState m_Companion;
  std::vector<SNMEATrackPoint> m_Points;
  CStr m_FileName;
  CStr m_CompanionName;
  CStr m_TrackName;
  bool m_WriteToFile;
  // After the first point and a new stretch the anchor is the last point,
  // which must then be kept.
  bool m_AnchorIsLast = false;
  // Fixes dropped in a row by the speed rules: the first's time and the
  // last's position and time.
  bool m_Rejecting = false;
  double m_RejectStart = 0;
  SFix m_RejectLast = {};
};
