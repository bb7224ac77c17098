// The navigation values of the GPS navigator, computed on request in the
// scene frame centred at the current position (x north, y east, metres).
#include <algorithm>
#include <cmath>
#include <cstring>

#include "lib/geodesy/Angles.h"
#include "lib/geodesy/Lines.h"
#include "lib/waypoints/GpsNavigator.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointRoute.h"

namespace {

constexpr float kMinLegLength = 0.01f;  // m
constexpr float kMinSpeed = 0.01f;      // m/s
constexpr float kMinVMG = 0.001f;       // m/s

// Takes the bits of done out of mask; true while some are left.
bool Done(uint32_t& mask, uint32_t done) {
  mask &= ~done;
  return mask != 0;
}

}  // namespace

// After each value its bit leaves the working mask; the work ends when the
// mask is empty. While the target is -1 only the trip distances and the time
// since the start are given.
SNavValues CGPSNavigator::CalcNavValues(uint32_t mask) const {
  SNavValues values;
  std::memset(&values, 0, sizeof(values));
  mask &= kNavAll;
  if (mask == 0 || !route_) return values;
  if (mask & kNavTripDistance1) {
    values.TripDistance1 = tripDistance1_;
    values.TripDistance1Valid = 1;
  }
  if (mask & kNavTripDistance2) {
    values.TripDistance2 = tripDistance2_;
    values.TripDistance2Valid = 1;
  }
  if (!Done(mask, kNavTripDistance1 | kNavTripDistance2) || !started_) return values;
  if (mask & kNavTimeSinceStart) {
    values.TimeSinceStart = std::max(0.0, (ClockTime() - startTime_) * 86400.0);
    values.TimeSinceStartValid = 1;
  }
  if (Done(mask, kNavTimeSinceStart)) CalcTargetValues(values, mask);
  return values;
}

void CGPSNavigator::CalcTargetValues(SNavValues& values, uint32_t& mask) const {
  CRoutePoint* target = TargetPoint();
  if (!target) return;
  const SSceneVector t = SceneVector(target);
  if (mask & kNavBearingToTarget) {
    values.BearingToTarget = VectorAngleF(SPointF{t.x, t.y});
    values.BearingToTargetValid = 1;
  }
  if (!Done(mask, kNavBearingToTarget)) return;
  if (mask & (kNavDistanceToTarget | kNavDistanceToEnd | kNavTimeToGo)) {
    values.DistanceToTarget = t.Length();
    values.DistanceToTargetValid = 1;
  }
  if (!Done(mask, kNavDistanceToTarget)) return;
  if (mask & kNavDistanceToEnd) {
    const double rest = reverse_ ? route_->GetDistanceBetween(0, target_)
                                 : route_->GetDistanceBetween(target_, LastIndex());
    values.DistanceToEnd = values.DistanceToTarget + static_cast<float>(rest);
    values.DistanceToEndValid = 1;
  }
  if (Done(mask, kNavDistanceToEnd)) CalcLegValues(values, mask, t);
}

