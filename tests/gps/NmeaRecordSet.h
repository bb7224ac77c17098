// The six typed records of one sentence, read together: what the tests, the
// fuzzer and the benchmark driver take from every sentence.
#pragma once

#include "lib/gps/NmeaSentence.h"

struct SNMEARecordSet {
  SNMEAGGA GGA;
  SNMEAGLL GLL;
  SNMEAGSA GSA;
  SNMEAGSV GSV;
  SNMEARMC RMC;
  SNMEAVTG VTG;

  void Read(CNMEASentence& sentence) {
    sentence.GetGGA(&GGA);
    sentence.GetGLL(&GLL);
    sentence.GetGSA(&GSA);
    sentence.GetGSV(&GSV);
    sentence.GetRMC(&RMC);
    sentence.GetVTG(&VTG);
  }
};
