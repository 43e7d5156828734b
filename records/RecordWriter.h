#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "records/GroundMotion.h"

// The formats a record is written in, all with the acceleration in g: PEER AT2 (four header
// lines, then five values a line), a time and an acceleration a line, or one acceleration a line.
enum class RecordFormat { At2, TwoColumn, OneColumn };

// "at2", "two-column" or "one-column"; no value for anything else.
std::optional<RecordFormat> RecordFormatNamed(std::string_view name);

// What a written record says about itself: a title (who made it) and a line of detail (what it
// was made for). Line breaks in them become blanks.
struct RecordDescription {
  std::string title;
  std::string detail;
};

// The text of the record in the format, lines ended by LF, every number in the shortest digits
// that read back to exactly the value held (the time step too), so that the project's readers
// give back the same record. The text formats carry the description and the units in comment
// lines starting with "#"; the one-column file names its time step there, since the reader asks
// for it.
std::string WriteRecord(const GroundMotion& motion, RecordFormat format,
                        const RecordDescription& description);
