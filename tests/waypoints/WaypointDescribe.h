// Every value of a database as text, for tests that compare a database with
// what it was or should be.
#pragma once

#include <ostream>
#include <sstream>
#include <string>

#include "lib/bitmap/Bmp32.h"
#include "tests/waypoints/WaypointFixture.h"

inline void DescribeBitmap(std::ostream& out, CBmp32* bitmap) {
  if (!bitmap) return void(out << "none");
  out << bitmap->Width() << 'x' << bitmap->Height() << ':';
  for (int32_t y = 0; y < bitmap->Height(); ++y)
    for (int32_t x = 0; x < bitmap->Width(); ++x)
      out << std::hex << bitmap->Row(y)[x] << std::dec << ',';
}

// Creation and modification times, or a dash where times do not count.
inline std::string Times(CWaypointManagerItem* item, bool withTimes) {
  if (!withTimes) return "-";
  return std::to_string(item->GetCreatedSeconds()) + '|' +
         std::to_string(item->GetModifiedSeconds());
}

inline const char* NameOf(CWaypointManagerItem* item) {
  return item ? item->GetName()->c_str() : "-";
}

// Every value that a database file holds, identifiers aside (a version
// 1.0.0.0 file gets new ones at each opening), and the times unless left out.
inline std::string Describe(CWaypointDatabase* db, bool withTimes = true) {
  std::ostringstream out;
  out.precision(17);
  out << db->GetName().c_str() << '|' << db->GetContentVersion() << '|' << int{db->IsLocked()}
      << int{db->IsReadOnly()} << '\n';
  for (int32_t i = 0; i < db->GetTypeCount(); ++i) {
    CWaypointType* t = db->GetType(i);
    out << "type " << NameOf(t) << '|' << Times(t, withTimes) << '|' << t->GetIconOriginX() << ','
        << t->GetIconOriginY() << '|' << t->GetFontSize() << ',' << t->GetFontStyle() << ','
        << t->GetDayColor() << '|' << t->GetCommentFontSize() << ',' << t->GetCommentFontStyle()
        << ',' << t->GetCommentDayColor() << '|' << int{t->GetShowOverlay()} << '|';
    DescribeBitmap(out, t->GetPlainIcon());
    out << '|';
    DescribeBitmap(out, t->GetOverlay());
    out << '\n';
  }
  for (int32_t i = 0; i < db->GetWaypointCount(); ++i) {
    CWaypoint* w = db->GetWaypoint(i);
    const SGeo3D& p = *w->GetPosition();
    out << "waypoint " << NameOf(w) << '|' << Times(w, withTimes) << '|' << p.lat << ',' << p.lon
        << ',' << p.h << '|' << w->GetComment()->c_str() << '|' << w->GetDescription()->c_str()
        << '|' << w->GetLabelPlacement() << '|' << w->GetFloatAttribute1() << ','
        << w->GetFloatAttribute2() << ',' << w->GetRadius() << ',' << w->GetIntAttribute() << '|'
        << NameOf(w->GetType()) << '|';
    for (int32_t k = 0; k < w->GetLinkCount(); ++k)
      out << w->GetLink(k)->GetText1()->c_str() << '=' << w->GetLink(k)->GetText2()->c_str() << ';';
    for (CWaypointLink* chosen : {w->GetChosenLink1(), w->GetChosenLink2()})
      for (int32_t k = 0; k < w->GetLinkCount(); ++k)
        if (w->GetLink(k) == chosen) out << '@' << k;
    out << '\n';
  }
  for (int32_t i = 0; i < db->GetGroupCount(); ++i) {
    CWaypointGroup* g = db->GetGroup(i);
    out << "group " << NameOf(g) << '|' << Times(g, withTimes) << '|';
    for (int32_t k = 0; k < g->GetCount(); ++k) out << NameOf(g->GetWaypoint(k)) << ';';
    out << '\n';
  }
  for (int32_t i = 0; i < db->GetRouteCount(); ++i) {
    CWaypointRoute* r = db->GetRoute(i);
    out << "route " << NameOf(r) << '|' << Times(r, withTimes) << '|';
    for (int32_t k = 0; k < r->GetPointCount(); ++k) {
      CRoutePoint* point = r->GetPoint(k);
      const SGeo3D& p = *point->GetPosition();
      out << point->GetOwnName().c_str() << ':' << p.lat << ',' << p.lon << ',' << p.h << ','
          << point->GetRadius() << ',' << point->GetDistance() << ','
          << NameOf(point->GetWaypoint()) << ';';
    }
    out << '\n';
  }
  return out.str();
}
