/* A plain C host that saves and loads image files through the bitmaps'
 * slots and BitmapLoadHeader, checking the stack after every call. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "TdLib.h"

#if defined(_M_IX86) || defined(__i386__)
#define READ_SP(v) __asm__ volatile("movl %%esp, %0" : "=r"(v))
#else
#define READ_SP(v) ((v) = 0)
#endif

typedef TdStr*(TDLIB_API* StrCreateFn)(const char*, int32_t);
typedef TdBmp16*(TDLIB_API* Bmp16CreateFn)(uint32_t, int32_t, uint8_t);
typedef TdBmp32*(TDLIB_API* Bmp32CreateFn)(uint32_t, int32_t, uint8_t);
typedef void(TDLIB_API* BitmapLoadHeaderFn)(const char*, TdBmpHeader*, uint8_t*, uint32_t*);

#define CHECK(name, call)                                                                    \
  do {                                                                                       \
    uintptr_t before_, after_;                                                               \
    READ_SP(before_);                                                                        \
    call;                                                                                    \
    READ_SP(after_);                                                                         \
    if (before_ != after_) return sprintf(message, "%s left the stack unbalanced", name), 0; \
  } while (0)
#define EXPECT(what, ok) \
  if (!(ok)) return sprintf(message, "%s", what), 0

static void FreeObject(void* object) { (*(TdDeleteThis*)*(void**)object)((TdObject*)object, 1); }

static int RoundTrip32(Bmp32CreateFn create, BitmapLoadHeaderFn loadHeader, TdStr* path,
                       const char* name, char* message) {
  TdBmp32* saved = create(3, 2, 0);
  TdBmp32* loaded = create(0, 0, 0);
  EXPECT("a factory failed", saved && loaded);
  uint32_t* bits = saved->vtable->GetBits(saved);
  for (int i = 0; i < 6; ++i) bits[i] = 0x01020304u * (uint32_t)(i + 1);
  CHECK("SaveBmp", saved->vtable->SaveBmp(saved, path, NULL));
  TdBmpHeader header;
  uint8_t palette[1024];
  uint32_t error = 1;
  CHECK("BitmapLoadHeader", loadHeader(name, &header, palette, &error));
  EXPECT("BitmapLoadHeader failed", error == 0);
  EXPECT("header fields", header.width == 3 && header.height == 2 && header.bitCount == 32 &&
                              header.dataOffset == 54);
  TdPixelBufferDesc source;
  error = 1;
  CHECK("LoadFromFile", loaded->vtable->LoadFromFile(loaded, path, 1, 1, &source, &error));
  EXPECT("LoadFromFile failed", error == 0 && loaded->vtable->GetWidth(loaded) == 3);
  EXPECT("source descriptor", source.format == 9 && source.stride == 12 && source.nextRow == -12);
  EXPECT("pixels differ", memcmp(loaded->vtable->GetBits(loaded), bits, 24) == 0);
  CHECK("ShrinkTo", saved->vtable->ShrinkTo(saved, loaded, 2, 1));
  EXPECT("ShrinkTo size",
         loaded->vtable->GetWidth(loaded) == 2 && loaded->vtable->GetHeight(loaded) == 1);
  FreeObject(saved);
  FreeObject(loaded);
  return 1;
}

static int RoundTrip16(Bmp16CreateFn create, TdStr* path, TdStr* path32, char* message) {
  TdBmp16* saved = create(5, 2, 0);
  TdBmp16* loaded = create(0, 0, 0);
  EXPECT("a factory failed", saved && loaded);
  CHECK("CBmp16 Fill", saved->vtable->Fill(saved, 0x801F));
  CHECK("CBmp16 SaveBmp", saved->vtable->SaveBmp(saved, path, NULL));
  uint32_t error = 1;
  CHECK("CBmp16 LoadBmp", loaded->vtable->LoadBmp(loaded, path, 1, 1, NULL, &error));
  EXPECT("CBmp16 LoadBmp failed", error == 0 && loaded->vtable->GetHeight(loaded) == 2);
  EXPECT("CBmp16 pixels", loaded->vtable->GetScanLine(loaded, 1)[4] == 0x801F);
  CHECK("CBmp16 LoadTga", loaded->vtable->LoadTga(loaded, path32, 1, NULL, &error));
  EXPECT("a .bmp read as TGA", error != 0 && loaded->vtable->GetWidth(loaded) == 5);
  CHECK("CBmp16 LoadFromFile", loaded->vtable->LoadFromFile(loaded, path32, 1, 1, NULL, &error));
  EXPECT("32 bits into CBmp16 must give 1", error == 1 && loaded->vtable->GetWidth(loaded) == 5);
  FreeObject(saved);
  FreeObject(loaded);
  return 1;
}

/* Returns 1 when every step worked, else 0 and what failed in message.
 * folder ends with a path delimiter. */
int RunImageHost(const char* dll_path, const char* folder, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return strcpy(message, "LoadLibrary failed"), 0;
  StrCreateFn strCreate = (StrCreateFn)GetProcAddress(dll, "StrCreate");
  Bmp16CreateFn bmp16Create = (Bmp16CreateFn)GetProcAddress(dll, "Bmp16Create");
  Bmp32CreateFn bmp32Create = (Bmp32CreateFn)GetProcAddress(dll, "Bmp32Create");
  BitmapLoadHeaderFn loadHeader = (BitmapLoadHeaderFn)GetProcAddress(dll, "BitmapLoadHeader");
  EXPECT("export missing", strCreate && bmp16Create && bmp32Create && loadHeader);
  char name32[MAX_PATH], name16[MAX_PATH];
  snprintf(name32, sizeof name32, "%simagehost32.bmp", folder);
  snprintf(name16, sizeof name16, "%simagehost16.BMP", folder);
  TdStr* path32 = strCreate(name32, (int32_t)strlen(name32));
  TdStr* path16 = strCreate(name16, (int32_t)strlen(name16));
  int ok = RoundTrip32(bmp32Create, loadHeader, path32, name32, message) &&
           RoundTrip16(bmp16Create, path16, path32, message);
  FreeObject(path32);
  FreeObject(path16);
  DeleteFileA(name32);
  DeleteFileA(name16);
  FreeLibrary(dll);
  return ok;
}
