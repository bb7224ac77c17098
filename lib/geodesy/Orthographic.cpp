// The orthographic projection is accepted in references but has no formulas.
#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/Projections.h"

void GeoToOrthographic(SPointD&, const SGeo2D&, const SGeodeticRef&) {
  throw CGeodeticsError(1, "GeoToOrthographic: Not implemented yet.");
}

void OrthographicToGeo(SGeo2D&, const SPointD&, const SGeodeticRef&) {
  throw CGeodeticsError(1, "OrthographicToGeo: Not implemented yet.");
}
