/* A plain C host of the GPS exports: it parses sentences through the
 * parser's table, reads them in its own __stdcall callback, hands them to an
 * interpreter and checks after every call through a table that the stack
 * pointer is where it was. */
#include <windows.h>
#include <math.h>
#include <string.h>

#include "TdLib.h"

#if defined(_M_IX86) || defined(__i386__)
#define READ_SP(v) __asm__ volatile("movl %%esp, %0" : "=r"(v))
#else
#define READ_SP(v) ((v) = 0)
#endif

typedef struct SHostState {
  TdObject* interpreter;
  int sentences;
  int unbalanced;
  TdNMEAGGA gga;
  uint32_t talker, id;
  double latitude, time;
  int positions, fixes, satellites, updates;
  uint32_t fix, count;
} SHostState;

static const TdNMEASentenceTable* SentenceTable(TdObject* o) {
  return *(const TdNMEASentenceTable* const*)o;
}
static const TdNMEAInterpreterTable* InterpreterTable(TdObject* o) {
  return *(const TdNMEAInterpreterTable* const*)o;
}

static void TDLIB_API OnSentence(void* context, TdObject* parser, TdObject* sentence) {
  SHostState* state = (SHostState*)context;
  uintptr_t before, after;
  (void)parser;
  ++state->sentences;
  READ_SP(before);
  state->talker = SentenceTable(sentence)->GetTalkerId(sentence);
  state->id = SentenceTable(sentence)->GetSentenceId(sentence);
  SentenceTable(sentence)->GetGGA(sentence, &state->gga);
  InterpreterTable(state->interpreter)->OnSentence(state->interpreter, sentence);
  READ_SP(after);
  if (before != after) state->unbalanced = 1;
}

static void TDLIB_API OnPosition(void* context, const double* position, uint8_t valid, double time,
                                 uint32_t* error) {
  SHostState* state = (SHostState*)context;
  ++state->positions;
  state->latitude = position[0];
  state->time = time;
  *error = valid ? 0 : 1;
}

static void TDLIB_API OnFix(void* context, uint32_t fix, uint8_t valid, double time) {
  SHostState* state = (SHostState*)context;
  (void)valid;
  (void)time;
  ++state->fixes;
  state->fix = fix;
}

static void TDLIB_API OnSatellites(void* context, uint32_t count, uint8_t valid, double time) {
  SHostState* state = (SHostState*)context;
  (void)valid;
  (void)time;
  ++state->satellites;
  state->count = count;
}

static void TDLIB_API OnUpdate(void* context, TdObject* interpreter) {
  (void)interpreter;
  ++((SHostState*)context)->updates;
}

static int Fail(char* message, const char* text) {
  strcpy(message, text);
  return 0;
}

typedef TdObject*(TDLIB_API* ParserCreateFn)(TdNMEASentenceCallback, void*);
typedef TdObject*(TDLIB_API* ClockCreateFn)(void);
typedef TdObject*(TDLIB_API* InterpreterCreateFn)(TdObject*, TdNMEAPositionCallback, void*,
                                                  TdNMEAFloatCallback, void*, TdNMEAFloatCallback,
                                                  void*, TdNMEACountCallback, void*,
                                                  TdNMEACountCallback, void*,
                                                  TdNMEATimedPositionCallback, void*);
typedef TdObject*(TDLIB_API* ObjectDeleteFn)(TdObject*);
typedef void*(TDLIB_API* InitFn)(void);

