// CWaypointManagerItem: what waypoints, routes, groups and types share:
// identifier, name, times, state and user bits, database and manager, and the
// read-only rule that every modifying operation applies first.
// Items are used on the host's thread only. The pointers that getters return
// stay valid while the item lives (a name until the next rename).
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/waypoints/ItemId.h"
#include "lib/waypoints/NameNumbers.h"
#include "lib/waypoints/WaypointForward.h"

struct SItemArgs {
  SItemId id;
  uint16_t state;
  CStr name;
  uint32_t created;
  uint32_t modified;
  CWaypointDatabase* database;
  CWaypointManager* manager;
};

class CWaypointManagerItem : public CObject {
 public:
  ~CWaypointManagerItem() = default;
  TD_DELETE_THIS(CWaypointManagerItem)

  // The source must be an item of the same kind, else 0x80034.
  virtual void TD_STDCALL Assign(CWaypointManagerItem* source, uint32_t* error);
  virtual uint8_t TD_STDCALL IsLocked();
  virtual SItemId* TD_STDCALL GetId();
  virtual int32_t TD_STDCALL GetStoreSize(uint8_t whole);
  virtual CStr* TD_STDCALL GetName();
  virtual uint8_t TD_STDCALL IsReadOnly();
  virtual double TD_STDCALL GetCreated();
  virtual double TD_STDCALL GetModified();
  virtual uint8_t TD_STDCALL TestUserFlags(uint16_t mask);
  virtual CWaypointDatabase* TD_STDCALL GetDatabase();
  virtual CWaypointManager* TD_STDCALL GetManager();
  virtual uint8_t TD_STDCALL IsFreeStanding();
  virtual void TD_STDCALL Delete(uint32_t* error);
  virtual void TD_STDCALL SetName(const CStr* name, uint32_t* error);
  virtual void TD_STDCALL SetCreated(double day, uint32_t* error);
  virtual void TD_STDCALL SetUserFlags(uint8_t set, uint16_t mask);

  // Sets *error to 0x80000 and returns true when the item refuses changes.
  bool CheckWritable(uint32_t* error);
  // Whether another item belongs to this item's manager; a host may hand in
  // an item of another manager, which must never be linked to this one.
  bool SameManager(const CWaypointManagerItem& other) const { return other.manager_ == manager_; }
  // Stamps the modification time and marks the database modified.
  void Touch();
  void SetMark(bool mark);
  bool HasMark() const { return (state_ & kItemVisitMark) != 0; }
  EItemKind GetKind() const { return kind_; }
  uint16_t GetState() const { return state_; }
  uint32_t GetCreatedSeconds() const { return created_; }
  uint32_t GetModifiedSeconds() const { return modified_; }
  const CStr& GetOwnName() const { return name_; }
  void SetModifiedSeconds(uint32_t seconds) { modified_ = seconds; }
  // The item's position in the lists of ItemList.h that keep it in the item.
  int32_t GetListPosition(int32_t slot) const { return listPositions_[slot]; }
  void SetListPosition(int32_t slot, int32_t position) { listPositions_[slot] = position; }

 protected:
  CWaypointManagerItem(EItemKind kind, const SItemArgs& args);

  // A new name with its number in the database's numbering, made ahead so
  // that storing it cannot fail.
  struct SPreparedName {
    CStr name;
    CNameNumbers::CPrepared number;
  };

  // The checks of Assign: the item writable, the source of the same kind and
  // not the item itself (which assigns nothing and sets no error).
  bool CanAssignFrom(CWaypointManagerItem* source, uint32_t* error);
  SPreparedName PrepareName(const CStr& name) const;
  void StoreName(SPreparedName&& prepared) noexcept;
  // The prepared name and the creation time of the source, after CanAssignFrom.
  void AssignBaseFields(SPreparedName&& name, const CWaypointManagerItem& source) noexcept;
  // Both of the above: false when nothing is to be assigned.
  bool AssignBase(CWaypointManagerItem* source, uint32_t* error);
  // The base checks of Delete: true when the item may go.
  bool CheckDelete(uint32_t* error);

  SItemId id_;
  CStr name_;
  uint32_t created_;
  uint32_t modified_;
  uint16_t state_;
  uint16_t userFlags_ = 0;
  CWaypointDatabase* database_;
  CWaypointManager* manager_;
  EItemKind kind_;

 private:
  int32_t listPositions_[3] = {-1, -1, -1};
};
