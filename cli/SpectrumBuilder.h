// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliError.h"
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
  // Number texts are read and the default ones written with the decimal separator.
  explicit SpectrumBuilder(SpectrumRequest defaults = {}, std::string separator = ".")
      : defaults_(std::move(defaults)), separator_(std::move(separator)) {}

  // Appends the spectrum, or throws CliError (usage) with the first problem.
  void Add(const SpectrumRequest& request, const RequestPlace& place, SpectrumList& spectra) const;

  // The list position the request, else the defaults, picks in a column with a list (code,
  // pga, action, site, group); the first entry when neither names one. Throws CliError
  // (usage) for a text that is not in the list.
  std::int32_t Choice(const SpectrumRequest& request, Column column,
                      const RequestPlace& place = {}) const;

 private:
  static CliError Refuse(const RequestPlace& place, Column column, const std::string& message);
  std::optional<std::string_view> Given(const SpectrumRequest& request, Column column) const;

  SpectrumRequest defaults_;
  std::string separator_;
};
