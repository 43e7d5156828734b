// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SpectrumBuilder.h"

#include <memory>
#include <stdexcept>

#include "cli/CliError.h"
#include "cli/SelectionChoices.h"
#include "cli/Utf8Text.h"
#include "model/CodeTables.h"
#include "model/InputCheck.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"

namespace {

constexpr double kStartUpDamping = 0.05;

Column ColumnOf(InputField field) {
  switch (field) {
    case InputField::Name:
      return Column::Name;
    case InputField::AlphaMax:
      return Column::AlphaMax;
    case InputField::Tg:
      return Column::Tg;
    case InputField::Damping:
      break;
  }
  return Column::Damping;
}

}  // namespace

CliError SpectrumBuilder::Refuse(const RequestPlace& place, Column column,
                                 const std::string& message) {
  const std::string_view label = place.batch ? ColumnName(column) : OptionName(column);
  return CliError(kExitUsage, place.prefix + std::string(label) + ": " + message);
}

std::optional<std::string_view> SpectrumBuilder::Given(const SpectrumRequest& request,
                                                       Column column) const {
  const auto text = request.Given(column);
  return text ? text : defaults_.Given(column);
}

std::int32_t SpectrumBuilder::Choice(const SpectrumRequest& request, Column column,
                                     const RequestPlace& place) const {
  const auto text = Given(request, column);
  if (!text) return 0;  // the window starts on the first entry of every list
  const auto index = ChoiceIndex(column, *text);
  if (!index) {
    throw Refuse(place, column,
                 "\"" + std::string(*text) + "\" is not one of " + ChoiceTexts(column));
  }
  return *index;
}

void SpectrumBuilder::Add(const SpectrumRequest& request, const RequestPlace& place,
                          SpectrumList& spectra) const {
  const auto given = [&](Column column) { return Given(request, column); };
  const auto refuse = [&](Column column, const std::string& message) {
    return Refuse(place, column, message);
  };

  std::int32_t choice[kColumnCount] = {};
  for (const Column column :
       {Column::Code, Column::Pga, Column::Action, Column::Site, Column::Group}) {
    choice[static_cast<std::size_t>(column)] = Choice(request, column, place);
  }
  const auto at = [&](Column column) { return choice[static_cast<std::size_t>(column)]; };

  // The texts the window puts into its fields for these choices.
  const std::string name = "Spectrum-" + std::to_string(place.number);
  const std::string alphaMax =
      FormatGeneral(DefaultAlphaMax(at(Column::Pga), at(Column::Action)), separator_);
  const std::string tg =
      FormatGeneral(DefaultTg(at(Column::Site), at(Column::Group)).value_or(0), separator_);
  const std::string damping = FormatGeneral(kStartUpDamping, separator_);
  const InputTexts texts{given(Column::Name).value_or(name),
                         given(Column::AlphaMax).value_or(alphaMax), given(Column::Tg).value_or(tg),
                         given(Column::Damping).value_or(damping)};

  InputValues values;
  std::optional<InputProblem> problem;
  try {
    problem = CheckInputs(texts, separator_, values);
  } catch (const std::overflow_error& error) {
    // The window's error display ends the message with a full stop.
    throw CliError(kExitUsage, place.prefix + error.what() + ".");
  }
  if (problem) throw refuse(ColumnOf(problem->field), problem->message);
  // A name ends up in file names, comment lines and JSON: text on one line only.
  if (!IsUtf8(values.name) || HasControlCharacter(values.name)) {
    throw refuse(Column::Name, "Response Name must be UTF-8 text without control characters.");
  }
  if (spectra.NameExists(values.name)) {
    throw refuse(Column::Name, DuplicateNameText(values.name));
  }
  spectra.Append(std::make_unique<DesignSpectrum>(values.name, values.alphaMax, values.tg,
                                                  values.damping, at(Column::Code)));
}
