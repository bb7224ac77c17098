// CObject: the root of every class whose objects a host holds.
#pragma once

#include <memory>
#include <new>
#include <type_traits>

#include "lib/foundation/core/Abi.h"

// Slot 0 of every exported class is one deleting destructor that takes a flag:
// bit 0 set frees the storage. A virtual C++ destructor would take two slots
// with this compiler, so destructors stay non-virtual and each class fills
// slot 0 with TD_DELETE_THIS.
class CObject {
 public:
  virtual void* TD_STDCALL DeleteThis(unsigned flags) noexcept = 0;

 protected:
  CObject() = default;
  ~CObject() = default;
};

namespace td {

// Runs the destructor chain of the object's own class, then frees on request.
template <class T>
void* DeleteObject(T* self, unsigned flags) noexcept {
  self->T::~T();  // the dynamic type: each class fills its own slot 0
  if (flags & 1) ::operator delete(static_cast<void*>(self));
  return self;
}

// The class a pointer to member belongs to.
template <class Member>
struct MemberOwner;
template <class Class, class Member>
struct MemberOwner<Member Class::*> {
  using Type = Class;
};

// Whether T fills slot 0 itself (TD_DELETE_THIS in its own body). A class that
// inherits its parent's slot 0 would be destroyed as the parent.
template <class T>
constexpr bool FillsSlotZero() {
  if constexpr (std::is_base_of_v<CObject, T>) {
    return std::is_same_v<typename MemberOwner<decltype(&T::DeleteThis)>::Type, T>;
  } else {
    return true;
  }
}

// Frees an exported object through its slot 0, as a host would; null is ignored.
inline void Free(CObject* object) noexcept {
  if (object) object->DeleteThis(1);
}

// An exported object owned inside the library, freed through slot 0.
struct SObjectFree {
  void operator()(CObject* object) const noexcept { Free(object); }
};
template <class T>
using TObjectPtr = std::unique_ptr<T, SObjectFree>;

}  // namespace td

#define TD_DELETE_THIS(Class)                                     \
  void* TD_STDCALL DeleteThis(unsigned flags) noexcept override { \
    return ::td::DeleteObject(this, flags);                       \
  }
