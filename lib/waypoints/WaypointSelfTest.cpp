#include "lib/waypoints/WaypointSelfTest.h"

#include <cstring>
#include <memory>
#include <random>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/app/Version.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointLink.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

td::TObjectPtr<CWaypointManager> NewManager(CBmp32* icon, CBmp32* overlay) {
  SWaypointManagerArgs args{
      0, icon, overlay, 1, 16.0f, 16.0f, "Tahoma", {10, 1, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
  return td::TObjectPtr<CWaypointManager>(new CWaypointManager(args));
}

struct SWaypointSpec {
  const char* name;
  int32_t placement;
  SGeo3D position;
  int type;  // 0 default, 1 T1, 2 T2
  float float1, float2, radius;
  uint32_t intAttribute;
};

const char kDigits[] =
    "0000000000111111111122222222223333333333444444444455555555556666666666777777777788888888889999"
    "999999";

const SWaypointSpec kWaypoints[4] = {
    {"", 5, {0.0, 0.0, 0.0}, 0, 0.0f, 0.0f, 0.0f, 0},
    {kDigits,
     4,
     {-0.8901179185171081, -0.10471975511965978, 180000.0},
     1,
     54.67f,
     25.0f,
     37.5f,
     25000},
    {"Wpt 01", 0, {1.0, 2.0, 3.0}, 1, 343567.5625f, 3.0f, 4.0f, 5000000},
    {"Waaipunt", 7, {0.7853981633974483, -2.1467549799530254, 0.0}, 2, 0.003f, 123.0f, 123.0f, 123},
};

CStr RandomText(std::mt19937& random, int32_t length) {
  std::string text;
  for (int32_t i = 0; i < length; ++i) text += static_cast<char>(' ' + random() % 64);
  return CStr(text.c_str());
}

bool AddLinks(CWaypoint* waypoint, std::mt19937& random, uint32_t* error) {
  for (int i = 0; i < 12; ++i) {
    CStr text1 = RandomText(random, 56), text2 = RandomText(random, 259);
    waypoint->AddLink(&text1, &text2, error);
    if (*error) return false;
  }
  return true;
}

bool Name(CWaypointManagerItem* item, const char* name, uint32_t* error) {
  CStr text(name);
  item->SetName(&text, error);
  return *error == kErrNone;
}

// Steps 3 to 8: the reference database in manager.
bool BuildReference(CWaypointManager* manager, CBmp32* icon, CBmp32* overlay,
                    CWaypointDatabase*& db, uint32_t* error) {
  CStr name("Test");
  db = manager->CreateDatabase(&name, MakeVersion(1, 2, 3, 4), 1);
  CWaypointType* types[3] = {
      nullptr, db->AddType(icon, overlay, 1, 18.0f, 24.0f, 11, 7, 0xFF807060u, 9, 0, 0xFF123456u),
      db->AddType(icon, overlay, 0, 0.0f, 0.0f, 13, 4, 0xFF000000u, 9, 2, 0xFF000000u)};
  const char* groupNames[3] = {"Empty group", "", "Group"};
  CWaypointGroup* groups[3];
  for (int i = 0; i < 3; ++i)
    if (!(groups[i] = db->AddGroup()) || !Name(groups[i], groupNames[i], error)) return false;
  CWaypoint* w[4];
  for (int i = 0; i < 4; ++i) {
    const SWaypointSpec& spec = kWaypoints[i];
    w[i] = db->AddWaypoint(&spec.position, types[spec.type]);
    if (!w[i]) return false;
    w[i]->SetFloatAttribute1(spec.float1, error);
    if (*error || !Name(w[i], spec.name, error)) return false;
    w[i]->SetLabelPlacement(spec.placement, error);
    if (!*error) w[i]->SetFloatAttribute2(spec.float2, error);
    if (!*error) w[i]->SetRadius(spec.radius, error);
    if (!*error) w[i]->SetIntAttribute(spec.intAttribute, error);
    if (*error) return false;
  }
  std::mt19937 random(20000101u);
  groups[1]->AddWaypoint(w[1], error);
  if (!*error) groups[1]->AddWaypoint(w[2], error);
  if (*error || !AddLinks(w[3], random, error)) return false;
  groups[1]->AddWaypoint(w[3], error);
  if (!*error) groups[2]->AddWaypoint(w[3], error);
  if (*error || !AddLinks(w[3], random, error)) return false;
  w[3]->SetChosenLink1(w[3]->GetLink(5), error);
  if (!*error) w[3]->SetChosenLink2(w[3]->GetLink(6), error);
  if (*error) return false;

  CWaypointRoute* route66 = db->AddRoute();
  if (!route66 || !Name(route66, "Route 66", error)) return false;
  SGeo3D a{1.0, 2.0, 3.0}, b{2.0, 1.0, 33.0}, origin{0.0, 0.0, 0.0};
  route66->AddWaypoint(w[3], 66.0f, error);
  if (!*error) route66->AddPoint(&a, 67.0f, error);
  if (!*error) route66->AddPoint(&b, 68.0f, error);
  if (!*error) route66->AddWaypoint(w[3], 26.0f, error);
  if (*error) return false;
  CWaypointRoute* empty = db->AddRoute();
  CWaypointRoute* route = db->AddRoute();
  if (!empty || !route || !Name(empty, "Empty route", error) || !Name(route, "Route", error))
    return false;
  route->AddPoint(&origin, 0.0f, error);
  return *error == kErrNone;
}

bool SameText(const CStr* a, const CStr* b) { return std::strcmp(a->c_str(), b->c_str()) == 0; }
bool SameId(CWaypointManagerItem* a, CWaypointManagerItem* b) {
  if (!a || !b) return a == b;
  return std::memcmp(a->GetId(), b->GetId(), 16) == 0;
}
bool SamePosition(const SGeo3D& a, const SGeo3D& b) {
  return a.lat == b.lat && a.lon == b.lon && a.h == b.h;
}

bool SameBitmap(CBmp32* a, CBmp32* b) {
  if (!a || !b) return a == b;
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  for (int32_t y = 0; y < a->Height(); ++y)
    if (std::memcmp(a->Row(y), b->Row(y), static_cast<size_t>(a->Width()) * 4) != 0) return false;
  return true;
}

bool SameBase(CWaypointManagerItem* a, CWaypointManagerItem* b) {
  return SameId(a, b) && SameText(&a->GetOwnName(), &b->GetOwnName()) &&
         a->GetCreatedSeconds() == b->GetCreatedSeconds() &&
         a->GetModifiedSeconds() == b->GetModifiedSeconds();
}

bool SameType(CWaypointType* a, CWaypointType* b) {
  return SameBase(a, b) && a->GetShowOverlay() == b->GetShowOverlay() &&
         a->GetDayColor() == b->GetDayColor() && a->GetFontSize() == b->GetFontSize() &&
         a->GetFontStyle() == b->GetFontStyle() &&
         SameBitmap(a->GetPlainIcon(), b->GetPlainIcon()) &&
         a->GetIconOriginX() == b->GetIconOriginX() && a->GetIconOriginY() == b->GetIconOriginY() &&
         SameBitmap(a->GetOverlay(), b->GetOverlay()) &&
         a->GetCommentDayColor() == b->GetCommentDayColor() &&
         a->GetCommentFontSize() == b->GetCommentFontSize() &&
         a->GetCommentFontStyle() == b->GetCommentFontStyle();
}

bool SameGroup(CWaypointGroup* a, CWaypointGroup* b) {
  if (!SameBase(a, b) || a->GetCount() != b->GetCount()) return false;
  for (int32_t i = a->GetCount() - 1; i >= 0; --i)
    if (!SameId(a->GetWaypoint(i), b->GetWaypoint(i))) return false;
  return true;
}

bool SameLink(CWaypointLink* a, CWaypointLink* b) {
  if (!a || !b) return a == b;
  return SameText(a->GetText1(), b->GetText1()) && SameText(a->GetText2(), b->GetText2());
}

bool SameWaypoint(CWaypoint* a, CWaypoint* b) {
  bool same = SameBase(a, b) && a->GetFloatAttribute1() == b->GetFloatAttribute1() &&
              a->GetLabelPlacement() == b->GetLabelPlacement() &&
              SamePosition(*a->GetPosition(), *b->GetPosition()) &&
              a->GetFloatAttribute2() == b->GetFloatAttribute2() &&
              a->GetRadius() == b->GetRadius() && a->GetIntAttribute() == b->GetIntAttribute() &&
              SameText(a->GetComment(), b->GetComment()) &&
              SameText(a->GetDescription(), b->GetDescription()) &&
              SameId(a->GetType(), b->GetType()) && a->GetLinkCount() == b->GetLinkCount() &&
              SameLink(a->GetChosenLink1(), b->GetChosenLink1()) &&
              SameLink(a->GetChosenLink2(), b->GetChosenLink2());
  for (int32_t i = 0; same && i < a->GetLinkCount(); ++i)
    same = SameLink(a->GetLink(i), b->GetLink(i));
  return same;
}

bool SameRoute(CWaypointRoute* a, CWaypointRoute* b) {
  if (!SameBase(a, b) || a->GetPointCount() != b->GetPointCount()) return false;
  for (int32_t i = a->GetPointCount() - 1; i >= 0; --i) {
    CRoutePoint* p = a->GetPoint(i);
    CRoutePoint* q = b->GetPoint(i);
    if (p->GetDistance() != q->GetDistance() ||
        !SameText(p->GetDisplayName(), q->GetDisplayName()) ||
        !SamePosition(*p->GetPosition(), *q->GetPosition()) || p->GetRadius() != q->GetRadius() ||
        !SameId(p->GetWaypoint(), q->GetWaypoint()))
      return false;
  }
  return true;
}

// Count first, then item by item from the last index to the first.
template <class Count, class Get, class Same>
bool SameKind(CWaypointDatabase* a, CWaypointDatabase* b, Count count, Get get, Same same) {
  if ((a->*count)() != (b->*count)()) return false;
  for (int32_t i = (a->*count)() - 1; i >= 0; --i)
    if (!same((a->*get)(i), (b->*get)(i))) return false;
  return true;
}

// The database items only: the built-in items carry each manager's own time.
bool SameDatabase(CWaypointDatabase* a, CWaypointDatabase* b) {
  return SameKind(a, b, &CWaypointDatabase::GetTypeCount, &CWaypointDatabase::GetType, SameType) &&
         SameKind(a, b, &CWaypointDatabase::GetGroupCount, &CWaypointDatabase::GetGroup,
                  SameGroup) &&
         SameKind(a, b, &CWaypointDatabase::GetWaypointCount, &CWaypointDatabase::GetWaypoint,
                  SameWaypoint) &&
         SameKind(a, b, &CWaypointDatabase::GetRouteCount, &CWaypointDatabase::GetRoute, SameRoute);
}

bool RunSelfTest(const CStr& fileName, uint32_t* error) {
  *error = kErrNone;
  td::TObjectPtr<CBmp32> icon(new CBmp32(32, 32, false)), overlay(new CBmp32(8, 8, false));
  icon->Fill(0);
  overlay->Fill(0);
  td::TObjectPtr<CWaypointManager> a = NewManager(icon.get(), overlay.get());
  CWaypointDatabase* reference = nullptr;
  if (!BuildReference(a.get(), icon.get(), overlay.get(), reference, error)) {
    if (*error == kErrNone) *error = kErrUnknown;
    return false;
  }
  reference->Save(&fileName, error);
  if (*error) return false;
  td::TObjectPtr<CWaypointManager> b = NewManager(icon.get(), overlay.get());
  b->BeginLoad(1, nullptr);
  CWaypointDatabase* reread = b->OpenDatabase(&fileName, error);
  b->EndLoad();
  if (!reread) return false;
  if (!SameDatabase(reference, reread)) return false;
  return FileDelete(fileName, *error);
}

}  // namespace

namespace td {

bool ValidateWaypointDB(const CStr& fileName, uint32_t* error) {
  try {
    return RunSelfTest(fileName, error);
  } catch (...) {
    *error = kErrUnknown;
    return false;
  }
}

}  // namespace td
