// Exports of the GPS family: the NMEA parser, the interpreter and the GPS
// clock. Hosts use the objects through their tables and free them with
// ObjectDelete.
#include "lib/foundation/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/gps/GpsClock.h"
#include "lib/gps/NmeaInterpreter.h"
#include "lib/gps/NmeaParser.h"

TDEXPORT(CNMEAParser*) NMEAParserCreate(TNMEASentenceFunc function, void* context) {
  return td::Create<CNMEAParser>(function, context);
}

// Null without a clock: every sentence needs it.
TDEXPORT(CNMEAInterpreter*)
NMEAInterpreterCreate(CGPSClock* clock, TNMEAPositionFunc position, void* positionContext,
                      TNMEASpeedFunc speed, void* speedContext, TNMEACourseFunc course,
                      void* courseContext, TNMEAFixFunc fix, void* fixContext,
                      TNMEASatellitesFunc satellites, void* satellitesContext,
                      TNMEATimedPositionFunc timedPosition, void* timedPositionContext) {
  if (!clock) return nullptr;
  const SNMEAValueCallbacks callbacks{MakeCallback(position, positionContext),
                                      MakeCallback(speed, speedContext),
                                      MakeCallback(course, courseContext),
                                      MakeCallback(fix, fixContext),
                                      MakeCallback(satellites, satellitesContext),
                                      MakeCallback(timedPosition, timedPositionContext)};
  return td::Create<CNMEAInterpreter>(clock, callbacks);
}

TDEXPORT(CGPSClock*) GPSClockCreate() { return td::Create<CGPSClock>(); }
