#include "lib/waypoints/WaypointManagerItem.h"

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointDatabase.h"

CWaypointManagerItem::CWaypointManagerItem(EItemKind kind, const SItemArgs& args)
    : id_(args.id),
      name_(args.name),
      created_(args.created),
      modified_(args.modified),
      state_(args.state),
      database_(args.database),
      manager_(args.manager),
      kind_(kind) {}

bool CWaypointManagerItem::CanAssignFrom(CWaypointManagerItem* source, uint32_t* error) {
  if (CheckWritable(error)) return false;
  if (!source || source->kind_ != kind_) {
    *error = kErrItemNotFound;
    return false;
  }
  return source != this;
}

void CWaypointManagerItem::AssignBaseFields(SPreparedName&& name,
                                            const CWaypointManagerItem& source) noexcept {
  StoreName(std::move(name));
  created_ = source.created_;
}

bool CWaypointManagerItem::AssignBase(CWaypointManagerItem* source, uint32_t* error) {
  if (!CanAssignFrom(source, error)) return false;
  AssignBaseFields(PrepareName(source->name_), *source);
  return true;
}

void TD_STDCALL CWaypointManagerItem::Assign(CWaypointManagerItem* source, uint32_t* error) {
  GuardSlot(error, [&] {
    if (AssignBase(source, error)) Touch();
  });
}

uint8_t TD_STDCALL CWaypointManagerItem::IsLocked() { return database_ && database_->IsLocked(); }

SItemId* TD_STDCALL CWaypointManagerItem::GetId() { return &id_; }

int32_t TD_STDCALL CWaypointManagerItem::GetStoreSize(uint8_t whole) {
  return td::Guard(0, [&] {
    return name_.GetMemSize(false) + (whole ? static_cast<int32_t>(sizeof(*this)) : 0);
  });
}

CStr* TD_STDCALL CWaypointManagerItem::GetName() { return &name_; }

uint8_t TD_STDCALL CWaypointManagerItem::IsReadOnly() {
  if (database_) return database_->IsReadOnly();
  return (state_ & kItemFreeStanding) == 0;
}

double TD_STDCALL CWaypointManagerItem::GetCreated() { return SecondsSince2000ToDate(created_); }

double TD_STDCALL CWaypointManagerItem::GetModified() { return SecondsSince2000ToDate(modified_); }

uint8_t TD_STDCALL CWaypointManagerItem::TestUserFlags(uint16_t mask) {
  return (userFlags_ & mask) != 0;
}

CWaypointDatabase* TD_STDCALL CWaypointManagerItem::GetDatabase() { return database_; }

CWaypointManager* TD_STDCALL CWaypointManagerItem::GetManager() { return manager_; }

uint8_t TD_STDCALL CWaypointManagerItem::IsFreeStanding() {
  return (state_ & kItemFreeStanding) != 0;
}

bool CWaypointManagerItem::CheckDelete(uint32_t* error) { return !CheckWritable(error); }

void TD_STDCALL CWaypointManagerItem::Delete(uint32_t* error) { CheckDelete(error); }

void TD_STDCALL CWaypointManagerItem::SetName(const CStr* name, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || *name == name_ || !td::WPMCheckName(*name, error)) return;
    StoreName(PrepareName(*name));
    Touch();
  });
}

void TD_STDCALL CWaypointManagerItem::SetCreated(double day, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    uint32_t seconds = DateToSecondsSince2000(day);
    if (seconds == created_) return;
    created_ = seconds;
    Touch();
  });
}

void TD_STDCALL CWaypointManagerItem::SetUserFlags(uint8_t set, uint16_t mask) {
  userFlags_ =
      set ? static_cast<uint16_t>(userFlags_ | mask) : static_cast<uint16_t>(userFlags_ & ~mask);
}

bool CWaypointManagerItem::CheckWritable(uint32_t* error) {
  bool refused = IsReadOnly() != 0;
  *error = refused ? kErrWptReadOnly : kErrNone;
  return refused;
}

void CWaypointManagerItem::Touch() {
  modified_ = NowSecondsSince2000();
  if (database_) database_->SetModified(true);
}

void CWaypointManagerItem::SetMark(bool mark) {
  state_ = mark ? static_cast<uint16_t>(state_ | kItemVisitMark)
                : static_cast<uint16_t>(state_ & ~kItemVisitMark);
}

CWaypointManagerItem::SPreparedName CWaypointManagerItem::PrepareName(const CStr& name) const {
  SPreparedName prepared{name, {}};
  if (database_) prepared.number = database_->NumbersOf(kind_).Prepare(name);
  return prepared;
}

void CWaypointManagerItem::StoreName(SPreparedName&& prepared) noexcept {
  if (database_) database_->NumbersOf(kind_).Rename(name_, std::move(prepared.number));
  name_ = std::move(prepared.name);
}
