// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "records/AccelerationUnit.h"
#include "records/GroundMotion.h"

// The layouts a record file may have.
enum class RecordFormat {
  Automatic,         // ".AT2" names (any case) are PEER records, other files text by their columns
  PeerAt2,           // PEER NGA .AT2
  TimeAcceleration,  // two columns: time, acceleration
  Acceleration,      // one column at a given step
};

struct RecordReadOptions {
  RecordFormat format = RecordFormat::Automatic;
  // The unit the values are in. Text records are in g without one. A PEER record names its
  // unit on its third line: a unit given here must agree with it, and is needed when that
  // line names no unit the reader knows.
  std::optional<AccelerationUnit> unit;
  std::optional<double> step;          // s, needed by one-column text records
  std::string decimalSeparator = ".";  // of the numbers in messages
};

// The most values one record may hold: 10 million, hours of motion at the finest steps
// recorded, and a bound on the memory a wrong file can take.
inline constexpr std::size_t kMostRecordPoints = 10'000'000;

// Reads one record from the bytes of a file; the name is used for the record and in messages.
// Does no file access. Throws RecordError naming the file and line on any fault; no record is
// ever partly read.
GroundMotion ReadRecord(std::string_view fileName, std::string_view bytes,
                        const RecordReadOptions& options = {});
