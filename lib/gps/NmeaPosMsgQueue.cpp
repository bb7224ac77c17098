#include "lib/gps/NmeaPosMsgQueue.h"

#include <memory>

#include "lib/geodesy/Angles.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Scene.h"
#include "lib/gps/NmeaMsgQueue.h"

namespace {

// Course and speed from p1 to p2 in the scene frame centred on p1.
void DeriveCourseAndSpeed(const SGeo3D& p1, const SGeo3D& p2, float seconds, float& course,
                          float& speed) {
  SGeodeticRef scene;
  GeodeticRefInitScene(scene, p1);
  SPoint3D v;
  GeoWGS84ToScene3(v, p2, scene);
  course = static_cast<float>(VectorAngleD(SPointD{v.x, v.y}));
  speed = static_cast<float>(Vector3Length(v) / seconds);
}

}  // namespace

CNMEAPosMsgQueue::CNMEAPosMsgQueue(float timeout) : timeout_(timeout) {}

SNMEAPosMsg* TD_STDCALL CNMEAPosMsgQueue::GetItem(int32_t index) {
  return index >= 0 && index < items_.GetCount() ? items_[index] : nullptr;
}

int32_t TD_STDCALL CNMEAPosMsgQueue::GetCount() { return items_.GetCount(); }

bool CNMEAPosMsgQueue::Update(uint32_t talker, uint32_t type, const SGeo3D& position, double time,
                              float& course, float& speed) {
  PurgeNMEAEntries(items_, timeout_, time);
  course = 0;
  speed = 0;
  SNMEAPosMsg* entry = FindNMEAEntry(items_, talker, type);
  bool derived = false;
  if (entry) {
    const float seconds = static_cast<float>((time - entry->Time) * 86400.0);
    derived = seconds > 0.01f;
    if (derived) DeriveCourseAndSpeed(entry->Position, position, seconds, course, speed);
  } else {
    auto added = std::make_unique<SNMEAPosMsg>(SNMEAPosMsg{time, position, talker, type});
    items_.Add(added.get());
    entry = added.release();
  }
  entry->Time = time;
  entry->Position = position;
  return derived;
}

void CNMEAPosMsgQueue::Clear() { items_.Clear(); }
