// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TextRecordReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "records/LineCursor.h"
#include "records/RecordError.h"
#include "records/RecordReader.h"
#include "records/RecordText.h"
#include "records/ResponseSpectrum.h"
#include "records/ShortestNumber.h"

namespace {

// Largest departure of the times from equal spacing, as a fraction of the step. Times written
// with a few decimals stay far inside it; a missing or doubled sample is a whole step off.
constexpr double kSpacingTolerance = 0.01;

// A data line: its number in the file and its numbers.
struct DataRow {
  std::size_t line = 0;
  std::array<double, 2> values{};  // as many as the layout has columns
  std::string_view firstField;     // as written, for messages
};

std::vector<DataRow> ReadRows(std::string_view fileName, std::string_view bytes,
                              std::size_t columns, std::string_view expected) {
  std::vector<DataRow> rows;
  LineCursor cursor(bytes);
  for (std::string_view line; cursor.Next(line);) {
    const std::size_t number = cursor.Number();
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.empty()) continue;
    if (rows.size() == kMostRecordPoints) {
      throw RecordError(fileName, number,
                        "more than " + std::to_string(kMostRecordPoints) +
                            " values, the most a record may hold.");
    }
    if (fields.size() != columns) {
      throw RecordError(fileName, number,
                        "expected " + std::string(expected) + ", found " +
                            std::to_string(fields.size()) + " values.");
    }
    DataRow row{number, {}, fields.front()};
    for (std::size_t f = 0; f < columns; ++f) {
      const auto value = ParseRecordNumber(fields[f]);
      if (!value) throw RecordError(fileName, number, QuoteField(fields[f]) + " is not a number.");
      row.values[f] = *value;
    }
    rows.push_back(row);
  }
  if (rows.empty()) throw RecordError(fileName, 0, "the file holds no acceleration values.");
  return rows;
}

[[noreturn]] void ThrowUneven(std::string_view fileName, const DataRow& row, double step,
                              std::string_view separator) {
  throw RecordError(fileName, row.line,
                    "the times are not equally spaced: " + QuoteField(row.firstField) +
                        " is not one step of " + FormatGeneral(step, separator) +
                        " s after the time before.");
}

// The mean step of the time column, after checking that the times are equally spaced: each
// interval against the median one, so that a gap is blamed on its own line, then each time
// against its place on the grid of the mean step, which catches a slow drift.
double EqualStep(std::string_view fileName, const std::vector<DataRow>& rows,
                 std::string_view separator) {
  if (rows.size() < 2) {
    throw RecordError(fileName, rows.front().line,
                      "a time step needs at least two times; this is the only data line.");
  }
  std::vector<double> intervals;
  for (std::size_t k = 1; k < rows.size(); ++k) {
    intervals.push_back(rows[k].values[0] - rows[k - 1].values[0]);
  }
  std::vector<double> sorted = intervals;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  const double median = sorted[sorted.size() / 2];
  if (!(median > 0) || !std::isfinite(median)) {
    throw RecordError(fileName, rows[1].line, "the times must increase from one line to the next.");
  }
  for (std::size_t k = 1; k < rows.size(); ++k) {
    if (!(std::fabs(intervals[k - 1] - median) <= kSpacingTolerance * median)) {
      ThrowUneven(fileName, rows[k], median, separator);
    }
  }
  const double start = rows.front().values[0];
  const double step = (rows.back().values[0] - start) / static_cast<double>(rows.size() - 1);
  for (std::size_t k = 1; k < rows.size(); ++k) {
    const double place = start + static_cast<double>(k) * step;
    if (!(std::fabs(rows[k].values[0] - place) <= kSpacingTolerance * step)) {
      ThrowUneven(fileName, rows[k], step, separator);
    }
  }
  return step;
}

// The step of a one-column record comes with it, not from a line of the file.
void CheckStep(std::string_view fileName, std::size_t line, double step,
               std::string_view separator) {
  if (!(step > 0 && step <= kLongestStep)) {
    throw RecordError(fileName, line,
                      "the time step must be above 0 and at most " +
                          ShortestNumber(kLongestStep, separator) + " s.");
  }
}

GroundMotion Motion(std::string_view fileName, double step, const std::vector<DataRow>& rows,
                    std::size_t column, AccelerationUnit unit) {
  GroundMotion motion;
  motion.name = std::string(fileName);
  motion.step = step;
  motion.acceleration.reserve(rows.size());
  const double factor = ToG(unit);
  for (const DataRow& row : rows) motion.acceleration.push_back(row.values[column] * factor);
  return motion;
}

}  // namespace

GroundMotion ReadTimeAcceleration(std::string_view fileName, std::string_view bytes,
                                  AccelerationUnit unit, std::string_view decimalSeparator) {
  const std::vector<DataRow> rows = ReadRows(fileName, bytes, 2, "a time and an acceleration");
  const double step = EqualStep(fileName, rows, decimalSeparator);
  CheckStep(fileName, rows[1].line, step, decimalSeparator);
  return Motion(fileName, step, rows, 1, unit);
}

GroundMotion ReadAcceleration(std::string_view fileName, std::string_view bytes, double step,
                              AccelerationUnit unit, std::string_view decimalSeparator) {
  CheckStep(fileName, 0, step, decimalSeparator);
  return Motion(fileName, step, ReadRows(fileName, bytes, 1, "one acceleration"), 0, unit);
}
