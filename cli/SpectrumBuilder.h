#pragma once

#include <cstddef>
#include <string>

#include "cli/SpectrumRequest.h"

class SpectrumList;

// Where a request came from, for messages: the options, or a row of a batch file.
struct RequestPlace {
  std::string prefix;      // "" for the options, "FILE:LINE: " for a batch row
  bool batch = false;      // entries are named by column ("alpha_max"), else by option
  std::size_t number = 1;  // the spectrum's position, 1 for the first; gives its default name
};

// Makes spectra from requests by the window's rules: the list choices give the default
// AlphaMax and Tg, the input panel's check accepts or refuses the name and the numbers, and a
// name already in the list is refused. Entries a request leaves out come from the defaults
// given to the constructor, then from the window's start-up selection.
class SpectrumBuilder {
 public:
  explicit SpectrumBuilder(SpectrumRequest defaults = {}) : defaults_(std::move(defaults)) {}

  // Appends the spectrum, or throws CliError (usage) with the first problem.
  void Add(const SpectrumRequest& request, const RequestPlace& place, SpectrumList& spectra) const;

 private:
  SpectrumRequest defaults_;
};
