#include "lib/waypoints/Waypoint.h"

#include <memory>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointGroup.h"
#include "lib/waypoints/WaypointLink.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

CStr* TextOrNull(const CStr& text) { return text.GetLength() ? new CStr(text) : nullptr; }

// A waypoint is made with a comment its file can hold whole, or not at all.
CStr* CommentOrNull(const CStr& comment) {
  uint32_t error;
  if (!td::CheckComment(comment, &error))
    throw CException("CWaypoint::CWaypoint: Comment of more than 255 characters");
  return TextOrNull(comment);
}

// The field takes the text made for it and frees the one it held.
void PutText(CStr*& field, std::unique_ptr<CStr> text) noexcept {
  std::unique_ptr<CStr> old(field);
  field = text.release();
}

bool SamePosition(const SGeo3D& a, const SGeo3D& b) {
  return a.lat == b.lat && a.lon == b.lon && a.h == b.h;
}

}  // namespace

CWaypoint::CWaypoint(const SWaypointArgs& args)
    : CWaypointManagerItem(EItemKind::Waypoint, args.item),
      floatAttribute1_(args.floatAttribute1),
      labelPlacement_(args.labelPlacement),
      position_(args.position),
      floatAttribute2_(args.floatAttribute2),
      radius_(args.radius),
      intAttribute_(args.intAttribute),
      type_(args.type ? args.type : manager_->GetDefaultType()) {
  std::unique_ptr<CStr> comment(CommentOrNull(args.comment));
  description_ = TextOrNull(args.description);
  comment_ = comment.release();
}

CWaypoint::~CWaypoint() {
  for (CRoutePoint* point : routePoints_) point->ForgetWaypoint();
  FreeLinks();
  delete comment_;
  delete description_;
}

void CWaypoint::FreeLinks() {
  delete links_;
  links_ = nullptr;
  chosen1_ = chosen2_ = nullptr;
}

void TD_STDCALL CWaypoint::Assign(CWaypointManagerItem* source, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CanAssignFrom(source, error)) return;
    auto& from = static_cast<CWaypoint&>(*source);
    if (!td::CheckComment(*from.GetComment(), error)) return;
    // Everything new is made first: after that nothing can fail.
    SPreparedName name = PrepareName(from.name_);
    std::unique_ptr<CStr> comment(TextOrNull(*from.GetComment()));
    std::unique_ptr<CStr> description(TextOrNull(*from.GetDescription()));
    std::unique_ptr<CList<CWaypointLink>> links(from.CopyLinks(this));
    AssignBaseFields(std::move(name), from);
    PutText(comment_, std::move(comment));
    PutText(description_, std::move(description));
    FreeLinks();
    links_ = links.release();
    ChooseLinkInternal1(from.IndexOfLink(from.chosen1_));
    ChooseLinkInternal2(from.IndexOfLink(from.chosen2_));
    MoveTo(from.position_);
    floatAttribute1_ = from.floatAttribute1_;
    floatAttribute2_ = from.floatAttribute2_;
    radius_ = from.radius_;
    intAttribute_ = from.intAttribute_;
    type_ = from.manager_ == manager_ ? from.type_ : manager_->GetDefaultType();
    *error = kErrNone;
    Touch();
  });
}

CList<CWaypointLink>* CWaypoint::CopyLinks(CWaypoint* owner) {
  if (GetLinkCount() == 0) return nullptr;
  auto copy = std::make_unique<CList<CWaypointLink>>(true);
  copy->SetCapacity(GetLinkCount());
  for (int32_t i = 0; i < GetLinkCount(); ++i) {
    CWaypointLink* link = GetLink(i);
    copy->Add(new CWaypointLink(*link->GetText1(), *link->GetText2(), owner));
  }
  return copy.release();
}

int32_t TD_STDCALL CWaypoint::GetStoreSize(uint8_t whole) {
  return td::Guard(0, [&] {
    int32_t size =
        CWaypointManagerItem::GetStoreSize(0) + (whole ? static_cast<int32_t>(sizeof(*this)) : 0);
    if (links_) {
      size += static_cast<int32_t>(sizeof(*links_)) +
              links_->GetCapacity() * static_cast<int32_t>(sizeof(void*));
      for (int32_t i = 0; i < links_->GetCount(); ++i) size += links_->GetAt(i)->GetMemSize();
    }
    size += static_cast<int32_t>(routePoints_.capacity() * sizeof(void*));
    for (CRoutePoint* point : routePoints_) size += point->GetMemSize();
    if (comment_) size += comment_->GetMemSize(true);
    if (description_) size += description_->GetMemSize(true);
    return size;
  });
}

