/* A host written in plain C, as the kit's users write them: it loads the DLL,
 * finds exports by their plain names and calls them through __stdcall
 * pointers, and frees an object by calling slot 0 of its table itself. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "TdLib.h"

typedef TdStr*(TDLIB_API* StrCreateFn)(const char*, int32_t);
typedef TdObject*(TDLIB_API* ObjectDeleteFn)(TdObject*);
typedef const char*(TDLIB_API* ErrorToStrFn)(uint32_t);

#if defined(_M_IX86) || defined(__i386__)
#define READ_SP(v) __asm__ volatile("movl %%esp, %0" : "=r"(v))
#else
#define READ_SP(v) ((v) = 0)
#endif

static int Fail(char* message, const char* text) {
  strcpy(message, text);
  return 0;
}

/* Returns 1 when every check passed, else 0 with the reason in message. */
int RunCHost(const char* dll_path, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return Fail(message, "LoadLibrary failed");
  StrCreateFn str_create = (StrCreateFn)GetProcAddress(dll, "StrCreate");
  ObjectDeleteFn object_delete = (ObjectDeleteFn)GetProcAddress(dll, "ObjectDelete");
  ErrorToStrFn error_to_str = (ErrorToStrFn)GetProcAddress(dll, "ErrorToStr");
  if (!str_create || !object_delete || !error_to_str) return Fail(message, "export missing");

  uintptr_t before, after;
  READ_SP(before);
  TdStr* s = str_create("abc", 2);
  READ_SP(after);
  if (before != after) return Fail(message, "StrCreate left the stack unbalanced");
  if (!s || s->length != 2 || strcmp(s->chars, "ab") != 0 || s->wide) return Fail(message, "StrCreate made a wrong string");

  TdDeleteThis slot0 = (TdDeleteThis)s->vtable[0];
  READ_SP(before);
  slot0((TdObject*)s, 1);
  READ_SP(after);
  if (before != after) return Fail(message, "slot 0 left the stack unbalanced");

  READ_SP(before);
  object_delete(NULL);
  object_delete((TdObject*)str_create("x", -5));
  READ_SP(after);
  if (before != after) return Fail(message, "ObjectDelete left the stack unbalanced");
  if (strcmp(error_to_str(0x00030007), "Unspecified") != 0) return Fail(message, "ErrorToStr");
  FreeLibrary(dll);
  return 1;
}

/* The serial port as a plain C host sees it: the factory by its plain name,
 * every call through the table, the stack checked around each. */
typedef TdObject*(TDLIB_API* CommPortCreateFn)(void);

static void TDLIB_API NoReceive(void* context) { (void)context; }

/* Returns 1 when every check passed, else 0 with the reason in message. */
int RunCommHost(const char* dll_path, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return Fail(message, "LoadLibrary failed");
  CommPortCreateFn create = (CommPortCreateFn)GetProcAddress(dll, "CommPortCreate");
  if (!create) return Fail(message, "CommPortCreate missing");
  uintptr_t before, after;
  READ_SP(before);
  TdObject* port = create();
  READ_SP(after);
  if (before != after) return Fail(message, "CommPortCreate left the stack unbalanced");
  if (!port) return Fail(message, "no port");
  const TdCommPortTable* t = *(const TdCommPortTable* const*)port;
  uint8_t buffer[256];
  uint32_t size = 0, error = 99;
  uint64_t time = 0;
  READ_SP(before);
  t->SetBaudRate(port, 9600);
  t->SetPortNumber(port, 40); /* no such port */
  t->SetOnReceive(port, NoReceive, port);
  t->Open(port, "host", &error);
  uint8_t open = t->IsOpen(port);
  uint8_t taken = t->ReadPacket(port, buffer, &size, &time);
  uint32_t baud = t->GetBaudRate(port);
  t->Close(port);
  READ_SP(after);
  if (before != after) return Fail(message, "a slot left the stack unbalanced");
  if (error != 0x30000 || open != 0 || taken != 0 || baud != 9600)
    return Fail(message, "wrong results through the table");
  READ_SP(before);
  t->DeleteThis(port, 1);
  READ_SP(after);
  if (before != after) return Fail(message, "slot 0 left the stack unbalanced");
  FreeLibrary(dll);
  return 1;
}
