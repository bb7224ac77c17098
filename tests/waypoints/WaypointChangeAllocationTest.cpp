// Running out of memory at every allocation of each operation that changes
// the waypoint model: a run that reports failure leaves the database, the
// manager's lists and the name numbering as they were; one that reports
// success did everything; either way the host can go on.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lib/waypoints/GpsNavigator.h"
#include "lib/waypoints/WaypointList.h"
#include "tests/AllocationSeam.h"
#include "tests/waypoints/WaypointDescribe.h"
#include "tests/waypoints/WaypointFileBytes.h"
#include "tests/waypoints/WaypointFileSupport.h"

namespace {

// The lines of a description and the members of each list in it sorted: two
// models built alike differ in their identifiers, hence in their orders.
std::string Canonical(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const size_t bar = line.rfind('|');
    const size_t colon = line.find(':');
    const size_t start = bar != std::string::npos     ? bar + 1
                         : colon != std::string::npos ? colon + 1
                                                      : line.size();
    std::vector<std::string> members;
    std::istringstream list(line.substr(start));
    for (std::string member; std::getline(list, member, ';');) members.push_back(member);
    std::sort(members.begin(), members.end());
    line.resize(start);
    for (const std::string& member : members) line += member + ';';
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  std::string out;
  for (const std::string& line : lines) out += line + '\n';
  return out;
}

constexpr EItemKind kKinds[] = {EItemKind::Waypoint, EItemKind::Route, EItemKind::Group,
                                EItemKind::Type};

// A small model: three waypoints (the first with a type of its own, links and
// a comment), a group of two, a route over two of them and a point of its
// own, a second empty route, a second type, a route of no database and a
// navigator that follows the first route. Its host value 0 is no clock: the navigator's times are
// 0.
struct SModel {
  SModel() {
    SetLanguage(kLangEnglish);
    SWaypointManagerArgs args{
        0, nullptr, nullptr, 1, 16.0f, 16.0f, "Tahoma", {10, 1, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
    manager = new CWaypointManager(args);
    CStr name("Walk");
    db = manager->CreateDatabase(&name, 7, 0);
    BmpPtr icon = Filled(4, 4, 0xFF102030u), overlay = Filled(2, 2, 0x80FFFFFFu);
    type = db->AddType(icon.get(), overlay.get(), 1, 1.5f, 1.5f, 10, 1, 0xFF0000FFu, 8, 0,
                       0xFF00FF00u);
    type2 = db->AddType(nullptr, nullptr, 0, 16.0f, 16.0f, 12, 2, 0xFF123456u, 9, 1, 0xFF654321u);
    for (int i = 0; i < 3; ++i) {
      SGeo3D p = Deg(52.0 + 0.01 * i, 4.0 + 0.01 * i);
      w[i] = db->AddWaypoint(&p, i == 0 ? type : nullptr);
    }
    CStr comment("comment"), text1("a"), text2("b");
    w[0]->SetComment(&comment, &error);
    w[0]->AddLink(&text1, &text2, &error);
    w[0]->AddLink(&text2, &text1, &error);
    w[0]->SetChosenLink2(w[0]->GetLink(1), &error);
    group = db->AddGroup();
    group->AddWaypoint(w[0], &error);
    group->AddWaypoint(w[1], &error);
    route = db->AddRoute();
    route2 = db->AddRoute();
    route->AddWaypoint(w[0], 10.0f, &error);
    SGeo3D own = Deg(52.5, 4.5);
    route->AddPoint(&own, 20.0f, &error);
    route->AddWaypoint(w[1], 30.0f, &error);
    freeRoute = manager->CreateRoute();
    freeRoute->AddPoint(&own, 5.0f, &error);
    navigator = std::make_unique<CGPSNavigator>(manager, CStr("."));
    SGeo3D here = Deg(52.1, 4.1);
    navigator->SetValues(&here, true, true, 1.0f, true, true, 0.0f, true, true, &error);
    navigator->SetRoute(route);
    error = 0xDEAD;
  }
  ~SModel() {
    if (hostList) hostList->SetOwnsItems(0);  // GoOn has deleted what it held
    td::Free(hostList);
    navigator.reset();
    td::Free(manager);
    td::Free(other);
    td::Free(marked);
  }

  // A type of another manager, whose fonts have another face.
  void MakeOtherType() {
    SWaypointManagerArgs args{
        0, nullptr, nullptr, 1, 16.0f, 16.0f, "Arial", {11, 2, 0xFF0000FFu, 9, 1, 0xFF00FF00u}, 5};
    other = new CWaypointManager(args);
    const CStr name("Other");
    BmpPtr icon = Filled(4, 4, 0xFF405060u);
    otherType = other->CreateDatabase(&name, 1, 0)
                    ->AddType(icon.get(), nullptr, 0, 1, 1, 14, 3, 0xFF111111u, 7, 2, 0xFF222222u);
  }

  // A second database, read from a file, with items of every kind.
  CWaypointDatabase* OpenSecond() {
    const TBytes bytes = Bytes(kHandMade);
    CConstPointerStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    second = manager->OpenDatabaseFrom(stream, &error);
    manager->EndLoad();
    error = 0xDEAD;
    return second;
  }

  // The second database tied to the first: a group of each holds a waypoint
  // of the other, a route of the first runs over a waypoint of the second, a
  // waypoint of the first has a type of the second, and the navigator follows
  // a route of the second.
  void TieSecond() {
    OpenSecond();
    CWaypoint* theirs = second->GetWaypoint(0);
    auto expectDone = [&] { EXPECT_EQ(error, 0u); };
    group->AddWaypoint(theirs, &error);
    expectDone();
    second->GetGroup(0)->AddWaypoint(w[2], &error);
    expectDone();
    EXPECT_NE(route->AddWaypoint(theirs, 1.0f, &error), nullptr);
    w[1]->SetType(second->GetType(0), &error);
    expectDone();
    navigator->SetRoute(second->GetRoute(0));
    EXPECT_EQ(navigator->GetRoute(), second->GetRoute(0));
    error = 0xDEAD;
  }

  // A host's list of the first and the third waypoint, with user flags set
  // on the first two that marking them with mask 6 keeps, sets and clears.
  void MakeMarkedList() {
    w[0]->SetUserFlags(1, 0x0001);
    w[1]->SetUserFlags(1, 0x000C);
    marked = new CWaypointList();
    marked->Add(w[0]);
    marked->Add(w[2]);
  }

  // A host's list of the three waypoints that fills its room, owning them
  // when asked.
  void MakeHostList(bool owning) {
    hostList = new CWaypointList(owning);
    for (CWaypoint* waypoint : w) hostList->Add(waypoint);
    hostList->Add(w[0]);
    EXPECT_EQ(hostList->GetCount(), hostList->GetCapacity());
  }

  // Subscribers of the route events up to the end of their list's room, the
  // navigator's among them when it follows a route.
  void FillSubscribers() {
    for (int i = navigator->GetRoute() ? 1 : 0; i < 4; ++i)
      manager->AddRouteEventHandler(&IgnoreRouteEvent, this);
  }
  static void TD_STDCALL IgnoreRouteEvent(void*, CWaypointRoute*, int32_t, CRoutePoint*) {}

  // Everything a change may touch, as text: the database's values (with the
  // times when asked), whether it is modified, the manager's lists and
  // built-in group, each kind's next default name as numbered and as counted
  // afresh, the routes' next point names and what the navigator follows.
  std::string State(bool withTimes = true) {
    std::string state = Describe(db, withTimes);
    state += "modified " + std::to_string(db->IsModified()) + "\nmanager";
    for (int32_t count : Counts(manager)) state += ' ' + std::to_string(count);
    state += " own routes " + std::to_string(manager->GetOwnRouteCount()) + " subscribers " +
             std::to_string(manager->GetRouteSubscriberCount());
    CWaypointGroup* ungrouped = manager->GetDefaultGroup();
    state += " ungrouped " + std::to_string(ungrouped->GetCount()) + ':';
    for (int32_t i = 0; i < ungrouped->GetCount(); ++i)
      state += NameOf(ungrouped->GetWaypoint(i)) + std::string(";");
    for (EItemKind kind : kKinds)
      state += "\nnext " + std::string(db->NumbersOf(kind).MakeName().c_str());
    state += "\ncounted " + std::string(MakeUniqueName(db->Waypoints(), "Waypoint ").c_str()) +
             ' ' + MakeUniqueName(db->Routes(), "Route ").c_str() + ' ' +
             MakeUniqueName(db->Groups(), "Group ").c_str() + ' ' +
             MakeUniqueName(db->Types(), "Type ").c_str();
    for (int32_t i = 0; i < db->GetRouteCount(); ++i)
      state += std::string("\npoints next ") + db->GetRoute(i)->MakeUniquePointName().c_str();
    if (freeRoute)
      state += std::string("\nfree route next ") + freeRoute->MakeUniquePointName().c_str();
    state += "\nnavigator " + std::to_string(navigator->GetRoute() == route) +
             std::to_string(navigator->GetRoute() == route2) + ' ' +
             std::to_string(navigator->GetTarget()) + ' ' + std::to_string(navigator->IsStarted()) +
             ' ' + std::to_string(navigator->IsReverse()) + ' ' + NavigatorValues();
    state += UserFlags();
    if (hostList) {
      state += "\nhost list " + std::to_string(hostList->GetCapacity()) + ':';
      for (int32_t i = 0; i < hostList->GetCount(); ++i)
        state += NameOf(hostList->GetItem(i)) + std::string(",");
    }
    for (int32_t i = 0; i < db->GetTypeCount(); ++i)
      state += std::string("\nfaces ") + NameOf(db->GetType(i)) + ' ' +
               db->GetType(i)->GetNameFont().GetFaceName().c_str() + ' ' +
               db->GetType(i)->GetCommentFont().GetFaceName().c_str();
    return Canonical(state);
  }

  // The user flags of every item of the database, one line per item.
  std::string UserFlags() {
    std::string lines;
    auto add = [&](CWaypointManagerItem* item) {
      lines += std::string("\nflags ") + NameOf(item) + ' ';
      for (int bit = 15; bit >= 0; --bit)
        lines += item->TestUserFlags(static_cast<uint16_t>(1u << bit)) ? '1' : '0';
    };
    for (int32_t i = 0; i < db->GetWaypointCount(); ++i) add(db->GetWaypoint(i));
    for (int32_t i = 0; i < db->GetRouteCount(); ++i) add(db->GetRoute(i));
    for (int32_t i = 0; i < db->GetGroupCount(); ++i) add(db->GetGroup(i));
    for (int32_t i = 0; i < db->GetTypeCount(); ++i) add(db->GetType(i));
    return lines;
  }

  // Where the navigator is, what it has reached, and whether it has the
  // point the leg to its target starts from.
  std::string NavigatorValues() const {
    std::ostringstream out;
    out.precision(17);
    SGeo2D here;
    float bearing = 0;
    double trip = 0;
    out << navigator->GetPosition(here) << ' ' << here.lat << ' ' << here.lon << " reached "
        << navigator->GetReached().size() << " leg " << navigator->GetLegBearing(bearing)
        << " trip " << (navigator->GetTripDistance1(trip) ? trip : -1.0) << " advance "
        << navigator->GetAutoAdvance();
    return out.str();
  }

  CWaypointManager* manager = nullptr;
  CWaypointDatabase* db = nullptr;
  CWaypointType* type = nullptr;
  CWaypointType* type2 = nullptr;
  CWaypoint* w[3] = {};
  CWaypointGroup* group = nullptr;
  CWaypointRoute* route = nullptr;
  CWaypointRoute* route2 = nullptr;
  CWaypointRoute* freeRoute = nullptr;
  std::unique_ptr<CGPSNavigator> navigator;
  CWaypointManager* other = nullptr;
  CWaypointType* otherType = nullptr;
  CWaypointDatabase* second = nullptr;
  CWaypointList* marked = nullptr;
  CWaypointList* hostList = nullptr;
  uint32_t error = 0xDEAD;
};

// What an operation said of itself.
enum class EReport { Done, Failed, Silent };

EReport ByCode(uint32_t error) { return error == 0 ? EReport::Done : EReport::Failed; }
EReport ByResult(const void* made) { return made ? EReport::Done : EReport::Failed; }

struct SChangeRow {
  const char* what;
  std::function<EReport(SModel&)> change;
  bool onEveryBuild;
  std::function<void(SModel&)> setUp = [](SModel&) {};  // before the state is taken
  bool allocatesNothing = false;
};

// The host goes on: every item deleted, one added, the database saved,
// opened again elsewhere and everything destroyed.
void GoOn(SModel& m) {
  uint32_t error = 0;
  auto deleteAll = [&](auto count, auto at) {
    for (int32_t i = count() - 1; i >= 0; --i) {
      at(i)->Delete(&error);
      EXPECT_EQ(error, 0u);
    }
  };
  deleteAll([&] { return m.db->GetRouteCount(); }, [&](int32_t i) { return m.db->GetRoute(i); });
  deleteAll([&] { return m.db->GetWaypointCount(); },
            [&](int32_t i) { return m.db->GetWaypoint(i); });
  deleteAll([&] { return m.db->GetGroupCount(); }, [&](int32_t i) { return m.db->GetGroup(i); });
  deleteAll([&] { return m.db->GetTypeCount(); }, [&](int32_t i) { return m.db->GetType(i); });
  SGeo3D p = Deg(1.0, 2.0);
  ASSERT_NE(m.db->AddWaypoint(&p, nullptr), nullptr);
  EXPECT_EQ(std::string(m.db->GetWaypoint(0)->GetName()->c_str()), "Waypoint 1");
  TBytes image = SaveImage(m.db, &error);
  ASSERT_EQ(error, 0u);
  CWaypointManager* other = NewManager();
  CWaypointDatabase* copy = LoadImage(other, image, &error);
  ASSERT_NE(copy, nullptr) << std::hex << error;
  EXPECT_EQ(copy->GetWaypointCount(), 1);
  td::Free(other);
}

// A setter with an error code, as a row's change.
template <class Set>
EReport Coded(SModel& m, Set set) {
  set(&m.error);
  return ByCode(m.error);
}

void Start(SModel& m) { m.navigator->StartRoute(&m.error); }

// The navigator started on the first route, its target at the given index.
auto StartedAt(int32_t target) {
  return [target](SModel& m) {
    Start(m);
    m.navigator->SetTarget(target);
  };
}

// A position report at the waypoint, which the route's points stand on.
EReport ReportAt(SModel& m, CWaypoint* waypoint) {
  m.navigator->SetValues(waypoint->GetPosition(), true, true, 1.0f, true, true, 0.0f, true, true,
                         &m.error);
  return ByCode(m.error);
}

const CStr kName("Renamed 1");
const CStr kText("new text");

std::vector<SChangeRow> ChangeRows() {
  return {
      // The database's adds.
      {"add a waypoint",
       [](SModel& m) {
         SGeo3D p = Deg(10, 10);
         return ByResult(m.db->AddWaypoint(&p, m.type));
       },
       true},
      {"add a waypoint in two dimensions",
       [](SModel& m) {
         SGeo2D p{0.1, 0.2};
         return ByResult(m.db->AddWaypoint2D(&p, nullptr));
       },
       false},
      {"add a group", [](SModel& m) { return ByResult(m.db->AddGroup()); }, false},
      {"add a route", [](SModel& m) { return ByResult(m.db->AddRoute()); }, false},
      {"add a type",
       [](SModel& m) {
         BmpPtr icon = Filled(3, 3, 0xFFABCDEFu);
         return ByResult(m.db->AddType(icon.get(), nullptr, 1, 1, 1, 9, 0, 1, 9, 0, 2));
       },
       true},
      // Deletes.
      {"delete a waypoint in a group and a route",
       [](SModel& m) {
         m.w[0]->Delete(&m.error);
         return ByCode(m.error);
       },
       true},
      {"delete a group",
       [](SModel& m) {
         m.group->Delete(&m.error);
         return ByCode(m.error);
       },
       false},
      {"delete a route",
       [](SModel& m) {
         m.route->Delete(&m.error);
         return ByCode(m.error);
       },
       false},
      {"delete a type in use",
       [](SModel& m) {
         m.type->Delete(&m.error);
         return ByCode(m.error);
       },
       false},
      // Renames.
      {"rename a waypoint",
       [](SModel& m) {
         m.w[0]->SetName(&kName, &m.error);
         return ByCode(m.error);
       },
       true},
      {"rename a waypoint to a default name",
       [](SModel& m) {
         const CStr name("Waypoint 9");
         m.w[1]->SetName(&name, &m.error);
         return ByCode(m.error);
       },
       false},
      {"rename a group",
       [](SModel& m) {
         m.group->SetName(&kName, &m.error);
         return ByCode(m.error);
       },
       false},
      {"rename a route",
       [](SModel& m) {
         m.route->SetName(&kName, &m.error);
         return ByCode(m.error);
       },
       false},
      {"rename a type",
       [](SModel& m) {
         m.type->SetName(&kName, &m.error);
         return ByCode(m.error);
       },
       false},
      {"rename a route point",
       [](SModel& m) {
         const CStr name("7");
         m.route->GetPoint(1)->SetName(&name, &m.error);
         return ByCode(m.error);
       },
       false},
      // A waypoint's sets, links and assign.
      {"set a comment",
       [](SModel& m) {
         m.w[0]->SetComment(&kText, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set a description",
       [](SModel& m) {
         m.w[1]->SetDescription(&kText, &m.error);
         return ByCode(m.error);
       },
       false},
      {"move a waypoint on a route",
       [](SModel& m) {
         SGeo3D p = Deg(53, 5);
         m.w[0]->SetPosition(&p, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set a type",
       [](SModel& m) {
         m.w[1]->SetType(m.type2, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set a radius",
       [](SModel& m) {
         m.w[1]->SetRadius(5.0f, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set the creation time",
       [](SModel& m) {
         m.w[1]->SetCreated(40000.0, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set a latitude",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.w[0]->SetLatitude(0.9, e); }); },
       false},
      {"set a longitude",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.w[0]->SetLongitude(0.1, e); }); },
       false},
      {"set an altitude",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.w[0]->SetAltitude(12.5, e); }); },
       false},
      {"move a waypoint in two dimensions",
       [](SModel& m) {
         SGeo2D p{0.8, 0.2};
         return Coded(m, [&](uint32_t* e) { m.w[1]->SetPosition2D(&p, e); });
       },
       false},
      {"set the first float attribute",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.w[1]->SetFloatAttribute1(2.5f, e); });
       },
       false},
      {"set the second float attribute",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.w[1]->SetFloatAttribute2(3.5f, e); });
       },
       false},
      {"set the label placement",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.w[1]->SetLabelPlacement(7, e); }); },
       false},
      {"set the 32-bit attribute",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.w[1]->SetIntAttribute(99u, e); }); },
       false},
      {"add a link", [](SModel& m) { return ByResult(m.w[1]->AddLink(&kText, &kText, &m.error)); },
       false},
      {"insert a link",
       [](SModel& m) { return ByResult(m.w[0]->InsertLink(0, &kText, &kText, &m.error)); }, false},
      {"delete a link",
       [](SModel& m) {
         m.w[0]->DeleteLink(1, &m.error);
         return ByCode(m.error);
       },
       false},
      {"remove a chosen link",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.w[0]->RemoveLink(m.w[0]->GetLink(1), e); });
       },
       false},
      {"set a link's second text",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.w[0]->GetLink(1)->SetText2(&kText, e); });
       },
       false},
      {"choose a second link",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.w[0]->SetChosenLink2(m.w[0]->GetLink(0), e); });
       },
       false},
      {"set a link's text",
       [](SModel& m) {
         m.w[0]->GetLink(0)->SetText1(&kText, &m.error);
         return ByCode(m.error);
       },
       false},
      {"choose a link",
       [](SModel& m) {
         m.w[0]->SetChosenLink1(m.w[0]->GetLink(0), &m.error);
         return ByCode(m.error);
       },
       false},
      {"set user flags",
       [](SModel& m) {
         m.w[0]->SetUserFlags(1, 0x8001);
         return EReport::Silent;
       },
       false, [](SModel&) {}, true},
      {"assign a waypoint",
       [](SModel& m) {
         m.w[2]->Assign(m.w[0], &m.error);
         return ByCode(m.error);
       },
       true},
      // A route's points and assign.
      {"add a route point",
       [](SModel& m) {
         SGeo3D p = Deg(54, 6);
         return ByResult(m.route->AddPoint(&p, 1.0f, &m.error));
       },
       false},
      {"insert a route point",
       [](SModel& m) {
         SGeo2D p{0.9, 0.1};
         return ByResult(m.route->InsertPointLatLon(1, &p, 1.0f, &m.error));
       },
       false},
      {"add a route point by latitude and longitude",
       [](SModel& m) {
         SGeo2D p{0.95, 0.05};
         return ByResult(m.route->AddPointLatLon(&p, 1.0f, &m.error));
       },
       false},
      {"insert a route point in three dimensions",
       [](SModel& m) {
         SGeo3D p = Deg(53.5, 4.5);
         return ByResult(m.route->InsertPoint(0, &p, 1.0f, &m.error));
       },
       false},
      {"add a waypoint to a route",
       [](SModel& m) { return ByResult(m.route->AddWaypoint(m.w[2], 1.0f, &m.error)); }, true},
      {"insert a waypoint into a route",
       [](SModel& m) { return ByResult(m.route->InsertWaypoint(0, m.w[2], 1.0f, &m.error)); },
       false},
      {"delete a route point",
       [](SModel& m) {
         m.route->DeletePoint(0, &m.error);
         return ByCode(m.error);
       },
       false},
      {"remove a route point",
       [](SModel& m) {
         m.route->RemovePoint(m.route->GetPoint(1), &m.error);
         return ByCode(m.error);
       },
       false},
      {"move a route point",
       [](SModel& m) {
         SGeo3D p = Deg(51, 3);
         m.route->GetPoint(1)->SetPosition(&p, &m.error);
         return ByCode(m.error);
       },
       false},
      {"attach a route point",
       [](SModel& m) {
         m.route->GetPoint(1)->SetWaypoint(m.w[2], &m.error);
         return ByCode(m.error);
       },
       false},
      {"detach a route point",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.route->GetPoint(0)->SetWaypoint(nullptr, e); });
       },
       false},
      {"set a route point's latitude and longitude",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) {
           m.route->GetPoint(1)->SetLatitude(0.91, e);
           if (*e == 0) m.route->GetPoint(1)->SetLongitude(0.07, e);
         });
       },
       false},
      {"set a route point's altitude",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.route->GetPoint(1)->SetAltitude(40.0, e); });
       },
       false},
      {"move a route point in two dimensions",
       [](SModel& m) {
         SGeo2D p{0.92, 0.08};
         return Coded(m, [&](uint32_t* e) { m.route->GetPoint(1)->SetPosition2D(&p, e); });
       },
       false},
      {"set a route point's radius",
       [](SModel& m) {
         m.route->GetPoint(1)->SetRadius(2.0f, &m.error);
         return ByCode(m.error);
       },
       false},
      {"assign a route",
       [](SModel& m) {
         m.route2->Assign(m.route, &m.error);
         return ByCode(m.error);
       },
       true},
      {"assign a route over its points",
       [](SModel& m) {
         m.route->Assign(m.freeRoute, &m.error);
         return ByCode(m.error);
       },
       false},
      {"add a point to a route of no database",
       [](SModel& m) {
         SGeo3D p = Deg(50, 1);
         return ByResult(m.freeRoute->AddPoint(&p, 1.0f, &m.error));
       },
       false},
      {"delete a route of no database",
       [](SModel& m) {
         m.freeRoute->Delete(&m.error);
         if (m.error == 0) m.freeRoute = nullptr;
         return ByCode(m.error);
       },
       false},
      // A group's members and assign.
      {"add a waypoint to a group",
       [](SModel& m) {
         m.group->AddWaypoint(m.w[2], &m.error);
         return ByCode(m.error);
       },
       true},
      {"remove a waypoint from a group",
       [](SModel& m) {
         m.group->RemoveWaypoint(m.w[0], &m.error);
         return ByCode(m.error);
       },
       true},
      {"remove a group member by index",
       [](SModel& m) {
         int32_t at = -1;
         m.group->Find(m.w[0], &at);
         m.group->RemoveAt(at, &m.error);
         return ByCode(m.error);
       },
       false},
      {"clear a group",
       [](SModel& m) {
         m.group->Clear(&m.error);
         return ByCode(m.error);
       },
       false},
      {"assign a group",
       [](SModel& m) {
         m.group->Assign(m.manager->GetDefaultGroup(), &m.error);
         return ByCode(m.error);
       },
       false},
      // A type's sets and assign.
      {"set an icon",
       [](SModel& m) {
         BmpPtr icon = Filled(5, 6, 0xFF445566u), overlay = Filled(3, 3, 0xFF000000u);
         m.type->SetIcon(icon.get(), overlay.get(), 1, 2.0f, 2.0f, &m.error);
         return ByCode(m.error);
       },
       true},
      {"set a colour",
       [](SModel& m) {
         m.type->SetColor(0xFF999999u, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set a font size",
       [](SModel& m) {
         m.type->SetFontSize(20, &m.error);
         return ByCode(m.error);
       },
       false},
      {"set a name font style",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.type->SetFontStyle(5, e); }); }, false},
      {"set a comment colour",
       [](SModel& m) {
         return Coded(m, [&](uint32_t* e) { m.type->SetCommentColor(0xFF777777u, e); });
       },
       false},
      {"set a comment font size",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.type->SetCommentFontSize(30, e); }); },
       false},
      {"set a font style",
       [](SModel& m) {
         m.type->SetCommentFontStyle(3, &m.error);
         return ByCode(m.error);
       },
       false},
      {"assign a type",
       [](SModel& m) {
         m.type2->Assign(m.type, &m.error);
         return ByCode(m.error);
       },
       true},
      {"assign a type of another manager with another font face",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.type2->Assign(m.otherType, e); }); },
       true, [](SModel& m) { m.MakeOtherType(); }},
      // The manager.
      {"create a database",
       [](SModel& m) {
         const CStr name("Another");
         return ByResult(m.manager->CreateDatabase(&name, 1, 0));
       },
       false},
      {"create a route", [](SModel& m) { return ByResult(m.manager->CreateRoute()); }, false},
      {"create a database when the databases fill their list's room",
       [](SModel& m) {
         const CStr name("Fifth");
         return ByResult(m.manager->CreateDatabase(&name, 1, 0));
       },
       false,
       [](SModel& m) {
         const CStr name("More");
         for (int i = 0; i < 3; ++i) m.manager->CreateDatabase(&name, 1, 0);
       }},
      {"create a route when the manager's routes fill their list's room",
       [](SModel& m) { return ByResult(m.manager->CreateRoute()); }, false,
       [](SModel& m) {
         for (int i = 0; i < 3; ++i) m.manager->CreateRoute();
       }},
      {"close a database read from a file",
       [](SModel& m) {
         td::Free(m.second);
         return EReport::Silent;
       },
       true, [](SModel& m) { m.OpenSecond(); }, true},
      {"close a database tied to the other's items and followed by the navigator",
       [](SModel& m) {
         td::Free(m.second);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.TieSecond(); }, true},
      {"open and adopt a database",
       [](SModel& m) {
         const TBytes bytes = Bytes(kHandMade);
         CConstPointerStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
         return ByResult(m.manager->OpenDatabaseFrom(stream, &m.error));
       },
       true},
      {"mark waypoints",
       [](SModel& m) {
         m.manager->MarkWaypoints(m.marked, 6);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeMarkedList(); }},
      {"add a route event handler when the subscribers fill their list's room",
       [](SModel& m) {
         m.manager->AddRouteEventHandler(&SModel::IgnoreRouteEvent, &m);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.FillSubscribers(); }},
      {"remove a route event handler",
       [](SModel& m) {
         m.manager->RemoveRouteEventHandler(&SModel::IgnoreRouteEvent, &m);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.FillSubscribers(); }, true},
      // A host's list of waypoints.
      {"add to a host's list that fills its room",
       [](SModel& m) { return m.hostList->Add(m.w[1]) >= 0 ? EReport::Done : EReport::Failed; },
       false, [](SModel& m) { m.MakeHostList(false); }},
      {"insert into a host's list that fills its room",
       [](SModel& m) {
         m.hostList->Insert(1, m.w[2]);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(false); }},
      {"raise the count of a host's list",
       [](SModel& m) {
         m.hostList->SetCount(9);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(false); }},
      {"raise the capacity of a host's list",
       [](SModel& m) {
         m.hostList->SetCapacity(20);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(false); }},
      {"delete from an owning list",
       [](SModel& m) {
         m.hostList->Delete(1);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(true); }},
      {"remove from an owning list",
       [](SModel& m) { return m.hostList->Remove(m.w[2]) >= 0 ? EReport::Done : EReport::Failed; },
       false, [](SModel& m) { m.MakeHostList(true); }},
      {"clear an owning list",
       [](SModel& m) {
         m.hostList->Clear();
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(true); }},
      {"lower the count of an owning list",
       [](SModel& m) {
         m.hostList->SetCount(1);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(true); }},
      {"lower the capacity of an owning list",
       [](SModel& m) {
         m.hostList->SetCapacity(2);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.MakeHostList(true); }},
      {"begin and end a load batch",
       [](SModel& m) {
         m.manager->BeginLoad(0, nullptr);
         m.manager->EndLoad();
         return EReport::Silent;
       },
       false},
      // The navigator's route and target.
      {"follow another route",
       [](SModel& m) {
         m.navigator->SetRoute(m.route2);
         return EReport::Silent;
       },
       true},
      {"follow a route when none was followed and the subscribers fill their list's room",
       [](SModel& m) {
         m.navigator->SetRoute(m.route2);
         return EReport::Silent;
       },
       false,
       [](SModel& m) {
         m.navigator->SetRoute(nullptr);
         m.FillSubscribers();
       }},
      {"follow another route when the subscribers fill their list's room",
       [](SModel& m) {
         m.navigator->SetRoute(m.route2);
         return EReport::Silent;
       },
       false, [](SModel& m) { m.FillSubscribers(); }},
      {"go to a waypoint when the subscribers fill their list's room",
       [](SModel& m) {
         return m.navigator->GoToWaypoint(m.w[2], 10.0f) ? EReport::Done : EReport::Failed;
       },
       false, [](SModel& m) { m.FillSubscribers(); }},
      {"go to a waypoint",
       [](SModel& m) {
         return m.navigator->GoToWaypoint(m.w[2], 10.0f) ? EReport::Done : EReport::Failed;
       },
       false},
      {"set the target",
       [](SModel& m) {
         m.navigator->SetTarget(1);
         return EReport::Silent;
       },
       false},
      {"start a route",
       [](SModel& m) {
         m.navigator->StartRoute(&m.error);
         return ByCode(m.error);
       },
       true},
      {"reverse a route",
       [](SModel& m) {
         m.navigator->SetReverse(true);
         return EReport::Silent;
       },
       false},
      {"step to the next leg",
       [](SModel& m) { return m.navigator->NextLeg(true) ? EReport::Done : EReport::Failed; },
       false},
      {"step back to the first leg of a started route",
       [](SModel& m) { return m.navigator->PrevLeg(false) ? EReport::Done : EReport::Failed; },
       false, StartedAt(1)},
      {"reverse a started route",
       [](SModel& m) {
         m.navigator->SetReverse(true);
         return EReport::Silent;
       },
       false, Start},
      {"stop a route",
       [](SModel& m) {
         m.navigator->StopRoute();
         return EReport::Silent;
       },
       false, Start},
      {"set auto-advance",
       [](SModel& m) {
         m.navigator->SetAutoAdvance(true);
         return EReport::Silent;
       },
       false},
      {"reach the target", [](SModel& m) { return ReportAt(m, m.w[0]); }, false, Start},
      {"reach the target and advance", [](SModel& m) { return ReportAt(m, m.w[0]); }, false,
       [](SModel& m) {
         Start(m);
         m.navigator->SetAutoAdvance(true);
       }},
      {"reach the last target and stop", [](SModel& m) { return ReportAt(m, m.w[1]); }, false,
       [](SModel& m) {
         StartedAt(2)(m);
         m.navigator->SetAutoAdvance(true);
       }},
      {"delete the point before the target of a started route",
       [](SModel& m) { return Coded(m, [&](uint32_t* e) { m.route->DeletePoint(0, e); }); }, false,
       StartedAt(1)},
  };
}

