// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The input panel's check of a new spectrum's name and numbers, shared by the window and the
// command line so both accept and refuse the same texts with the same messages.

// The entries, in the order they are checked.
enum class InputField { Name, AlphaMax, Tg, Damping };

// The texts as typed (UTF-8), untrimmed.
struct InputTexts {
  std::string_view name;
  std::string_view alphaMax;
  std::string_view tg;
  std::string_view damping;
};

struct InputValues {
  std::string name;  // trimmed
  double alphaMax = 0;
  double tg = 0;
  double damping = 0;
};

// Where accepted entries go: each is stored as soon as it passed, so a later refusal (or an
// overflow) leaves the earlier ones stored, as the window has always done.
struct InputTargets {
  std::string& name;
  double& alphaMax;
  double& tg;
  double& damping;
};

// The first refused entry and the warning text for it.
struct InputProblem {
  InputField field;
  std::string message;
};

// A name of this many bytes (UTF-8) or more is refused.
inline constexpr std::size_t kNameByteLimit = 20;

// Checks the entries in order: the name (bytes 32 and below trimmed at both ends, then its
// length, then emptiness), then AlphaMax, Tg and the damping ratio (ParseNumber, then below
// zero). Returns the first problem, or nothing when all four were stored. A number that
// parses but is too large for a double throws std::overflow_error from ToDouble.
// The numbers are read with the given decimal separator.
std::optional<InputProblem> CheckInputs(const InputTexts& texts, std::string_view separator,
                                        const InputTargets& targets);
std::optional<InputProblem> CheckInputs(const InputTexts& texts, std::string_view separator,
                                        InputValues& values);

// The warning for a text that is not a number of the input fields' syntax.
std::string NotANumberText(std::string_view text);

// The warning for a name already taken by another spectrum.
std::string DuplicateNameText(std::string_view name);
