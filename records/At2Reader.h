#pragma once

#include <string_view>

#include "records/GroundMotion.h"

// Reads a PEER NGA record: three free header lines, a fourth giving the number of points and the
// time step, either as "NPTS=  4000, DT=   .0100 SEC" or as "4000   0.0100   NPTS, DT" (any
// letter case and spacing), then the accelerations in g, any number per line.
// Values beyond the number of points are accepted only when all of them are zero (padding of the
// last line); they are dropped. Throws RecordError naming the file and line on any fault.
GroundMotion ReadAt2(std::string_view fileName, std::string_view bytes);
