#include "records/At2Reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "records/RecordError.h"
#include "records/RecordText.h"

namespace {

constexpr std::size_t kHeaderLine = 4;

struct Header {
  double points = 0;
  double step = 0;
};

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// The number after "KEY=" (blanks allowed around the "="), or no value.
std::optional<double> KeyedNumber(std::string_view upperLine, std::string_view key) {
  for (std::size_t at = upperLine.find(key); at != std::string_view::npos;
       at = upperLine.find(key, at + 1)) {
    std::size_t i = at + key.size();
    while (i < upperLine.size() && (upperLine[i] == ' ' || upperLine[i] == '\t')) ++i;
    if (i >= upperLine.size() || upperLine[i] != '=') continue;
    const std::vector<std::string_view> fields = SplitFields(upperLine.substr(i + 1));
    if (!fields.empty()) return ParseRecordNumber(fields.front());
  }
  return std::nullopt;
}

std::optional<Header> ParseHeader(std::string_view line) {
  const std::string upper = Upper(line);
  if (upper.find("NPTS") == std::string::npos || upper.find("DT") == std::string::npos) {
    return std::nullopt;
  }
  const auto points = KeyedNumber(upper, "NPTS");
  const auto step = KeyedNumber(upper, "DT");
  if (points && step) return Header{*points, *step};
  // "4000   0.0100   NPTS, DT": the two numbers first, in the order the names give.
  const std::vector<std::string_view> fields = SplitFields(upper);
  if (fields.size() < 2) return std::nullopt;
  const auto first = ParseRecordNumber(fields[0]);
  const auto second = ParseRecordNumber(fields[1]);
  if (!first || !second) return std::nullopt;
  if (upper.find("DT") < upper.find("NPTS")) return Header{*second, *first};
  return Header{*first, *second};
}

}  // namespace

GroundMotion ReadAt2(std::string_view fileName, std::string_view bytes) {
  const std::vector<std::string_view> lines = SplitLines(bytes);
  if (lines.size() < kHeaderLine) {
    throw RecordError(fileName, 0,
                      "not a PEER record: it ends before the fourth header line, which gives the "
                      "number of points and the time step.");
  }
  const auto header = ParseHeader(lines[kHeaderLine - 1]);
  if (!header) {
    throw RecordError(fileName, kHeaderLine,
                      "expected the number of points and the time step, as "
                      "\"NPTS= 4000, DT= .0100 SEC\" or \"4000 0.0100 NPTS, DT\".");
  }
  // Far beyond any record, and below the size at which the count would stop being exact.
  constexpr double kMostPoints = 1e9;
  if (!(header->points >= 1 && header->points <= kMostPoints) ||
      header->points != std::floor(header->points)) {
    throw RecordError(fileName, kHeaderLine,
                      "the number of points NPTS must be a whole number of at least 1.");
  }
  if (!(header->step > 0)) {
    throw RecordError(fileName, kHeaderLine, "the time step DT must be a positive number.");
  }
  const auto points = static_cast<std::size_t>(header->points);

  GroundMotion motion;
  motion.name = std::string(fileName);
  motion.step = header->step;
  motion.acceleration.reserve(std::min(points, bytes.size() / 2 + 1));
  for (std::size_t index = kHeaderLine; index < lines.size(); ++index) {
    for (const std::string_view field : SplitFields(lines[index])) {
      const auto value = ParseRecordNumber(field);
      if (!value) {
        throw RecordError(fileName, index + 1, QuoteField(field) + " is not a number.");
      }
      if (motion.acceleration.size() < points) {
        motion.acceleration.push_back(*value);
      } else if (*value != 0) {
        throw RecordError(
            fileName, index + 1,
            "more values than the " + std::to_string(points) + " points that the header gives.");
      }
    }
  }
  if (motion.acceleration.size() < points) {
    throw RecordError(fileName, lines.size(),
                      "the file ends after " + std::to_string(motion.acceleration.size()) +
                          " of the " + std::to_string(points) +
                          " points that the header gives (truncated).");
  }
  return motion;
}
