// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/BatchFile.h"

#include <optional>
#include <string>

#include "cli/CliError.h"
#include "model/CsvReader.h"

namespace {

std::string AllColumnNames() {
  std::string names;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (i > 0) names.push_back(',');
    names.append(ColumnName(static_cast<Column>(i)));
  }
  return names;
}

bool IsEmptyLine(const CsvRecord& record) {
  return record.fields.size() == 1 && record.fields[0].empty();
}

}  // namespace

std::vector<BatchRow> ReadBatch(std::string_view bytes, std::string_view fileName) {
  const auto fail = [&](std::size_t line, const std::string& message) {
    return CliError(kExitUsage,
                    std::string(fileName) + ":" + std::to_string(line) + ": " + message);
  };
  std::vector<BatchRow> rows;
  try {
    CsvReader reader(bytes);
    CsvRecord record;
    if (!reader.Next(record)) {
      throw CliError(kExitUsage, std::string(fileName) +
                                     ": the file is empty; its first line "
                                     "names the columns, some of " +
                                     AllColumnNames());
    }
    std::vector<Column> columns;
    for (const std::string& field : record.fields) {
      const auto column = ColumnNamed(field);
      if (!column) {
        throw fail(record.line,
                   "\"" + field + "\" is not a column name; the columns are " + AllColumnNames());
      }
      for (const Column seen : columns) {
        if (seen == *column) throw fail(record.line, "the column " + field + " appears twice");
      }
      columns.push_back(*column);
    }
    while (reader.Next(record)) {
      if (IsEmptyLine(record)) continue;
      if (record.fields.size() != columns.size()) {
        throw fail(record.line, std::to_string(record.fields.size()) + " fields where the " +
                                    "header names " + std::to_string(columns.size()) + " columns");
      }
      BatchRow& row = rows.emplace_back();
      row.line = record.line;
      for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!record.fields[i].empty()) row.request.Set(columns[i], std::move(record.fields[i]));
      }
    }
  } catch (const CsvError& error) {
    throw fail(error.line(), error.what());
  }
  if (rows.empty()) throw CliError(kExitUsage, std::string(fileName) + ": no spectrum in the file");
  return rows;
}
