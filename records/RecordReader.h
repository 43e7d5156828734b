#pragma once

#include <optional>
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
  AccelerationUnit unit = AccelerationUnit::G;  // text records only; PEER records are in g
  std::optional<double> step;                   // s, needed by one-column text records
};

// Reads one record from the bytes of a file; the name is used for the record and in messages.
// Does no file access. Throws RecordError naming the file and line on any fault; no record is
// ever partly read.
GroundMotion ReadRecord(std::string_view fileName, std::string_view bytes,
                        const RecordReadOptions& options = {});
