#include <string>
#include <vector>

#include "lib/foundation/core/ErrorCodes.h"
#include "tests/waypoints/WaypointFixture.h"

namespace {

using ModelTest = WaypointTest;

TEST_F(ModelTest, NewWaypointDefaults) {
  SGeo2D p{0.5, 0.25};
  CWaypoint* w = db->AddWaypoint2D(&p, nullptr);
  EXPECT_EQ(w->GetLinkCount(), 0);
  EXPECT_EQ(w->GetComment()->GetLength(), 0);
  EXPECT_EQ(w->GetDescription()->GetLength(), 0);
  EXPECT_EQ(w->GetFloatAttribute2(), -1.0f);
  EXPECT_EQ(w->GetRadius(), 0.0f);
  EXPECT_EQ(w->GetFloatAttribute1(), 0.0f);
  EXPECT_EQ(w->GetIntAttribute(), 0u);
  EXPECT_EQ(w->GetType(), manager->GetDefaultType());
  EXPECT_EQ(w->GetLabelPlacement(), 5);
  EXPECT_EQ(w->GetAltitude(), 0.0);
  EXPECT_STREQ(w->GetName()->c_str(), "Waypoint 1");
  EXPECT_TRUE(db->IsModified());
  EXPECT_EQ(manager->GetWaypointCount(), 1);
  EXPECT_TRUE(manager->GetDefaultGroup()->Contains(w));
}

TEST_F(ModelTest, DefaultNamesByKindAndLanguage) {
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) names.push_back(db->AddGroup()->GetName()->c_str());
  EXPECT_EQ(names, (std::vector<std::string>{"Group 1", "Group 2", "Group 3"}));
  uint32_t error;
  CWaypointGroup* second = nullptr;
  for (int32_t i = 0; i < db->GetGroupCount(); ++i)
    if (*db->GetGroup(i)->GetName() == "Group 2") second = db->GetGroup(i);
  second->Delete(&error);
  EXPECT_STREQ(db->AddGroup()->GetName()->c_str(), "Group 2");
  SetLanguage(kLangGerman);
  EXPECT_STREQ(AddAt(0, 0)->GetName()->c_str(), "Wegepunkt 1");
  EXPECT_STREQ(db->AddType(nullptr, nullptr, 0, 0, 0, 8, 0, 0, 8, 0, 0)->GetName()->c_str(),
               "Typ 1");
  EXPECT_STREQ(manager->GetDefaultGroup()->GetName()->c_str(), "Nicht gruppiert");
  SetLanguage(kLangFrench);
  EXPECT_STREQ(AddAt(0, 0)->GetName()->c_str(), "Waypoint 1");
  EXPECT_STREQ(manager->GetDefaultType()->GetName()->c_str(), "Default type");
  SetLanguage(kLangDutch);
  EXPECT_STREQ(manager->GetDefaultType()->GetName()->c_str(), "Standaard type");
  EXPECT_STREQ(manager->GetDefaultGroup()->GetName()->c_str(), "Niet gegroepeerd");
  EXPECT_STREQ(db->AddRoute()->GetName()->c_str(), "Route 1");
}

TEST_F(ModelTest, BuiltInGroupHoldsExactlyTheUngrouped) {
  CWaypoint* w = AddAt(1, 1);
  CWaypointGroup* g1 = db->AddGroup();
  CWaypointGroup* g2 = db->AddGroup();
  CWaypointGroup* builtIn = manager->GetDefaultGroup();
  g1->AddWaypoint(w, &error);
  g1->AddWaypoint(w, &error);
  EXPECT_EQ(w->GetGroupCount(), 1);
  g2->AddWaypoint(w, &error);
  EXPECT_FALSE(builtIn->Contains(w));
  g1->RemoveWaypoint(w, &error);
  EXPECT_FALSE(builtIn->Contains(w));
  g2->RemoveAt(0, &error);
  EXPECT_TRUE(builtIn->Contains(w));
  EXPECT_EQ(w->GetGroupCount(), 0);
  g1->RemoveWaypoint(w, &error);
  EXPECT_EQ(error, 0x80033u);
  g1->RemoveAt(0, &error);
  EXPECT_EQ(error, 0x80034u);
  g1->AddWaypoint(nullptr, &error);
  EXPECT_EQ(error, 0x80034u);
  g1->AddWaypoint(w, &error);
  g1->Delete(&error);
  EXPECT_TRUE(builtIn->Contains(w));
  builtIn->AddWaypoint(w, &error);
  EXPECT_EQ(error, 0x80000u);
}

