#pragma once

#include <string>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"

// Everything `check` prints: the design spectrum, how the records were scaled, the records as
// read and the outcome of the check.
struct CheckReport {
  struct Record {
    std::string path;
    double peakAcceleration = 0;  // as read, g
    double scaleFactor = 1;
  };

  const DesignSpectrum* design = nullptr;
  std::string scaling;  // a sentence
  double tolerancePercent = 20;
  std::vector<Record> records;  // in the order of the result's records
  CheckResult result;
};
