// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordDescription.h"

#include <vector>

namespace {

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::vector<std::string> CommaFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma = line.find(','); comma != std::string_view::npos;
       comma = line.find(',', start)) {
    fields.push_back(Trim(line.substr(start, comma - start)));
    start = comma + 1;
  }
  fields.push_back(Trim(line.substr(start)));
  return fields;
}

}  // namespace

RecordDescription ParseRecordDescription(std::string_view line) {
  const std::vector<std::string> fields = CommaFields(line);
  RecordDescription description;
  for (const std::string& field : fields) {
    if (field.empty()) return {Trim(line), {}, {}, {}};
  }
  if (fields.size() == 3) return {fields[0], {}, fields[1], fields[2]};
  if (fields.size() < 4) return {Trim(line), {}, {}, {}};
  // A station name may hold commas of its own: the fields between the date and the last.
  description.event = fields[0];
  description.date = fields[1];
  for (std::size_t i = 2; i + 1 < fields.size(); ++i) {
    description.station += (i > 2 ? ", " : "") + fields[i];
  }
  description.component = fields.back();
  return description;
}