// Joins inside a load batch leave the built-in group alone until the batch
// ends; then it holds exactly the waypoints of no other group.
TEST_F(ModelTest, ALoadBatchEndsWithTheBuiltInGroupSettled) {
  CWaypoint* before = AddAt(2, 2);
  CWaypointGroup* g = db->AddGroup();
  manager->BeginLoad(1, nullptr);
  CWaypoint* grouped = AddAt(1, 1);
  CWaypoint* loose = AddAt(3, 3);
  g->AddWaypoint(grouped, &error);
  g->AddWaypoint(before, &error);
  manager->EndLoad();
  CWaypointGroup* builtIn = manager->GetDefaultGroup();
  EXPECT_EQ(grouped->GetGroupCount(), 1);
  EXPECT_EQ(before->GetGroupCount(), 1);
  EXPECT_FALSE(builtIn->Contains(grouped));
  EXPECT_FALSE(builtIn->Contains(before));
  EXPECT_TRUE(builtIn->Contains(loose));
  EXPECT_EQ(builtIn->GetCount(), 1);
}

// The highest number a name can carry is still counted, without overflow.
TEST_F(ModelTest, ANameWithTheHighestNumberLeavesTheLowestFree) {
  CWaypoint* w = AddAt(1, 1);
  CStr name("Waypoint 2147483647");
  w->SetName(&name, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_STREQ(AddAt(2, 2)->GetName()->c_str(), "Waypoint 1");
}

TEST_F(ModelTest, GroupMembersInIdentifierOrder) {
  CWaypointGroup* g = db->AddGroup();
  std::vector<CWaypoint*> added;
  for (int i = 0; i < 20; ++i) {
    added.push_back(AddAt(i, i));
    g->AddWaypoint(added.back(), &error);
  }
  for (int32_t i = 1; i < g->GetCount(); ++i)
    EXPECT_LT(CompareItemId(*g->GetWaypoint(i - 1)->GetId(), *g->GetWaypoint(i)->GetId()), 0);
  int32_t index = -1;
  EXPECT_TRUE(g->Find(added[7], &index));
  EXPECT_EQ(g->GetWaypoint(index), added[7]);
  CWaypointGroupList* groups = new CWaypointGroupList();
  added[7]->GetGroups(groups);
  EXPECT_EQ(groups->GetCount(), 1);
  EXPECT_EQ(groups->GetItem(0), g);
  td::Free(groups);
}

TEST_F(ModelTest, ReadOnlyRules) {
  uint32_t error;
  CWaypointGroup* builtIn = manager->GetDefaultGroup();
  CStr name("x");
  builtIn->SetName(&name, &error);
  EXPECT_EQ(error, 0x80000u);
  manager->GetDefaultType()->SetColor(1, &error);
  EXPECT_EQ(error, 0x80000u);
  CWaypointRoute* own = manager->CreateRoute();
  own->SetName(&name, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_TRUE(own->IsFreeStanding());
  CWaypoint* w = AddAt(0, 0);
  w->SetName(&name, &error);
  double modified = w->GetModified();
  w->SetName(&name, &error);
  EXPECT_EQ(w->GetModified(), modified);
  CStr longName(std::string(256, 'n').c_str());
  w->SetName(&longName, &error);
  EXPECT_EQ(error, 0x80028u);
  w->SetCreated(10.0, &error);
  EXPECT_EQ(w->GetCreated(), 36526.0);
  w->SetUserFlags(1, 6);
  EXPECT_TRUE(w->TestUserFlags(2));
  EXPECT_FALSE(w->TestUserFlags(1));
  own->Delete(&error);
}

TEST_F(ModelTest, LinksAndChosenLinks) {
  CWaypoint* w = AddAt(0, 0);
  CWaypoint* other = AddAt(1, 0);
  CStr a("a"), b("b");
  CWaypointLink* first = w->AddLink(&a, &b, &error);
  CWaypointLink* foreign = other->AddLink(&a, &b, &error);
  w->SetChosenLink1(foreign, &error);
  EXPECT_EQ(error, 0x80034u);
  EXPECT_EQ(w->GetChosenLink1(), nullptr);
  w->SetChosenLink1(first, &error);
  w->SetChosenLink2(first, &error);
  EXPECT_EQ(w->GetChosenLink2(), first);
  w->DeleteLink(1, &error);
  EXPECT_EQ(error, 0x80034u);
  w->RemoveLink(foreign, &error);
  EXPECT_EQ(error, 0x80034u);
  w->DeleteLink(0, &error);
  EXPECT_EQ(w->GetLinkCount(), 0);
  EXPECT_EQ(w->GetChosenLink1(), nullptr);
  EXPECT_EQ(w->GetChosenLink2(), nullptr);
  EXPECT_EQ(w->GetLink(0), nullptr);
}

TEST_F(ModelTest, AssignCopiesWithinAndAcrossManagers) {
  CWaypoint* w = AddAt(10, 20);
  CWaypointType* t = db->AddType(nullptr, nullptr, 0, 0, 0, 8, 0, 0xFF112233, 8, 0, 0);
  CStr a("a"), b("b"), comment("note");
  w->AddLink(&a, &b, &error);
  CWaypointLink* chosen = w->AddLink(&b, &a, &error);
  w->SetChosenLink2(chosen, &error);
  w->SetComment(&comment, &error);
  w->SetType(t, &error);
  w->SetLabelPlacement(2, &error);
  CWaypoint* copy = AddAt(0, 0);
  copy->Assign(w, &error);
  EXPECT_EQ(copy->GetType(), t);
  EXPECT_STREQ(copy->GetChosenLink2()->GetText1()->c_str(), "b");
  EXPECT_NE(copy->GetChosenLink2(), chosen);
  EXPECT_EQ(copy->GetLabelPlacement(), 5);
  EXPECT_EQ(copy->GetLatitude(), 10 * kDeg);
  EXPECT_STREQ(copy->GetComment()->c_str(), "note");
  CWaypointManager* second = NewManager();
  CStr name("Other");
  CWaypoint* remote = second->CreateDatabase(&name, 0, 0)->AddWaypoint(w->GetPosition(), nullptr);
  remote->Assign(w, &error);
  EXPECT_EQ(remote->GetType(), second->GetDefaultType());
  td::Free(second);
  w->SetType(nullptr, &error);
  EXPECT_EQ(w->GetType(), manager->GetDefaultType());
}

TEST_F(ModelTest, TypeSettersAndAssign) {
  CWaypointType* t1 =
      db->AddType(nullptr, nullptr, 1, 18.0f, 24.0f, 11, 7, 0xFF807060u, 9, 0, 0xFF123456u);
  CWaypointType* t2 = db->AddType(nullptr, nullptr, 0, 0, 0, 13, 4, 0, 9, 2, 0);
  EXPECT_STREQ(t1->GetFontFace()->c_str(), "Tahoma");
  t2->SetFontStyle(9, &error);
  EXPECT_EQ(t2->GetFontStyle(), 1u);
  double modified = t2->GetModified();
  t2->SetFontStyle(1, &error);
  EXPECT_EQ(t2->GetModified(), modified);
  t2->SetFontSize(256, &error);
  EXPECT_EQ(error, 0x8001Fu);
  EXPECT_EQ(t2->GetFontSize(), 13);
  t2->SetCommentFontSize(0, &error);
  EXPECT_EQ(error, 0x8001Eu);
  t2->SetCommentColor(0xFF000001u, &error);
  EXPECT_EQ(t2->GetCommentColor(), 0xFF000001u);
  EXPECT_EQ(t2->GetCommentDayColor(), 0xFF000001u);
  t2->Assign(t1, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(t2->GetColor(), 0xFF807060u);
  EXPECT_EQ(t2->GetCommentColor(), 0xFF123456u);
  EXPECT_EQ(t2->GetFontSize(), 11);
  EXPECT_EQ(t2->GetFontStyle(), 7u);
  EXPECT_EQ(t2->GetCommentFontStyle(), 0u);
  EXPECT_EQ(t2->GetIconOriginY(), 24.0f);
  EXPECT_TRUE(t2->GetShowOverlay());
  EXPECT_STREQ(t2->GetName()->c_str(), t1->GetName()->c_str());
  t2->Assign(AddAt(0, 0), &error);
  EXPECT_EQ(error, 0x80034u);
}

TEST_F(ModelTest, RemovalsTellEveryoneAndKeepPositions) {
  CWaypoint* w = AddAt(2, 3);
  CWaypointType* t = db->AddType(nullptr, nullptr, 0, 0, 0, 8, 0, 0, 8, 0, 0);
  w->SetType(t, &error);
  CWaypointRoute* route = db->AddRoute();
  CRoutePoint* point = route->AddWaypoint(w, 0, &error);
  t->Delete(&error);
  EXPECT_EQ(w->GetType(), manager->GetDefaultType());
  EXPECT_EQ(manager->GetTypeCount(), 1);
  w->Delete(&error);
  EXPECT_EQ(point->GetWaypoint(), nullptr);
  EXPECT_EQ(point->GetLatitude(), 2 * kDeg);
  EXPECT_EQ(manager->GetWaypointCount(), 0);
  EXPECT_EQ(manager->GetDefaultGroup()->GetCount(), 0);
}

// Under AddressSanitizer a point left in a waypoint's list after its route
// went would show as a use after free when the waypoint moves.
TEST_F(ModelTest, AnyDestructionOrderOfRoutesAndWaypoints) {
  CStr name("Second");
  CWaypointDatabase* other = manager->CreateDatabase(&name, 0, 0);
  SGeo3D p = Deg(1, 2);
  CWaypoint* w = other->AddWaypoint(&p, nullptr);
  CWaypointRoute* mine = db->AddRoute();
  mine->AddWaypoint(w, 0, &error);
  CWaypointRoute* own = manager->CreateRoute();
  own->AddWaypoint(w, 0, &error);
  own->AddWaypoint(w, 0, &error);
  CWaypointRoute* copy = db->AddRoute();
  copy->Assign(own, &error);
  EXPECT_EQ(w->GetRoutePoints().size(), 5u);
  copy->Assign(mine, &error);
  EXPECT_EQ(w->GetRoutePoints().size(), 4u);
  own->Delete(&error);
  mine->Delete(&error);
  w->SetLatitude(0.1, &error);
  EXPECT_EQ(copy->GetPoint(0)->GetLatitude(), 0.1);
  manager->CreateRoute()->AddWaypoint(w, 0, &error);
}

TEST_F(ModelTest, ManagerListsAndSearches) {
  std::vector<CWaypoint*> added;
  for (int i = 0; i < 50; ++i) added.push_back(AddAt(i * 0.01, 0));
  for (int32_t i = 1; i < manager->GetWaypointCount(); ++i)
    EXPECT_LT(
        CompareItemId(*manager->GetWaypoint(i - 1)->GetId(), *manager->GetWaypoint(i)->GetId()), 0);
  int32_t index = -1;
  EXPECT_TRUE(manager->FindWaypoint(added[9]->GetId(), &index));
  EXPECT_EQ(manager->GetWaypoint(index), added[9]);
  EXPECT_EQ(manager->GetWaypoint(50), nullptr);
  EXPECT_EQ(manager->GetWaypoint(-1), nullptr);
  EXPECT_EQ(manager->GetHostData(), 0x1234u);
  EXPECT_STREQ(manager->GetFontName()->c_str(), "Tahoma");
  EXPECT_EQ(manager->GetDatabase(0), db);
  EXPECT_EQ(manager->GetDatabase(1), nullptr);
  EXPECT_GT(manager->GetStoreSize(1), manager->GetStoreSize(0));
  uint32_t error;
  EXPECT_EQ(manager->OpenDatabase(db->GetManager()->GetFontName(), &error), nullptr);
  EXPECT_EQ(error, 0x10000u);  // no such file
}

TEST_F(ModelTest, WaypointsInRadius) {
  CWaypoint* nearby = AddAt(0, 0.001);
  CWaypoint* onEdge = AddAt(0, 0.002);
  CWaypoint* noRadius = AddAt(0, 0);
  CWaypoint* unmarked = AddAt(0, 0);
  nearby->SetRadius(200, &error);
  onEdge->SetRadius(static_cast<float>(0.002 * 111132.0948), &error);
  unmarked->SetRadius(1000, &error);
  for (CWaypoint* w : {nearby, onEdge, noRadius}) w->SetUserFlags(1, 4);
  CWaypointList* found = new CWaypointList();
  SGeo2D centre{0, 0};
  manager->FindWaypointsInRadius(&centre, 4, found);
  ASSERT_EQ(found->GetCount(), 1);
  EXPECT_EQ(found->GetItem(0), nearby);
  manager->FindWaypointsInRadius(&centre, 0, found);
  EXPECT_EQ(found->GetCount(), 0);
  td::Free(found);
}

TEST_F(ModelTest, GroupWaypointsListEachOnceAndMarks) {
  CWaypoint* shared = AddAt(0, 0);
  CWaypoint* only = AddAt(1, 0);
  CWaypointGroup* g1 = db->AddGroup();
  CWaypointGroup* g2 = db->AddGroup();
  g1->AddWaypoint(shared, &error);
  g2->AddWaypoint(shared, &error);
  g2->AddWaypoint(only, &error);
  CWaypointGroupList* groups = new CWaypointGroupList();
  groups->Add(g1);
  groups->Add(g2);
  CWaypointList* out = new CWaypointList();
  manager->GetGroupWaypoints(out, groups);
  EXPECT_EQ(out->GetCount(), 2);
  manager->MarkWaypoints(out, 8);
  EXPECT_TRUE(shared->TestUserFlags(8));
  out->Remove(shared);
  manager->MarkWaypoints(out, 8);
  EXPECT_FALSE(shared->TestUserFlags(8));
  EXPECT_TRUE(only->TestUserFlags(8));
  td::Free(out);
  td::Free(groups);
}

struct Calls {
  std::vector<int> order;
  CWaypointManager* manager = nullptr;
};

Calls* g_calls = nullptr;

void TD_STDCALL First(void* context, CWaypointRoute*, int32_t, CRoutePoint*) {
  g_calls->order.push_back(static_cast<int>(reinterpret_cast<intptr_t>(context)));
}

void TD_STDCALL Leaver(void* context, CWaypointRoute*, int32_t, CRoutePoint*) {
  g_calls->order.push_back(static_cast<int>(reinterpret_cast<intptr_t>(context)));
  g_calls->manager->RemoveRouteEventHandler(Leaver, context);
  g_calls->manager->RemoveRouteEventHandler(First, reinterpret_cast<void*>(1));
}

TEST_F(ModelTest, SubscribersLastToFirstAndMayLeaveDuringTheCall) {
  Calls calls;
  calls.manager = manager;
  g_calls = &calls;
  manager->AddRouteEventHandler(First, reinterpret_cast<void*>(1));
  manager->AddRouteEventHandler(First, reinterpret_cast<void*>(2));
  manager->AddRouteEventHandler(First, reinterpret_cast<void*>(2));
  manager->AddRouteEventHandler(Leaver, reinterpret_cast<void*>(3));
  CWaypointRoute* route = manager->CreateRoute();
  SGeo3D p = Deg(0, 0);
  route->AddPoint(&p, 0, &error);
  route->AddPoint(&p, 0, &error);
  route->DeletePoint(0, &error);
  EXPECT_EQ(calls.order, (std::vector<int>{3, 2, 2}));
  manager->RemoveRouteEventHandler(First, reinterpret_cast<void*>(2));
  route->DeletePoint(0, &error);
  EXPECT_EQ(calls.order, (std::vector<int>{3, 2, 2, 2}));
  g_calls = nullptr;
}

TEST_F(ModelTest, OwningListsDeleteThroughTheItems) {
  CWaypoint* w = AddAt(0, 0);
  CWaypointList* list = new CWaypointList();
  list->Add(w);
  list->Add(manager->GetWaypoint(0));
  list->Add(nullptr);
  list->Clear();
  EXPECT_EQ(manager->GetWaypointCount(), 1);
  list->SetOwnsItems(1);
  list->Add(w);
  list->Delete(5);
  list->Exchange(0, 3);
  list->Insert(4, w);
  EXPECT_EQ(list->GetCount(), 1);
  EXPECT_EQ(list->GetItem(1), nullptr);
  list->Delete(0);
  EXPECT_EQ(manager->GetWaypointCount(), 0);
  EXPECT_EQ(db->GetWaypointCount(), 0);
  CWaypointGroupList* groups = new CWaypointGroupList(true);
  groups->Add(manager->GetDefaultGroup());
  td::Free(groups);
  EXPECT_EQ(manager->GetGroupCount(), 1);
  td::Free(list);
}

TEST_F(ModelTest, ListSizesBeyondMemoryChangeNothing) {
  // 0x40000001 pointers take 4 bytes once the size wraps in 32 bits.
  CWaypoint* w = AddAt(0, 0);
  CWaypointList* list = new CWaypointList();
  list->Add(w);
  const int32_t capacity = list->GetCapacity();
  list->SetCapacity(0x40000001);
  list->SetCount(0x40000001);
  list->SetCount(0x7FFFFFFF);
  EXPECT_EQ(list->GetCapacity(), capacity);
  EXPECT_EQ(list->GetCount(), 1);
  EXPECT_EQ(list->GetItem(0), w);
  EXPECT_EQ(list->Add(w), 1);
  td::Free(list);
}

}  // namespace

// Items of another manager are refused as a link of another waypoint is:
// holding them would leave this manager pointing into memory the other frees.
TEST_F(ModelTest, ItemsOfAnotherManagerAreRefused) {
  CWaypointManager* other = NewManager();
  CStr name("Other");
  CWaypointDatabase* otherDb = other->CreateDatabase(&name, 0x01020304, 0);
  SGeo3D at = Deg(1, 1);
  CWaypoint* stranger = otherDb->AddWaypoint(&at, nullptr);
  CWaypointType* strangerType = other->GetDefaultType();
  CWaypoint* own = AddAt(0, 0);
  CWaypointType* ownType = own->GetType();
  CWaypointGroup* group = db->AddGroup();
  CWaypointRoute* route = db->AddRoute();
  CRoutePoint* point = route->AddWaypoint(own, 0.0f, &error);
  ASSERT_NE(point, nullptr);

  group->AddWaypoint(stranger, &error);
  EXPECT_EQ(error, 0x80034u);
  EXPECT_EQ(group->GetCount(), 0);
  own->SetType(strangerType, &error);
  EXPECT_EQ(error, 0x80034u);
  EXPECT_EQ(own->GetType(), ownType);
  EXPECT_EQ(route->AddWaypoint(stranger, 0.0f, &error), nullptr);
  EXPECT_EQ(error, 0x80034u);
  EXPECT_EQ(route->GetPointCount(), 1);
  point->SetWaypoint(stranger, &error);
  EXPECT_EQ(error, 0x80034u);
  EXPECT_EQ(point->GetWaypoint(), own);
  EXPECT_EQ(db->AddWaypoint(&at, strangerType), nullptr);

  td::Free(other);  // nothing of this manager refers to what goes with it
  EXPECT_EQ(db->GetWaypointCount(), 1);
  EXPECT_EQ(own->GetType(), ownType);
}
