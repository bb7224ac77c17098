#include "lib/gps/NmeaSentence.h"

#include <cstring>

#include "lib/foundation/exports/Guard.h"
#include "lib/gps/NmeaFields.h"

CNMEASentence::CNMEASentence(uint64_t receiveTime) : receiveTime_(receiveTime) {}

void CNMEASentence::Append(char (&text)[4], char c) {
  const size_t length = std::strlen(text);
  if (length < 3) text[length] = c;
}

uint32_t CNMEASentence::Pack(const char (&text)[4]) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void CNMEASentence::FormatterToListener() {
  std::memcpy(listener_, formatter_, sizeof(listener_));
  std::memset(formatter_, 0, sizeof(formatter_));
}

std::string_view CNMEASentence::GetField(int32_t index) const {
  if (index < 0 || index >= fieldCount_) return {};
  return std::string_view(data_ + fieldStart_[index], fieldStart_[index + 1] - fieldStart_[index]);
}

uint32_t TD_STDCALL CNMEASentence::GetFlags() { return flags_; }
uint32_t TD_STDCALL CNMEASentence::GetSentenceId() { return Pack(formatter_); }
uint32_t TD_STDCALL CNMEASentence::GetTalkerId() { return Pack(talker_); }
uint32_t TD_STDCALL CNMEASentence::GetListenerId() { return Pack(listener_); }
uint64_t TD_STDCALL CNMEASentence::GetReceiveTime() { return receiveTime_; }

void TD_STDCALL CNMEASentence::GetGGA(SNMEAGGA* r) {
  td::GuardVoid(
      [&] {
        if (!r) return;
        *r = {};
        r->LatitudeValid = ReadNMEALatitude(GetField(1), GetField(2), r->Latitude);
        r->LongitudeValid = ReadNMEALongitude(GetField(3), GetField(4), r->Longitude);
        r->HDOPValid = ReadNMEADouble(GetField(7), r->HDOP);
        r->AltitudeValid = ReadNMEADouble(GetField(8), r->Altitude);
        r->GeoidSeparationValid = ReadNMEADouble(GetField(10), r->GeoidSeparation);
        r->DifferentialAgeValid = ReadNMEADouble(GetField(12), r->DifferentialAge);
        r->TimeValid = ReadNMEATime(GetField(0), r->Time);
        r->QualityValid = ReadNMEAUInt(GetField(5), r->Quality);
        r->SatellitesValid = ReadNMEAUInt(GetField(6), r->Satellites);
        r->StationIdValid = ReadNMEAUInt(GetField(13), r->StationId);
      },
      [&] {
        if (r) *r = {};
      });
}

void TD_STDCALL CNMEASentence::GetGLL(SNMEAGLL* r) {
  td::GuardVoid(
      [&] {
        if (!r) return;
        *r = {};
        r->LatitudeValid = ReadNMEALatitude(GetField(0), GetField(1), r->Latitude);
        r->LongitudeValid = ReadNMEALongitude(GetField(2), GetField(3), r->Longitude);
        r->TimeValid = ReadNMEATime(GetField(4), r->Time);
        r->StatusValid = ReadNMEAChar(GetField(5), r->Status);
        r->ModeValid = ReadNMEAChar(GetField(6), r->Mode);
      },
      [&] {
        if (r) *r = {};
      });
}

void TD_STDCALL CNMEASentence::GetGSA(SNMEAGSA* r) {
  td::GuardVoid(
      [&] {
        if (!r) return;
        *r = {};
        for (int32_t i = 0; i < 12; ++i) {
          r->SatelliteIdValid[i] = ReadNMEAUInt(GetField(2 + i), r->SatelliteIds[i]);
          r->IdCount += r->SatelliteIdValid[i];
        }
        r->IdCountValid = 1;
        r->FixTypeValid = ReadNMEAUInt(GetField(1), r->FixType);
        r->PDOPValid = ReadNMEADouble(GetField(14), r->PDOP);
        r->HDOPValid = ReadNMEADouble(GetField(15), r->HDOP);
        r->VDOPValid = ReadNMEADouble(GetField(16), r->VDOP);
        r->ModeValid = ReadNMEAChar(GetField(0), r->Mode);
      },
      [&] {
        if (r) *r = {};
      });
}

void TD_STDCALL CNMEASentence::GetGSV(SNMEAGSV* r) {
  td::GuardVoid(
      [&] {
        if (!r) return;
        *r = {};
        r->MessageCountValid = ReadNMEAUInt(GetField(0), r->MessageCount);
        r->MessageNumberValid = ReadNMEAUInt(GetField(1), r->MessageNumber);
        r->SatellitesInViewValid = ReadNMEAUInt(GetField(2), r->SatellitesInView);
        for (int32_t k = 0; k < 4; ++k) {
          r->SatelliteIdValid[k] = ReadNMEAUInt(GetField(3 + 4 * k), r->SatelliteIds[k]);
          r->ElevationValid[k] = ReadNMEAUInt(GetField(4 + 4 * k), r->Elevations[k]);
          r->AzimuthValid[k] = ReadNMEAUInt(GetField(5 + 4 * k), r->Azimuths[k]);
          r->SignalToNoiseValid[k] = ReadNMEAUInt(GetField(6 + 4 * k), r->SignalToNoise[k]);
        }
      },
      [&] {
        if (r) *r = {};
      });
}

void TD_STDCALL CNMEASentence::GetRMC(SNMEARMC* r) {
  td::GuardVoid(
      [&] {
        if (!r) return;
        *r = {};
        r->LatitudeValid = ReadNMEALatitude(GetField(2), GetField(3), r->Latitude);
        r->LongitudeValid = ReadNMEALongitude(GetField(4), GetField(5), r->Longitude);
        r->SpeedValid = ReadNMEAFloat(GetField(6), r->Speed);
        r->CourseValid = ReadNMEAFloat(GetField(7), r->Course);
        r->VariationValid = ReadNMEAVariation(GetField(9), GetField(10), r->Variation);
        r->TimeValid = ReadNMEATime(GetField(0), r->Time);
        r->DateValid = ReadNMEADate(GetField(8), r->Date);
        r->StatusValid = ReadNMEAChar(GetField(1), r->Status);
        r->ModeValid = ReadNMEAChar(GetField(11), r->Mode);
      },
      [&] {
        if (r) *r = {};
      });
}

void TD_STDCALL CNMEASentence::GetVTG(SNMEAVTG* r) {
  td::GuardVoid(
      [&] {
        if (!r) return;
        *r = {};
        r->SpeedKnotsValid = ReadNMEAFloat(GetField(4), r->SpeedKnots);
        r->SpeedKmhValid = ReadNMEAFloat(GetField(6), r->SpeedKmh);
        r->CourseTrueValid = ReadNMEAFloat(GetField(0), r->CourseTrue);
        r->CourseMagneticValid = ReadNMEAFloat(GetField(2), r->CourseMagnetic);
        r->ModeValid = ReadNMEAChar(GetField(8), r->Mode);
      },
      [&] {
        if (r) *r = {};
      });
}
