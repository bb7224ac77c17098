// Exports of the GPS family: the NMEA parser, the interpreter and the GPS
// clock. Hosts use the objects through their tables and free them with
// ObjectDelete.
#include "TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"
#include "lib/gps/GpsClock.h"
#include "lib/gps/NmeaInterpreter.h"
#include "lib/gps/NmeaParser.h"

#if TD_HOST_ABI
static_assert(sizeof(TdNMEAGGA) == sizeof(SNMEAGGA) && sizeof(TdNMEAGLL) == sizeof(SNMEAGLL) &&
              sizeof(TdNMEAGSA) == sizeof(SNMEAGSA) && sizeof(TdNMEAGSV) == sizeof(SNMEAGSV) &&
              sizeof(TdNMEARMC) == sizeof(SNMEARMC) && sizeof(TdNMEAVTG) == sizeof(SNMEAVTG));
#endif

namespace td {

// The header's callbacks take positions as three doubles, the library's as
// SGeo3D: the same words on the stack.
template <class Function, class HostFunction>
Function FromHostCallback(HostFunction function) {
  static_assert(sizeof(SGeo3D) == 3 * sizeof(double));
  return reinterpret_cast<Function>(function);
}

}  // namespace td

TDEXPORT(TdObject*) NMEAParserCreate(TdNMEASentenceCallback function, void* context) {
  auto callback = td::FromHostCallback<TNMEASentenceFunc>(function);
  return td::ToHost(td::Create<CNMEAParser>(callback, context));
}

// Null without a clock: every sentence needs it.
TDEXPORT(TdObject*)
NMEAInterpreterCreate(TdObject* clock, TdNMEAPositionCallback position, void* positionContext,
                      TdNMEAFloatCallback speed, void* speedContext, TdNMEAFloatCallback course,
                      void* courseContext, TdNMEACountCallback fix, void* fixContext,
                      TdNMEACountCallback satellites, void* satellitesContext,
                      TdNMEATimedPositionCallback timedPosition, void* timedPositionContext) {
  if (!clock) return nullptr;
  using td::FromHostCallback;
  const SNMEAValueCallbacks callbacks{
      MakeCallback(FromHostCallback<TNMEAPositionFunc>(position), positionContext),
      MakeCallback(FromHostCallback<TNMEASpeedFunc>(speed), speedContext),
      MakeCallback(FromHostCallback<TNMEACourseFunc>(course), courseContext),
      MakeCallback(FromHostCallback<TNMEAFixFunc>(fix), fixContext),
      MakeCallback(FromHostCallback<TNMEASatellitesFunc>(satellites), satellitesContext),
      MakeCallback(FromHostCallback<TNMEATimedPositionFunc>(timedPosition), timedPositionContext)};
  auto* gpsClock = static_cast<CGPSClock*>(td::FromHost(clock));
  return td::ToHost(td::Create<CNMEAInterpreter>(gpsClock, callbacks));
}

TDEXPORT(TdObject*) GPSClockCreate() { return td::ToHost(td::Create<CGPSClock>()); }
