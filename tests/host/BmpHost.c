/* A plain C host that calls every slot of CBmp16 and CBmp32 through the
 * tables and checks after each call that the callee popped exactly its
 * arguments (standard Windows calling convention), the reserved slots too. */
#include <windows.h>
#include <string.h>

#include "TdLib.h"
#include "tests/host/StackBalance.h"

typedef TdStr*(TDLIB_API* StrCreateFn)(const char*, int32_t);
typedef TdBmp16*(TDLIB_API* Bmp16CreateFn)(uint32_t, int32_t, uint8_t);
typedef TdBmp32*(TDLIB_API* Bmp32CreateFn)(uint32_t, int32_t, uint8_t);
typedef void(TDLIB_API* BmpInitializeFn)(void);

static const char* g_Unbalanced;

static void CallBaseSlots32(TdBmp32* b, TdStr* text, TdStr* path) {
  const TdBmp32Vtbl* v = b->vtable;
  TdRect rect = {0, 0, 4, 4};
  TdSize size;
  TdPixelBufferDesc desc;
  double bounds[4];
  uint32_t error = 0;
  BALANCED("DrawToDC", v->DrawToDC(b, NULL, 0, 0, 1, 1, 0, 0, 1, 1));
  BALANCED("TextOut", v->TextOut(b, text, 1, 2, NULL, 0, 4));
  BALANCED("DrawText", v->DrawText(b, text, &rect, NULL, 0, 4, 2));
  BALANCED("GetDC", v->GetDC(b));
  BALANCED("GetHeight", v->GetHeight(b));
  BALANCED("GetMemorySize", v->GetMemorySize(b, 1));
  BALANCED("GetStride", v->GetStride(b));
  BALANCED("GetPixelFormat", v->GetPixelFormat(b));
  BALANCED("GetRect", v->GetRect(b, &rect));
  BALANCED("GetPixBounds", v->GetPixBounds(b, bounds));
  BALANCED("GetBufferDesc", v->GetBufferDesc(b, &desc));
  BALANCED("GetTextExtent", v->GetTextExtent(b, text, NULL, &size));
  BALANCED("GetWidth", v->GetWidth(b));
  BALANCED("LoadBmp", v->LoadBmp(b, path, 1, 0, NULL, &error));
  BALANCED("LoadFromFile", v->LoadFromFile(b, path, 1, 0, NULL, &error));
  BALANCED("LoadTga", v->LoadTga(b, path, 1, NULL, &error));
  BALANCED("SaveBmp", v->SaveBmp(b, path, NULL));
  BALANCED("ShrinkTo", v->ShrinkTo(b, b, 2, 1));
  BALANCED("SetSize", v->SetSize(b, 4, 4));
}

static void CallSlots32(TdBmp32* b, TdBmp32* other) {
  const TdBmp32Vtbl* v = b->vtable;
  double from[2] = {0, 0}, to[2] = {3, 3}, points[6] = {0, 0, 3, 0, 3, 3}, rect[4] = {0, 0, 3, 3};
  BALANCED("Assign", v->Assign(other, b));
  BALANCED("AssignScaled", v->AssignScaled(other, b, 8, 8));
  BALANCED("Draw", v->Draw(b, other, -0.5, -0.5, 7.5, 7.5, -0.5, -0.5, 3.5, 3.5, TD_BM_BLEND));
  BALANCED("DrawTransform", v->DrawTransform(b, other, 0, 0, 4, 4, 0, 0, 6, 1, 7, 7, 1, 6, TD_BM_COPY));
  BALANCED("DrawTransform mode 2", v->DrawTransform(b, other, 0, 0, 4, 4, 0, 0, 6, 1, 7, 7, 1, 6, TD_BM_BLEND));
  BALANCED("DrawCircle", v->DrawCircle(b, 2, 2, 1.5, 0xFF0000FF));
  BALANCED("DrawLine", v->DrawLine(b, from, to, 0xFF0000FF, 1.0, 1));
  BALANCED("FillPolygon", v->FillPolygon(b, points, 3, 0xFF0000FF));
  BALANCED("DrawPolyline", v->DrawPolyline(b, points, 3, 0xFF0000FF, 1));
  BALANCED("DrawRect", v->DrawRect(b, rect, 0xFF0000FF, 0xFF00FF00, 1.0));
  BALANCED("Fill", v->Fill(b, 0x80FF0000));
  BALANCED("FlipHorizontal", v->FlipHorizontal(b));
  BALANCED("FlipVertical", v->FlipVertical(b));
  BALANCED("GetBits", v->GetBits(b));
  BALANCED("GetScanLine", v->GetScanLine(b, 9));
  BALANCED("SetAlpha", v->SetAlpha(b, 0x40));
  BALANCED("SetAlphaByColor", v->SetAlphaByColor(b, 0, 255, 0xFF0000));
  BALANCED("Reserved", v->Reserved(b, 1, 2, 3, 4, 5));
}