TEST(WaypointChangeAllocation, EachChangeIsWholeOrLeavesTheModelAsItWas) {
  for (const SChangeRow& row : ChangeRows()) {
    if (!td::test::WalkedHere(row.onEveryBuild)) continue;
    SCOPED_TRACE(row.what);
    std::string expected;
    {
      SModel m;
      row.setUp(m);
      ASSERT_NE(row.change(m), EReport::Failed);
      expected = m.State(false);
    }
    const int32_t allocations = td::test::WalkAllocations([&](int32_t n) {
      SModel m;
      row.setUp(m);
      const std::string before = m.State();
      EReport report = EReport::Failed;
      const td::test::SRefusedRun run =
          td::test::RunRefusingAllocation(n, [&] { report = row.change(m); });
      SCOPED_TRACE(n);
      const std::string after = run.Threw ? m.State() : m.State(report == EReport::Failed);
      if (run.Threw || report == EReport::Failed) {
        EXPECT_TRUE(run.Refused);
        if (!run.Threw && m.error != 0xDEAD) {
          EXPECT_EQ(m.error, 1u);
        }
        EXPECT_EQ(after, before);
      } else if (report == EReport::Silent) {
        EXPECT_TRUE(after == m.State(false) && (m.State() == before || after == expected)) << after;
      } else {
        EXPECT_EQ(after, expected);
      }
      GoOn(m);
    });
    if (row.allocatesNothing) {
      EXPECT_EQ(allocations, 0);
    }
  }
}

