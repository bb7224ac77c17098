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
  // File errors throw CStreamError after the point has joined the list; the
  // file concerned is then written whole at the next point.
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
  void LoadFile(const CStr& fileName);
  void LoadFromStream(CStream& stream);
  // Writes the whole list to a new file that replaces the old one in one step.
  void SaveToFile(const CStr& fileName);
  void SaveToStream(CStream& stream);

  // Shared by every log of the library.
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
  // One file of the pair: its name, the size of its last record and whether
  // it must be written whole (after a failure, a load or a split).
  struct SFileState {
    uint32_t LastRecordSize = 0;
    bool Stale = false;
  };

  enum class ECheck { Passed, DroppedByTime, DroppedBySpeed };

  void StartTrack(const SFix& fix);
  ECheck Check(const SFix& fix, SNMEATrackPoint& point, float& speed, float& course) const;
  bool IsNewSegment(const SFix& fix, float speed, float course) const;
  void KeepLastAndAppend(SNMEATrackPoint point, float speed, float course);
  void ReplaceLast(const SNMEATrackPoint& point);
  bool StartsNewStretch(const SFix& fix);
  void StartStretch(const SFix& fix);
  void SetAnchor(const SNMEATrackPoint& point, float course, float speed);
  void SplitIfLong(double time);
  void RebaseDistances();
  CStr SplitFileName(double time) const;

  // File writing and loading (NMEATrackFiles.cpp). WriteFiles tries both
  // files and passes on the first failure, marking the file stale.
  void WriteFiles(bool replace);
  void WriteFile(bool companion, bool replace);
  void WriteWhole(bool companion);
  void AppendRecord(bool companion, bool replace);
  // Writes the first count points to a new file that replaces name in one
  // step; the size of its last record.
  uint32_t SaveWhole(const CStr& name, const CStr& trackName, size_t count, bool companion) const;
  SFileState& State(bool companion) { return companion ? m_Companion : m_Main; }
  void SetAnchorFromLoad();
  // The three names that CompanionFileName sets.
  struct SNames {
    CStr File;
    CStr Companion;
    CStr Track;
  };
  static SNames NamesOf(const CStr& fileName);
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