/* Returns 1 when every check passed, else 0 with the reason in message. */
int RunGpsCHost(const char* dll_path, char* message) {
  static const char kGGA[] =
      "$GPGGA,092725.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,*5B\r\n";
  SHostState state;
  uintptr_t before, after;
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return Fail(message, "LoadLibrary failed");
  ParserCreateFn parserCreate = (ParserCreateFn)GetProcAddress(dll, "NMEAParserCreate");
  ClockCreateFn clockCreate = (ClockCreateFn)GetProcAddress(dll, "GPSClockCreate");
  InterpreterCreateFn interpreterCreate =
      (InterpreterCreateFn)GetProcAddress(dll, "NMEAInterpreterCreate");
  ObjectDeleteFn objectDelete = (ObjectDeleteFn)GetProcAddress(dll, "ObjectDelete");
  InitFn geodetics = (InitFn)GetProcAddress(dll, "GeodeticsInitialize");
  if (!parserCreate || !clockCreate || !interpreterCreate || !objectDelete || !geodetics)
    return Fail(message, "export missing");
  geodetics();
  memset(&state, 0, sizeof(state));

  READ_SP(before);
  TdObject* clock = clockCreate();
  TdObject* nothing = interpreterCreate(NULL, OnPosition, &state, NULL, NULL, NULL, NULL, OnFix,
                                        &state, OnSatellites, &state, NULL, NULL);
  state.interpreter = interpreterCreate(clock, OnPosition, &state, NULL, NULL, NULL, NULL, OnFix,
                                        &state, OnSatellites, &state, NULL, NULL);
  TdObject* parser = parserCreate(OnSentence, &state);
  READ_SP(after);
  if (before != after) return Fail(message, "a factory left the stack unbalanced");
  if (!clock || nothing || !state.interpreter || !parser) return Fail(message, "factory result");

  const TdNMEAInterpreterTable* it = InterpreterTable(state.interpreter);
  const TdNMEAParserTable* pt = *(const TdNMEAParserTable* const*)parser;
  const TdGPSClockTable* ct = *(const TdGPSClockTable* const*)clock;
  READ_SP(before);
  it->SetOnUpdate(state.interpreter, OnUpdate, &state);
  it->SetActive(state.interpreter, 1);
  it->SetTimeout(state.interpreter, 5.0f);
  pt->Parse(parser, (const uint8_t*)kGGA, 20, 11);
  pt->Parse(parser, (const uint8_t*)kGGA + 20, (int32_t)sizeof(kGGA) - 21, 12);
  it->Poll(state.interpreter);
  float timeout = it->GetTimeout(state.interpreter);
  uint8_t active = it->IsActive(state.interpreter);
  TdObject* queue = it->GetPositionQueue(state.interpreter);
  const TdNMEAMsgQueueTable* qt = *(const TdNMEAMsgQueueTable* const*)queue;
  int32_t items = qt->GetCount(queue);
  TdNMEAMsg* item = qt->GetItem(queue, 0);
  TdNMEAMsg* outside = qt->GetItem(queue, 1);
  uint32_t state2 = ct->GetState(clock);
  uint8_t holdOver = ct->IsHoldOver(clock);
  double now = ct->GetTime(clock);
  ct->SetTag(clock, -60);
  int32_t tag = ct->GetTag(clock);
  ct->StartHold(clock, 1.5f);
  ct->SetTime(clock, 0.0, 0.5, 1);
  ct->UpdateOffset(clock);
  double offset = ct->GetOffset(clock);
  ct->Reset(clock);
  pt->Reset(parser);
  READ_SP(after);
  if (before != after) return Fail(message, "a slot left the stack unbalanced");
  if (state.unbalanced) return Fail(message, "a sentence slot left the stack unbalanced");

  if (state.sentences != 1 || state.talker != 0x5047 || state.id != 0x414747)
    return Fail(message, "sentence");
  if (!state.gga.latitudeValid || fabs(state.gga.latitude - 47.28523316666667) > 1e-12 ||
      state.gga.satellites != 8)
    return Fail(message, "GGA record");
  if (state.positions != 1 || fabs(state.latitude - 0.825283006331558) > 1e-12)
    return Fail(message, "position callback");
  if (state.fixes != 1 || state.fix != 1 || state.satellites != 1 || state.count != 8)
    return Fail(message, "values");
  if (state.updates != 2) return Fail(message, "OnUpdate");
  if (timeout != 5.0f || active != 1) return Fail(message, "getters");
  if (items != 1 || !item || item->type != 1 || item->talker != 0x5047 || outside)
    return Fail(message, "queue");
  if (state2 != 1 || holdOver != 0 || !(now > 40000) || tag != -60 || offset == 0)
    return Fail(message, "clock");

  READ_SP(before);
  objectDelete(parser);
  objectDelete(state.interpreter);
  ((TdDeleteThis)(*(const void* const* const*)clock)[0])(clock, 1);
  READ_SP(after);
  if (before != after) return Fail(message, "freeing left the stack unbalanced");
  FreeLibrary(dll);
  return 1;
}
