// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// What a record file's description line says about the motion. PEER files write it as
// "Imperial Valley-02, 5/19/1940, El Centro Array #9, 180" (event, date, station, component)
// or, in older archives, "IMPERIAL VALLEY 5/19/40 0437, EL CENTRO ARRAY #9, 180" (event with
// its date, station, component). A line of another form is kept whole as the event, so no
// word of it is lost.
struct RecordDescription {
  std::string event;
  std::string date;
  std::string station;
  std::string component;
};

RecordDescription ParseRecordDescription(std::string_view line);