void CGPSNavigator::CalcLegValues(SNavValues& values, uint32_t& mask, const SSceneVector& t) const {
  CRoutePoint* previous = PreviousPoint();
  if (!previous) return;
  const SSceneVector p = SceneVector(previous);
  const float legLength =
      std::sqrt((t.x - p.x) * (t.x - p.x) + (t.y - p.y) * (t.y - p.y) + (t.z - p.z) * (t.z - p.z));
  if (legLength <= kMinLegLength) return;
  const SPointF d{t.x - p.x, t.y - p.y};
  if (mask & kNavLegBearing) {
    values.LegBearing = VectorAngleF(d);
    values.LegBearingValid = 1;
  }
  if (!Done(mask, kNavLegBearing)) return;
  if ((mask & (kNavTimeToGo | kNavVelocityMadeGood)) && course_.Valid && speed_.Valid) {
    values.VelocityMadeGoodValid = 1;
    if (speed_.Value > kMinSpeed) {
      SPointF unitVelocity, unitLeg;
      Vector2NormaliseF(unitVelocity, velocity_);
      Vector2NormaliseF(unitLeg, d);
      values.VelocityMadeGood =
          speed_.Value * (unitVelocity.x * unitLeg.x + unitVelocity.y * unitLeg.y);
    }
  }
  if ((mask & kNavTimeToGo) && values.VelocityMadeGoodValid && values.VelocityMadeGood > kMinVMG) {
    values.TimeToGo = values.DistanceToTarget / values.VelocityMadeGood;
    values.TimeToGoValid = 1;
  }
  if (!Done(mask, kNavTimeToGo | kNavVelocityMadeGood)) return;
  // The foot of the position (the origin) on the leg line.
  SPointF foot{0.0f, 0.0f};
  LineIntersectF(SPointF{0.0f, 0.0f}, SPointF{d.y, -d.x}, SPointF{p.x, p.y}, SPointF{t.x, t.y},
                 foot);
  const float f = std::fabs(d.y) <= std::fabs(d.x) ? (foot.x - p.x) / (t.x - p.x)
                                                   : (foot.y - p.y) / (t.y - p.y);
  if (mask & kNavLegDistance) {
    values.LegDistance = legLength * f;
    values.LegDistanceValid = 1;
  }
  if (!Done(mask, kNavLegDistance)) return;
  if (f < 0.0f || f > 1.0f || previous == startPoint_.get()) return;
  const float crossTrack = std::sqrt(foot.x * foot.x + foot.y * foot.y);
  values.CrossTrack = crossTrack;
  values.CrossTrackValid = 1;
  if (crossTrack > 0.0f) {
    const float rp = previous->GetRadius();
    const float ratio = crossTrack / (rp + (TargetPoint()->GetRadius() - rp) * f);
    const int32_t side =
        PointSideOfLineF(SPointF{p.x, p.y}, SPointF{t.x, t.y}, SPointF{0.0f, 0.0f}, 0.0f);
    values.CrossTrackRatio = side == 0 ? 0.0f : ratio * static_cast<float>(-side);
  }
}

bool CGPSNavigator::GetLegBearing(float& value) const {
  const SNavValues v = CalcNavValues(kNavLegBearing);
  value = v.LegBearing;
  return v.LegBearingValid;
}

bool CGPSNavigator::GetBearingToTarget(float& value) const {
  const SNavValues v = CalcNavValues(kNavBearingToTarget);
  value = v.BearingToTarget;
  return v.BearingToTargetValid;
}

bool CGPSNavigator::GetLegDistance(float& value) const {
  const SNavValues v = CalcNavValues(kNavLegDistance);
  value = v.LegDistance;
  return v.LegDistanceValid;
}

bool CGPSNavigator::GetTripDistance1(double& value) const {
  const SNavValues v = CalcNavValues(kNavTripDistance1);
  value = v.TripDistance1;
  return v.TripDistance1Valid;
}

bool CGPSNavigator::GetTripDistance2(double& value) const {
  const SNavValues v = CalcNavValues(kNavTripDistance2);
  value = v.TripDistance2;
  return v.TripDistance2Valid;
}

bool CGPSNavigator::GetDistanceToTarget(float& value) const {
  const SNavValues v = CalcNavValues(kNavDistanceToTarget);
  value = v.DistanceToTarget;
  return v.DistanceToTargetValid;
}

bool CGPSNavigator::GetDistanceToEnd(float& value) const {
  const SNavValues v = CalcNavValues(kNavDistanceToEnd);
  value = v.DistanceToEnd;
  return v.DistanceToEndValid;
}

bool CGPSNavigator::GetTimeSinceStart(double& value) const {
  const SNavValues v = CalcNavValues(kNavTimeSinceStart);
  value = v.TimeSinceStart;
  return v.TimeSinceStartValid;
}

bool CGPSNavigator::GetTimeToGo(float& value) const {
  const SNavValues v = CalcNavValues(kNavTimeToGo);
  value = v.TimeToGo;
  return v.TimeToGoValid;
}

bool CGPSNavigator::GetCrossTrack(float& distance, float& ratio) const {
  const SNavValues v = CalcNavValues(kNavCrossTrack);
  distance = v.CrossTrack;
  ratio = v.CrossTrackRatio;
  return v.CrossTrackValid;
}

bool CGPSNavigator::GetVMG(float& value) const {
  const SNavValues v = CalcNavValues(kNavVelocityMadeGood);
  value = v.VelocityMadeGood;
  return v.VelocityMadeGoodValid;
}
