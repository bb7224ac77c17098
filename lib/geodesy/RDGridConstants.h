// Origin of the Dutch RD grid, shared by its approximate and exact forms.
#pragma once

constexpr double kRdPhi0 = 0.9102967269708094;     // 52.15616056 degrees, Bessel
constexpr double kRdLambda0 = 0.0940320375215393;  // 5.387638889 degrees
constexpr double kRdX0 = 155000.0;
constexpr double kRdY0 = 463000.0;
constexpr double kRadiansPerArcSecond = 4.84813681109536e-6;
