// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DesignSpectrum;
struct CheckResult;

// One record as the records window's data file lists it.
struct RecordsCsvRecord {
  std::string name;  // the full path of its file, so that records of the same name stay apart
  std::size_t points = 0;
  double step = 0;      // s
  double duration = 0;  // s
  double pga = 0;       // g, unscaled
  double scaleFactor = 1;
  bool real = true;
  double effectiveDuration = 0;  // s
  std::vector<double> psa;       // scaled, g, one per period of `periods`
  std::string description;       // the file's own description line; may be empty
};

// Everything the records window's "Save Data" writes.
struct RecordsCsvContent {
  double damping = 0.05;
  std::optional<double> targetGal;  // cm/s2; none when unscaled
  std::vector<RecordsCsvRecord> records;
  std::vector<double> periods;   // s, of the spectra
  std::vector<double> mean;      // g, over the records, one per period
  std::vector<double> designSa;  // g, one per period when a design spectrum is given
  // The check and its design spectrum, when a check was made.
  const DesignSpectrum* design = nullptr;
  const CheckResult* check = nullptr;
  double tolerance = 0.2;
};

// The comma-separated text of the records window's data file: the records, the settings, the
// check (when there is one) and the scaled spectra with their mean (and the design spectrum
// with its tolerance band, when checked). Every line ends with CR LF; a field holding "," or
// '"' is quoted the RFC 4180 way, so names with commas and a "," decimal separator keep their
// columns. Numbers are the model's number texts with the given decimal separator.
std::string BuildRecordsCsvText(const RecordsCsvContent& content, std::string_view separator);
