// Windows test programs: refusing the threads of the library linked into
// the program, as the system does when it has none to give.
#pragma once

#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

// While it lives, this program's own import of _beginthreadex refuses every
// thread, as the system does when it has none to give.
class CThreadStartRefused {
 public:
  CThreadStartRefused() : m_Slot(ImportSlot("_beginthreadex")) {
    if (m_Slot) m_Original = Exchange(reinterpret_cast<void*>(&Refuse));
  }
  ~CThreadStartRefused() {
    if (m_Slot) Exchange(m_Original);
  }
  bool IsActive() const { return m_Slot != nullptr; }

 private:
  static uintptr_t __cdecl Refuse(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned,
                                  unsigned*) {
    errno = EAGAIN;
    return 0;
  }

  static void** ImportSlot(const char* name) {
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; module->Name != 0; ++module) {
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
          return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
    return nullptr;
  }

  void* Exchange(void* function) {
    DWORD protection = 0;
    VirtualProtect(m_Slot, sizeof(void*), PAGE_READWRITE, &protection);
    void* previous = *m_Slot;
    *m_Slot = function;
    VirtualProtect(m_Slot, sizeof(void*), protection, &protection);
    return previous;
  }

  void** m_Slot;
  void* m_Original = nullptr;
};
