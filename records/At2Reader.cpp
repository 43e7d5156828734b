// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/At2Reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "records/LineCursor.h"
#include "records/RecordError.h"
#include "records/RecordReader.h"
#include "records/RecordText.h"
#include "records/ResponseSpectrum.h"
#include "records/ShortestNumber.h"

namespace {

constexpr std::size_t kDescriptionLine = 2;
constexpr std::size_t kUnitLine = 3;
constexpr std::size_t kHeaderLine = 4;

// The unit names a third line may hold, written as one word: upper case, blanks around "/"
// dropped, "**" and "^" before a power dropped and "²" as "2".
struct UnitName {
  std::string_view name;
  AccelerationUnit unit;
};
constexpr UnitName kUnitNames[] = {
    {"G", AccelerationUnit::G},
    {"CM/SEC/SEC", AccelerationUnit::Gal},
    {"CM/S/S", AccelerationUnit::Gal},
    {"CM/SEC2", AccelerationUnit::Gal},
    {"CM/S2", AccelerationUnit::Gal},
    {"GAL", AccelerationUnit::Gal},
    {"GALS", AccelerationUnit::Gal},
    {"M/SEC/SEC", AccelerationUnit::MetresPerSecondSquared},
    {"M/S/S", AccelerationUnit::MetresPerSecondSquared},
    {"M/SEC2", AccelerationUnit::MetresPerSecondSquared},
    {"M/S2", AccelerationUnit::MetresPerSecondSquared},
};

const char* UnitText(AccelerationUnit unit) {
  switch (unit) {
    case AccelerationUnit::Gal:
      return "cm/s2";
    case AccelerationUnit::MetresPerSecondSquared:
      return "m/s2";
    case AccelerationUnit::G:
      break;
  }
  return "g";
}

std::string Trimmed(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return std::string(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
}

bool IsWordByte(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/'; }

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

// The line in upper case with "²" as "2", "**" and "^" dropped and no blanks around "/".
std::string UnitWords(std::string_view line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line.substr(i, 2) == "\xC2\xB2") {
      text.push_back('2');
      ++i;
    } else if (line[i] == '*' || line[i] == '^') {
      continue;
    } else if ((line[i] == ' ' || line[i] == '\t') && !text.empty() && text.back() == '/') {
      continue;
    } else if (line[i] == '/') {
      while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
      text.push_back('/');
    } else {
      text.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(line[i]))));
    }
  }
  return text;
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

AccelerationUnit FileUnit(std::string_view fileName, std::string_view line,
                          std::optional<AccelerationUnit> givenUnit) {
  const std::optional<AccelerationUnit> named = At2HeaderUnit(line);
  if (!named) {
    if (givenUnit) return *givenUnit;
    throw RecordError(fileName, kUnitLine,
                      "the unit of the values is not named (g, CM/SEC/SEC, GAL or M/SEC/SEC); "
                      "say which it is.");
  }
  if (givenUnit && *givenUnit != *named) {
    throw RecordError(fileName, kUnitLine,
                      std::string("the file gives its values in ") + UnitText(*named) +
                          ", not in the " + UnitText(*givenUnit) + " asked for.");
  }
  return *named;
}

}  // namespace

std::optional<AccelerationUnit> At2HeaderUnit(std::string_view line) {
  const std::string words = UnitWords(line);
  std::optional<AccelerationUnit> found;
  for (std::size_t i = 0; i < words.size();) {
    if (!IsWordByte(words[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < words.size() && IsWordByte(words[i])) ++i;
    const std::string_view word = std::string_view(words).substr(start, i - start);
    for (const UnitName& entry : kUnitNames) {
      if (word != entry.name) continue;
      if (found && *found != entry.unit) return std::nullopt;
      found = entry.unit;
    }
  }
  return found;
}

GroundMotion ReadAt2(std::string_view fileName, std::string_view bytes,
                     std::optional<AccelerationUnit> givenUnit, std::string_view decimalSeparator) {
  LineCursor cursor(bytes);
  std::string_view lines[kHeaderLine];
  std::size_t headerLines = 0;
  while (headerLines < kHeaderLine && cursor.Next(lines[headerLines])) ++headerLines;
  if (headerLines < kHeaderLine) {
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
  if (!(header->points >= 1 && header->points <= static_cast<double>(kMostRecordPoints)) ||
      header->points != std::floor(header->points)) {
    throw RecordError(fileName, kHeaderLine,
                      "the number of points NPTS must be a whole number from 1 to " +
                          std::to_string(kMostRecordPoints) + ", the most a record may hold.");
  }
  if (!(header->step > 0 && header->step <= kLongestStep)) {
    throw RecordError(fileName, kHeaderLine,
                      "the time step DT must be above 0 and at most " +
                          ShortestNumber(kLongestStep, decimalSeparator) + " s.");
  }
  const auto points = static_cast<std::size_t>(header->points);
  const double factor = ToG(FileUnit(fileName, lines[kUnitLine - 1], givenUnit));

  GroundMotion motion;
  motion.name = std::string(fileName);
  motion.description = Trimmed(lines[kDescriptionLine - 1]);
  motion.step = header->step;
  motion.acceleration.reserve(std::min(points, bytes.size() / 2 + 1));
  for (std::string_view line; cursor.Next(line);) {
    for (const std::string_view field : SplitFields(line)) {
      const auto value = ParseRecordNumber(field);
      if (!value) {
        throw RecordError(fileName, cursor.Number(), QuoteField(field) + " is not a number.");
      }
      if (motion.acceleration.size() < points) {
        motion.acceleration.push_back(*value * factor);
      } else if (*value != 0) {
        throw RecordError(
            fileName, cursor.Number(),
            "more values than the " + std::to_string(points) + " points that the header gives.");
      }
    }
  }
  if (motion.acceleration.size() < points) {
    throw RecordError(fileName, cursor.Number(),
                      "the file ends after " + std::to_string(motion.acceleration.size()) +
                          " of the " + std::to_string(points) +
                          " points that the header gives (truncated).");
  }
  return motion;
}
