// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/InputCheck.h"

#include "model/NumberText.h"

namespace {

// Spaces and control characters; in UTF-8 no byte of a longer character is this low.
std::string_view TrimControls(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

std::optional<InputProblem> CheckNumber(InputField field, std::string_view text,
                                        std::string_view separator, const char* negativeMessage,
                                        double& target) {
  const auto parsed = ParseNumber(text, separator);
  if (!parsed) {
    return InputProblem{field, NotANumberText(text)};
  }
  const double value = ToDouble(*parsed);  // too large for a double: ends the check
  if (value < 0) return InputProblem{field, negativeMessage};
  target = value;
  return std::nullopt;
}

}  // namespace

std::string NotANumberText(std::string_view text) {
  std::string message = "\"";  // appended piece by piece: GCC 12 -O3 misreads "a" + b
  message.append(text).append("\" is not a valid floating number!");
  return message;
}

std::optional<InputProblem> CheckInputs(const InputTexts& texts, std::string_view separator,
                                        const InputTargets& targets) {
  const std::string_view candidate = TrimControls(texts.name);
  if (candidate.size() >= kNameByteLimit) {
    return InputProblem{InputField::Name, "Response Name must be less than 20 letters."};
  }
  if (candidate.empty()) return InputProblem{InputField::Name, "Please Input Response Name."};
  targets.name = candidate;
  if (auto problem = CheckNumber(InputField::AlphaMax, texts.alphaMax, separator,
                                 "AlphaMax must be postive.", targets.alphaMax)) {
    return problem;
  }
  if (auto problem = CheckNumber(InputField::Tg, texts.tg, separator,
                                 "Characteristic Groud Period must be postive.", targets.tg)) {
    return problem;
  }
  return CheckNumber(InputField::Damping, texts.damping, separator,
                     "Damping ratio must be postive.", targets.damping);
}

std::optional<InputProblem> CheckInputs(const InputTexts& texts, std::string_view separator,
                                        InputValues& values) {
  return CheckInputs(texts, separator, {values.name, values.alphaMax, values.tg, values.damping});
}

std::string DuplicateNameText(std::string_view name) {
  return "Response with name: \"" + std::string(name) +
         "\" already exists! Please Input another Name.";
}