static void CallSlots16(TdBmp16* b, TdBmp16* other) {
  const TdBmp16Vtbl* v = b->vtable;
  BALANCED("CBmp16::Draw", v->Draw(b, other, 0, 0, 2, 2, 1, 1, 3, 3, 1));
  BALANCED("CBmp16::Reserved1", v->Reserved1(b, 1, 2, 3, 4, 5));
  BALANCED("CBmp16::Reserved2", v->Reserved2(b, 1, 2, 3, 4, 5));
  BALANCED("CBmp16::FillRect", v->FillRect(b, 0.5, 0.5, 2.5, 2.5, 0x7FFF));
  BALANCED("CBmp16::Fill", v->Fill(b, 0x801F));
  BALANCED("CBmp16::GetBits", v->GetBits(b));
  BALANCED("CBmp16::GetScanLine", v->GetScanLine(b, 1));
  BALANCED("CBmp16::GetMemorySize", v->GetMemorySize(b, 0));
  BALANCED("CBmp16::GetPixelFormat", v->GetPixelFormat(b));
  BALANCED("CBmp16::SetSize", v->SetSize(b, 5, 3));
}

/* Returns 1 when every slot kept the stack balanced, else 0 and the slot's
 * name in message. */
int RunBmpHost(const char* dll_path, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return strcpy(message, "LoadLibrary failed"), 0;
  StrCreateFn str_create = (StrCreateFn)GetProcAddress(dll, "StrCreate");
  Bmp16CreateFn bmp16_create = (Bmp16CreateFn)GetProcAddress(dll, "Bmp16Create");
  Bmp32CreateFn bmp32_create = (Bmp32CreateFn)GetProcAddress(dll, "Bmp32Create");
  BmpInitializeFn bmp_initialize = (BmpInitializeFn)GetProcAddress(dll, "BmpInitialize");
  if (!str_create || !bmp16_create || !bmp32_create || !bmp_initialize) return strcpy(message, "export missing"), 0;

  g_Unbalanced = NULL;
  BALANCED("BmpInitialize", bmp_initialize());
  bmp_initialize(); /* a second call changes nothing */
  TdBmp32 *a, *b;
  TdBmp16 *c, *d;
  BALANCED("Bmp32Create", a = bmp32_create(4, 4, 1));
  b = bmp32_create(8, 8, 0);
  BALANCED("Bmp16Create", c = bmp16_create(4, 4, 0));
  d = bmp16_create(4, 4, 1);
  TdStr* text = str_create("0", 1);
  /* A folder that does not exist: the slots run, nothing is left behind. */
  TdStr* path = str_create("no such folder\\image.png", 24);
  if (!a || !b || !c || !d || !text || !path) return strcpy(message, "a factory failed"), 0;
  CallBaseSlots32(a, text, path);
  CallSlots32(a, b);
  CallSlots16(c, d);
  BALANCED("slot 0", ((TdDeleteThis)a->vtable->DeleteThis)((TdObject*)a, 1));
  BALANCED("CBmp16 slot 0", ((TdDeleteThis)c->vtable->DeleteThis)((TdObject*)c, 1));
  b->vtable->DeleteThis((TdObject*)b, 1);
  d->vtable->DeleteThis((TdObject*)d, 1);
  ((TdDeleteThis)text->vtable[0])((TdObject*)text, 1);
  ((TdDeleteThis)path->vtable[0])((TdObject*)path, 1);
  FreeLibrary(dll);
  if (g_Unbalanced) {
    strcpy(message, g_Unbalanced);
    strcat(message, " left the stack unbalanced");
    return 0;
  }
  return 1;
}
