// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SavedDataFile.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CliError.h"
#include "cli/Utf8Text.h"
#include "model/CsvReader.h"
#include "model/InputCheck.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"

namespace {

const std::vector<std::string> kHeading = {"ResponseName", "DesignCode", "Alphamax", "Tg(s)",
                                           "DampingRatio"};

class SavedDataReader {
 public:
  SavedDataReader(std::string_view bytes, std::string_view fileName) : fileName_(fileName) {
    try {
      CsvReader reader(bytes);
      for (CsvRecord record; reader.Next(record);) records_.push_back(std::move(record));
    } catch (const CsvError& error) {
      throw Fail(error.line(), error.what());
    }
  }

  SpectrumList Read() {
    if (records_.empty()) throw Fail(1, "the file is empty");
    if (records_[0].fields != kHeading) {
      throw Fail(1,
                 "not a Save Data file: the first line is not "
                 "ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio");
    }
    std::size_t n = 0;
    while (1 + n < records_.size() && !IsEmptyLine(records_[1 + n])) ++n;
    if (n == 0) throw Fail(LineOf(1), "no spectrum in the file");
    const std::size_t periods = static_cast<std::size_t>(FinePeriodCount());
    if (records_.size() < n + 4 + periods) {
      throw Fail(LineOf(records_.size()), "the file ends before its last data line");
    }
    if (records_.size() > n + 4 + periods) {
      throw Fail(LineOf(n + 4 + periods), "text after the last data line");
    }
    // The first period tells the decimal separator the file was written with.
    const auto& first = records_[n + 4].fields[0];
    separator_ = first == "0,00" ? "," : ".";

    SpectrumList spectra;
    for (std::size_t k = 0; k < n; ++k) ReadParameters(records_[1 + k], spectra);
    ExpectFields(records_[n + 2], NamesLine(spectra), "the names line");
    ExpectFields(records_[n + 3], HeadingLine(n), "the heading line");
    for (std::size_t i = 0; i < periods; ++i) {
      CheckDataLine(records_[n + 4 + i], static_cast<std::int32_t>(i), spectra);
    }
    return spectra;
  }

 private:
  static bool IsEmptyLine(const CsvRecord& record) {
    return record.fields.size() == 1 && record.fields[0].empty();
  }

  std::size_t LineOf(std::size_t index) const {
    return index < records_.size() ? records_[index].line : records_.back().line + 1;
  }

  CliError Fail(std::size_t line, const std::string& message) const {
    return CliError(kExitFailure,
                    std::string(fileName_) + ":" + std::to_string(line) + ": " + message);
  }

  void ReadParameters(const CsvRecord& record, SpectrumList& spectra) const {
    const auto& fields = record.fields;
    if (fields.size() != kHeading.size()) {
      throw Fail(record.line, std::to_string(fields.size()) + " fields in a parameter line, not 5");
    }
    std::int32_t codeType = 0;
    if (fields[1] == "GB 50011-2001") {
      codeType = 1;
    } else if (fields[1] != "GB 50011-2010") {
      throw Fail(record.line, "\"" + fields[1] + "\" is not a design code of this program");
    }
    InputValues values;
    std::optional<InputProblem> problem;
    try {
      problem = CheckInputs({fields[0], fields[2], fields[3], fields[4]}, separator_, values);
    } catch (const std::overflow_error& error) {
      throw Fail(record.line, std::string(error.what()) + ".");
    }
    if (problem) throw Fail(record.line, problem->message);
    if (values.name != fields[0] || !IsUtf8(values.name) || HasControlCharacter(values.name)) {
      throw Fail(record.line, "the name \"" + fields[0] + "\" is not one the program writes");
    }
    if (spectra.NameExists(values.name)) {
      throw Fail(record.line, DuplicateNameText(values.name));
    }
    spectra.Append(std::make_unique<DesignSpectrum>(values.name, values.alphaMax, values.tg,
                                                    values.damping, codeType));
  }

  static std::vector<std::string> NamesLine(const SpectrumList& spectra) {
    std::vector<std::string> fields{""};
    for (const auto& spectrum : spectra) fields.push_back(spectrum->name);
    fields.emplace_back();
    return fields;
  }

  static std::vector<std::string> HeadingLine(std::size_t n) {
    std::vector<std::string> fields{"Period(s)"};
    fields.insert(fields.end(), n, "Sa(g)");
    fields.emplace_back();
    return fields;
  }

  void ExpectFields(const CsvRecord& record, const std::vector<std::string>& want,
                    const char* what) const {
    if (record.fields != want) throw Fail(record.line, std::string(what) + " does not match");
  }

  // Equal texts, or texts of the same number ("0.018" for "1.8000E-02").
  bool SameNumber(const std::string& text, const std::string& expected) const {
    if (text == expected) return true;
    const auto value = ParseNumber(text, separator_);
    return value && *value == ParseNumber(expected, separator_);
  }

  void CheckDataLine(const CsvRecord& record, std::int32_t i, const SpectrumList& spectra) const {
    const auto& fields = record.fields;
    if (fields.size() != spectra.Size() + 2 || !fields.back().empty()) {
      throw Fail(record.line, std::to_string(fields.size()) + " fields in a data line, not " +
                                  std::to_string(spectra.Size() + 2));
    }
    const double period = FinePeriod(i);
    const std::string periodText = FormatPattern(NumberPattern::TwoDecimals, period, separator_);
    if (!SameNumber(fields[0], periodText)) {
      throw Fail(record.line, "the period is " + fields[0] + " where " + periodText + " belongs");
    }
    for (std::size_t k = 0; k < spectra.Size(); ++k) {
      const DesignSpectrum& spectrum = spectra.At(k);
      double sa = 0;
      spectrum.GetSa(period, sa);
      const std::string expected = FormatPattern(NumberPattern::Scientific, sa, separator_);
      const std::string& text = fields[k + 1];
      if (!SameNumber(text, expected)) {
        throw Fail(record.line, "Sa of \"" + spectrum.name + "\" at T = " + periodText + " s is " +
                                    text + " in the file; a fresh computation gives " + expected);
      }
    }
  }

  std::string_view fileName_;
  std::vector<CsvRecord> records_;
  std::string_view separator_ = ".";  // as the file's first period shows it
};

}  // namespace

SpectrumList ReadSavedData(std::string_view bytes, std::string_view fileName) {
  return SavedDataReader(bytes, fileName).Read();
}
