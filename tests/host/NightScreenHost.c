/* A plain C host that calls the 19 slots of the night screen, the drawing
 * slots 24-28 of CBmp32 and the decoration exports through the library's
 * export table, and checks after each call that the callee popped exactly
 * its arguments (standard Windows calling convention) and that the calls
 * did their work. */
#include <windows.h>
#include <string.h>

#include "TdLib.h"
#include "tests/host/StackBalance.h"

typedef TdNightScreen*(TDLIB_API* NightScreenInitializeFn)(void);
typedef TdBmp32*(TDLIB_API* Bmp32CreateFn)(uint32_t, int32_t, uint8_t);
typedef TdGeodeticCalibration*(TDLIB_API* CalibrationCreateFn)(void);
typedef void(TDLIB_API* NeedleFn)(TdBmp32*, TdGeodeticCalibration*, double, double);
typedef void(TDLIB_API* CursorFn)(TdBmp32*, TdGeodeticCalibration*, double, double, float, const double*, int32_t,
                                  float);
typedef void(TDLIB_API* ScaleFn)(TdBmp32*, int32_t, int32_t, double, uint32_t, void*);

/* The first call that failed its check or left the stack unbalanced. */
static const char* g_Unbalanced;
static int g_Heard;
static int32_t g_LastChange = -1;

#define CHECK(name, condition)           \
  do {                                   \
    if (!(condition)) g_Unbalanced = name; \
  } while (0)

static void TDLIB_API Listener(void* context, TdNightScreen* screen, int32_t change) {
  (void)screen;
  g_Heard += *(int*)context;
  g_LastChange = change;
}