// Closing a database lets go of every tie the other one has to it: a
// waypoint that only its group held is ungrouped again, the other's group
// keeps its own members, a route point over its waypoint stays where it was
// without it, a waypoint of its type takes the built-in type, and the
// navigator that followed its route follows none.
TEST(WaypointChangeAllocation, AClosedDatabaseLetsGoOfEveryTie) {
  SModel m;
  const std::array<int32_t, 5> counts = Counts(m.manager);
  m.TieSecond();
  CRoutePoint* overTheirs = m.route->GetPoint(m.route->GetPointCount() - 1);
  const SGeo3D where = *overTheirs->GetPosition();
  td::Free(m.second);
  EXPECT_EQ(Counts(m.manager), counts);
  int32_t at = -1;
  EXPECT_EQ(m.w[2]->GetGroupCount(), 0);
  EXPECT_TRUE(m.manager->GetDefaultGroup()->Find(m.w[2], &at));
  EXPECT_EQ(m.group->GetCount(), 2);
  EXPECT_EQ(m.route->GetPointCount(), 4);
  EXPECT_EQ(overTheirs->GetWaypoint(), nullptr);
  EXPECT_EQ(overTheirs->GetPosition()->lat, where.lat);
  EXPECT_EQ(overTheirs->GetPosition()->lon, where.lon);
  EXPECT_EQ(m.w[1]->GetType(), m.manager->GetDefaultType());
  EXPECT_EQ(m.navigator->GetRoute(), nullptr);
  GoOn(m);
}

}  // namespace

// The end of a load batch runs out of memory while it resolves references:
// the references left stay unresolved, and the batch ends all the same, the
// built-in group holding exactly the waypoints of no other group.
TEST(WaypointChangeAllocation, AnEndedLoadBatchEndsWhateverRunsOut) {
  td::test::WalkAllocations([](int32_t n) {
    SModel m;
    m.manager->BeginLoad(1, nullptr);
    const TBytes bytes = Bytes(kHandMade);
    CConstPointerStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    ASSERT_NE(m.manager->OpenDatabaseFrom(stream, &m.error), nullptr);
    td::test::RunRefusingAllocation(n, [&] { m.manager->EndLoad(); });
    SCOPED_TRACE(n);
    EXPECT_FALSE(m.manager->IsLoading());
    CWaypointGroup* ungrouped = m.manager->GetDefaultGroup();
    for (int32_t i = 0; i < m.manager->GetWaypointCount(); ++i) {
      CWaypoint* waypoint = m.manager->GetWaypoint(i);
      int32_t at = -1;
      EXPECT_EQ(ungrouped->Find(waypoint, &at), waypoint->GetGroupCount() == 0);
    }
    GoOn(m);
  });
}
