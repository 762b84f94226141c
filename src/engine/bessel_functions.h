#pragma once
// Bessel functions of integer order whose work stays bounded for any order.
// The mathematics library's jn and yn take time in proportion to the order;
// up to kMaxRecurrenceOrder they are used as they are. Above it the value is
// given where it is certain at double precision (underflow to 0 or overflow
// to an infinity well below the turning point, the leading large-argument
// term far beyond it) and is NaN in between.

namespace tessarin::engine {

inline constexpr int kMaxRecurrenceOrder = 1000000;

double BesselJ(int order, double x);
double BesselY(int order, double x);

}  // namespace tessarin::engine
