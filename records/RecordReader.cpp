// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordReader.h"

#include <cctype>
#include <string>
#include <vector>

#include "records/At2Reader.h"
#include "records/LineCursor.h"
#include "records/RecordError.h"
#include "records/RecordText.h"
#include "records/TextRecordReader.h"

namespace {

bool HasAt2Extension(std::string_view fileName) {
  constexpr std::string_view kExtension = ".at2";
  if (fileName.size() < kExtension.size()) return false;
  const std::string_view tail = fileName.substr(fileName.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i]) return false;
  }
  return true;
}

// The number of fields on the first data line of a text record (0 when there is none).
std::size_t FirstLineColumns(std::string_view bytes) {
  LineCursor cursor(bytes);
  for (std::string_view line; cursor.Next(line);) {
    line = line.substr(0, line.find('#'));
    const std::size_t count = SplitFields(line).size();
    if (count > 0) return count;
  }
  return 0;
}

RecordFormat Resolve(std::string_view fileName, std::string_view bytes,
                     const RecordReadOptions& options) {
  if (options.format != RecordFormat::Automatic) return options.format;
  if (HasAt2Extension(fileName)) return RecordFormat::PeerAt2;
  if (FirstLineColumns(bytes) == 1) return RecordFormat::Acceleration;
  return RecordFormat::TimeAcceleration;
}

}  // namespace

GroundMotion ReadRecord(std::string_view fileName, std::string_view bytes,
                        const RecordReadOptions& options) {
  switch (Resolve(fileName, bytes, options)) {
    case RecordFormat::PeerAt2:
      return ReadAt2(fileName, bytes, options.unit, options.decimalSeparator);
    case RecordFormat::Acceleration:
      if (!options.step) {
        throw RecordError(fileName, 0,
                          "a record of one column needs the time step; give it with the file.");
      }
      return ReadAcceleration(fileName, bytes, *options.step,
                              options.unit.value_or(AccelerationUnit::G), options.decimalSeparator);
    case RecordFormat::TimeAcceleration:
    case RecordFormat::Automatic:
      break;
  }
  return ReadTimeAcceleration(fileName, bytes, options.unit.value_or(AccelerationUnit::G),
                              options.decimalSeparator);
}