static void CallNightScreen(TdNightScreen* s, TdBmp32* bmp) {
  const TdNightScreenVtbl* v = s->vtable;
  uint32_t pixels[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  TdPixelBufferDesc desc = {9, 8, 2, 2, 8, -8};
  uint32_t argb = 0x80FF8040, ref = 0x00FF0000;
  int one = 1;
  uint32_t dimmed = 0;
  uint8_t night = 0;
  float value = 0;
  BALANCED("AddListener", v->AddListener(s, Listener, &one));
  BALANCED("RegisterARGB", v->RegisterARGB(s, &argb));
  BALANCED("RegisterCOLORREF", v->RegisterCOLORREF(s, &ref));
  BALANCED("SetBrightnessMax", v->SetBrightnessMax(s, 1.0f));
  BALANCED("SetBrightnessMin", v->SetBrightnessMin(s, 0.25f));
  BALANCED("SetBrightness", v->SetBrightness(s, 0.5f));
  BALANCED("SetNight", v->SetNight(s, 1));
  BALANCED("IsNight", night = v->IsNight(s));
  CHECK("IsNight", night == 1 && g_Heard == 1 && g_LastChange == 2);
  CHECK("RegisterARGB", argb == 0x807F4020);
  CHECK("RegisterCOLORREF", ref == 0x007F0000);
  BALANCED("DimARGB", dimmed = v->DimARGB(s, 0x80FF8040));
  CHECK("DimARGB", dimmed == 0x807F4020);
  BALANCED("DimCOLORREF", dimmed = v->DimCOLORREF(s, 0x80000005));
  CHECK("DimCOLORREF", dimmed == 0x80000005);
  BALANCED("DimPixels", v->DimPixels(s, pixels, &desc));
  CHECK("DimPixels", pixels[3] == 0xFF7F7F7F);
  BALANCED("DimBitmap", v->DimBitmap(s, bmp));
  BALANCED("GetBrightness", value = v->GetBrightness(s));
  CHECK("GetBrightness", value == 0.5f);
  BALANCED("GetBrightnessMax", value = v->GetBrightnessMax(s));
  CHECK("GetBrightnessMax", value == 1.0f);
  BALANCED("GetBrightnessMin", value = v->GetBrightnessMin(s));
  CHECK("GetBrightnessMin", value == 0.25f);
  BALANCED("UnregisterARGB", v->UnregisterARGB(s, &argb));
  CHECK("UnregisterARGB", argb == 0x80FF8040);
  BALANCED("UnregisterCOLORREF", v->UnregisterCOLORREF(s, &ref));
  CHECK("UnregisterCOLORREF", ref == 0x00FF0000);
  BALANCED("SetNight day", v->SetNight(s, 0));
  CHECK("SetNight day", g_Heard == 2 && g_LastChange == 1);
  BALANCED("RemoveListener", v->RemoveListener(s, Listener, &one));
  v->SetNight(s, 1);
  v->SetNight(s, 0);
  CHECK("RemoveListener", g_Heard == 2);
}

static void CallDrawing(TdBmp32* b) {
  const TdBmp32Vtbl* v = b->vtable;
  double from[2] = {2, 2}, to[2] = {8, 2}, points[8] = {1, 1, 5, 1, 5, 5, 1, 5}, rect[4] = {1.5, 1.5, 8.5, 8.5};
  uint8_t drawn = 0;
  v->Fill(b, 0xFF000000);
  BALANCED("DrawLine", drawn = v->DrawLine(b, from, to, 0xFFFFFFFF, 1.0, 1));
  CHECK("DrawLine", drawn == 1 && v->GetScanLine(b, 2)[5] == 0xFFFDFDFD);
  BALANCED("DrawLine nothing", drawn = v->DrawLine(b, from, from, 0xFFFFFFFF, 1.0, 0));
  CHECK("DrawLine nothing", drawn == 0);
  v->Fill(b, 0xFFFFFFFF);
  BALANCED("FillPolygon", v->FillPolygon(b, points, 4, 0xFFFF0000));
  CHECK("FillPolygon", v->GetScanLine(b, 1)[1] == 0xFFFD1F1F && v->GetScanLine(b, 3)[3] == 0xFFFD0000);
  v->Fill(b, 0xFF000000);
  BALANCED("DrawPolyline", v->DrawPolyline(b, points, 4, 0xFFFFFFFF, 1));
  CHECK("DrawPolyline", v->GetScanLine(b, 1)[3] != 0xFF000000);
  v->Fill(b, 0xFF808080);
  BALANCED("DrawRect", v->DrawRect(b, rect, 0xFF000000, 0xFFFFFFFF, 1.0));
  CHECK("DrawRect", v->GetScanLine(b, 5)[5] == 0xFFFFFFFF);
  v->Fill(b, 0xFF000000);
  BALANCED("DrawCircle", v->DrawCircle(b, 8, 8, 4, 0xFFFFFFFF));
  CHECK("DrawCircle", v->GetScanLine(b, 8)[12] == 0xFFFDFDFD);
}

/* Returns 1 when every call kept the stack balanced and did its work, else 0
 * and the call's name in message. */
int RunNightScreenHost(const char* dll_path, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return strcpy(message, "LoadLibrary failed"), 0;
  NightScreenInitializeFn initialize = (NightScreenInitializeFn)GetProcAddress(dll, "NightScreenInitialize");
  Bmp32CreateFn bmp32_create = (Bmp32CreateFn)GetProcAddress(dll, "Bmp32Create");
  CalibrationCreateFn calibration_create = (CalibrationCreateFn)GetProcAddress(dll, "GeodeticCalibrationCreate");
  NeedleFn needle = (NeedleFn)GetProcAddress(dll, "DrawCompassNeedle");
  CursorFn cursor = (CursorFn)GetProcAddress(dll, "DrawGPSCursorSimple");
  ScaleFn scale = (ScaleFn)GetProcAddress(dll, "DrawScale");
  if (!initialize || !bmp32_create || !calibration_create || !needle || !cursor || !scale)
    return strcpy(message, "export missing"), 0;
  g_Unbalanced = NULL;
  TdNightScreen *screen, *again;
  TdBmp32* bmp = bmp32_create(16, 16, 0);
  TdGeodeticCalibration* calibration = calibration_create();
  BALANCED("NightScreenInitialize", screen = initialize());
  again = initialize();
  if (!screen || screen != again || !bmp || !calibration) return strcpy(message, "a factory failed"), 0;
  CallNightScreen(screen, bmp);
  CallDrawing(bmp);
  const double arrow[6] = {0, -4, 3, 3, -3, 3};
  /* The calibration is empty: its size is 0 x 0, so the cursor draws nothing. */
  BALANCED("DrawCompassNeedle", needle(bmp, calibration, 8, 8));
  BALANCED("DrawGPSCursorSimple", cursor(bmp, calibration, 8, 8, 0.5f, arrow, 3, 1.0f));
  BALANCED("DrawScale", scale(bmp, 0, 0, 10, 0x0006800E, NULL));
  BALANCED("DrawScale null", scale(NULL, 0, 0, 10, 0x0006800E, NULL));
  ((TdDeleteThis)calibration->vtable->DeleteThis)((TdObject*)calibration, 1);
  bmp->vtable->DeleteThis((TdObject*)bmp, 1);
  FreeLibrary(dll); /* the night screen goes with the library's clean-ups */
  if (g_Unbalanced) {
    strcpy(message, g_Unbalanced);
    strcat(message, " failed or left the stack unbalanced");
    return 0;
  }
  return 1;
}
