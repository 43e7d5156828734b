// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

// What a written record says about itself: a title (who made it) and a line of detail (what it
// was made for). Line breaks in them become blanks.
struct RecordHeader {
  std::string title;
  std::string detail;
};

// The text of the record in a format the readers take, the acceleration in g: PEER AT2 (four
// header lines, then five values a line), a time and an acceleration a line, or one
// acceleration a line; Automatic is taken as PEER AT2. Lines end in LF, every number in the
// shortest digits that read back to exactly the value held (the time step too), so that the
// project's readers give back the same record. The text formats carry the description and the units
// in comment lines starting with "#"; the one-column file names its time step there, since the
// reader asks for it.
std::string WriteRecord(const GroundMotion& motion, RecordFormat format,
                        const RecordHeader& description);