void TD_STDCALL CWaypoint::Delete(uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckDelete(error) && database_) database_->RemoveWaypoint(this);
  });
}

CWaypointLink* TD_STDCALL CWaypoint::AddLink(const CStr* text1, const CStr* text2,
                                             uint32_t* error) {
  return InsertLink(GetLinkCount(), text1, text2, error);
}

void TD_STDCALL CWaypoint::DeleteLink(int32_t index, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (index < 0 || index >= GetLinkCount()) {
      *error = kErrItemNotFound;
      return;
    }
    CWaypointLink* link = links_->GetAt(index);
    if (chosen1_ == link) chosen1_ = nullptr;
    if (chosen2_ == link) chosen2_ = nullptr;
    links_->Delete(index);
    if (links_->GetCount() == 0) FreeLinks();
    Touch();
  });
}

int32_t TD_STDCALL CWaypoint::GetGroupCount() { return groupCount_; }

void TD_STDCALL CWaypoint::GetGroups(CWaypointGroupList* groups) {
  td::GuardVoid([&] {
    if (!groups) return;
    std::vector<CWaypointGroup*> found;
    for (int32_t i = manager_->GetGroupCount() - 1; i >= 0; --i) {
      CWaypointGroup* group = manager_->GetGroup(i);
      if (!group->IsDefault() && group->Contains(this)) found.push_back(group);
    }
    groups->ReplaceAll(found);
  });
}

double TD_STDCALL CWaypoint::GetAltitude() { return position_.h; }

double TD_STDCALL CWaypoint::GetLatitude() { return position_.lat; }

CWaypointLink* TD_STDCALL CWaypoint::GetLink(int32_t index) {
  return index >= 0 && index < GetLinkCount() ? links_->GetAt(index) : nullptr;
}

CWaypointLink* TD_STDCALL CWaypoint::GetChosenLink1() { return chosen1_; }

int32_t TD_STDCALL CWaypoint::GetLinkCount() { return links_ ? links_->GetCount() : 0; }

float TD_STDCALL CWaypoint::GetFloatAttribute1() { return floatAttribute1_; }

CWaypointLink* TD_STDCALL CWaypoint::GetChosenLink2() { return chosen2_; }

double TD_STDCALL CWaypoint::GetLongitude() { return position_.lon; }

int32_t TD_STDCALL CWaypoint::GetLabelPlacement() { return labelPlacement_; }

SGeo3D* TD_STDCALL CWaypoint::GetPosition() { return &position_; }

float TD_STDCALL CWaypoint::GetFloatAttribute2() { return floatAttribute2_; }

float TD_STDCALL CWaypoint::GetRadius() { return radius_; }

uint32_t TD_STDCALL CWaypoint::GetIntAttribute() { return intAttribute_; }

CStr* TD_STDCALL CWaypoint::GetComment() { return comment_ ? comment_ : manager_->GetEmptyText(); }

CStr* TD_STDCALL CWaypoint::GetDescription() {
  return description_ ? description_ : manager_->GetEmptyText();
}

CWaypointType* TD_STDCALL CWaypoint::GetType() { return type_; }

CWaypointLink* TD_STDCALL CWaypoint::InsertLink(int32_t index, const CStr* text1, const CStr* text2,
                                                uint32_t* error) {
  return td::GuardCode(error, static_cast<CWaypointLink*>(nullptr), [&] {
    if (CheckWritable(error)) return static_cast<CWaypointLink*>(nullptr);
    if (index < 0 || index > GetLinkCount()) {
      *error = kErrItemNotFound;
      return static_cast<CWaypointLink*>(nullptr);
    }
    CWaypointLink* link = PutLink(index, *text1, *text2);
    Touch();
    return link;
  });
}

void TD_STDCALL CWaypoint::RemoveLink(CWaypointLink* link, uint32_t* error) {
  DeleteLink(IndexOfLink(link), error);
}

void TD_STDCALL CWaypoint::SetAltitude(double altitude, uint32_t* error) {
  SGeo3D p = {position_.lat, position_.lon, altitude};
  SetPosition(&p, error);
}

void TD_STDCALL CWaypoint::SetLatitude(double latitude, uint32_t* error) {
  SGeo3D p = {latitude, position_.lon, position_.h};
  SetPosition(&p, error);
}

void TD_STDCALL CWaypoint::SetChosenLink1(CWaypointLink* link, uint32_t* error) {
  SetChosenLink(chosen1_, link, error);
}

void TD_STDCALL CWaypoint::SetFloatAttribute1(float value, uint32_t* error) {
  SetField(floatAttribute1_, value, error);
}

void TD_STDCALL CWaypoint::SetChosenLink2(CWaypointLink* link, uint32_t* error) {
  SetChosenLink(chosen2_, link, error);
}

void TD_STDCALL CWaypoint::SetLongitude(double longitude, uint32_t* error) {
  SGeo3D p = {position_.lat, longitude, position_.h};
  SetPosition(&p, error);
}

void TD_STDCALL CWaypoint::SetLabelPlacement(int32_t placement, uint32_t* error) {
  SetField(labelPlacement_, placement, error);
}

void TD_STDCALL CWaypoint::SetPosition(const SGeo3D* position, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || SamePosition(*position, position_)) return;
    MoveTo(*position);
    Touch();
  });
}

void TD_STDCALL CWaypoint::SetPosition2D(const SGeo2D* position, uint32_t* error) {
  SGeo3D p = {position->lat, position->lon, 0.0};
  SetPosition(&p, error);
}

void TD_STDCALL CWaypoint::SetFloatAttribute2(float value, uint32_t* error) {
  SetField(floatAttribute2_, value, error);
}

void TD_STDCALL CWaypoint::SetRadius(float radius, uint32_t* error) {
  SetField(radius_, radius, error);
}

void TD_STDCALL CWaypoint::SetIntAttribute(uint32_t value, uint32_t* error) {
  SetField(intAttribute_, value, error);
}

void TD_STDCALL CWaypoint::SetComment(const CStr* comment, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CheckWritable(error) && td::CheckComment(*comment, error))
      SetText(comment_, *comment, error);
  });
}

void TD_STDCALL CWaypoint::SetDescription(const CStr* description, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CheckWritable(error)) SetText(description_, *description, error);
  });
}

void TD_STDCALL CWaypoint::SetType(CWaypointType* type, uint32_t* error) {
  GuardSlot(error, [&] {
    if (type && !SameManager(*type)) {
      if (!CheckWritable(error)) *error = kErrItemNotFound;
      return;
    }
    SetField(type_, type ? type : manager_->GetDefaultType(), error);
  });
}

template <class V>
void CWaypoint::SetField(V& field, const V& value, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || field == value) return;
    field = value;
    Touch();
  });
}

// Stores a text (an empty one as none) and touches when it changed.
void CWaypoint::SetText(CStr*& field, const CStr& text, uint32_t* error) {
  *error = kErrNone;
  if ((field ? *field : CStr()) == text) return;
  PutText(field, std::unique_ptr<CStr>(TextOrNull(text)));
  Touch();
}

void CWaypoint::SetChosenLink(CWaypointLink*& field, CWaypointLink* link, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (link && !IsOwnLink(link)) {
      *error = kErrItemNotFound;
      return;
    }
    SetField(field, link, error);
  });
}

bool CWaypoint::IsOwnLink(const CWaypointLink* link) const { return IndexOfLink(link) >= 0; }

int32_t CWaypoint::IndexOfLink(const CWaypointLink* link) const {
  return links_ && link ? links_->IndexOf(link) : -1;
}

void CWaypoint::MoveTo(const SGeo3D& position) {
  position_ = position;
  for (auto point = routePoints_.rbegin(); point != routePoints_.rend(); ++point)
    (*point)->MovePoint(position);
}

CWaypointLink* CWaypoint::AddLinkInternal(const CStr& text1, const CStr& text2) {
  return PutLink(GetLinkCount(), text1, text2);
}

// The list is made with its first link: when memory runs out, the waypoint
// keeps the links it had, and no list when it had none.
CWaypointLink* CWaypoint::PutLink(int32_t index, const CStr& text1, const CStr& text2) {
  std::unique_ptr<CList<CWaypointLink>> made(links_ ? nullptr : new CList<CWaypointLink>(true));
  CList<CWaypointLink>& links = links_ ? *links_ : *made;
  td::TObjectPtr<CWaypointLink> link(new CWaypointLink(text1, text2, this));
  links.Insert(index, link.get());
  if (made) links_ = made.release();
  return link.release();
}

void CWaypoint::AttachRoutePoint(CRoutePoint* point) {
  routePoints_.push_back(point);
  point->MovePoint(position_);
}

void CWaypoint::DetachRoutePoint(CRoutePoint* point) {
  for (size_t i = routePoints_.size(); i-- > 0;)
    if (routePoints_[i] == point) {
      routePoints_.erase(routePoints_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  if (routePoints_.empty()) routePoints_.shrink_to_fit();
}

void CWaypoint::JoinGroup() {
  if (groupCount_ == 0 && !manager_->IsLoading())
    manager_->GetDefaultGroup()->RemoveWaypointInternal(this);
  ++groupCount_;
}

void CWaypoint::LeaveGroup() {
  if (--groupCount_ == 0) manager_->GetDefaultGroup()->AddWaypointInternal(this);
}
