// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DecimalForm.h"

#include <cassert>
#include <charconv>
#include <cmath>

void Decompose(double x, int formDigits, int digitBudget, int placeBudget, DecimalForm& form) {
  assert(formDigits >= 2 && formDigits <= kMaxFormDigits);
  form.kind = FormKind::Zero;
  form.negative = false;
  form.exponent = 0;
  form.count = 0;
  form.digits = nullptr;
  if (std::isnan(x)) {
    form.kind = FormKind::NotANumber;
    return;
  }
  if (std::isinf(x)) {
    form.kind = x > 0 ? FormKind::PlusInfinity : FormKind::MinusInfinity;
    return;
  }
  if (x == 0) return;

  // formDigits significant digits of the exact binary value, rounded to nearest by the
  // library: "d.ddd...e+XX". Moving d1 onto the point makes the digits contiguous.
  char* const text = form.text;
  const auto converted = std::to_chars(text, text + sizeof form.text, std::fabs(x),
                                       std::chars_format::scientific, formDigits - 1);
  assert(converted.ec == std::errc());
  text[1] = text[0];
  char* const digits = text + 1;
  const char* cursor = digits + formDigits + 1;  // past the 'e'
  const bool negativeExponent = *cursor++ == '-';
  int scientificExponent = 0;
  for (; cursor < converted.ptr; ++cursor) {
    scientificExponent = scientificExponent * 10 + (*cursor - '0');
  }
  int exponent = (negativeExponent ? -scientificExponent : scientificExponent) + 1;

  int keep = exponent + placeBudget;
  if (keep < 0) return;
  if (keep > digitBudget) keep = digitBudget;
  if (keep >= formDigits) {
    keep = formDigits;
  } else if (digits[keep] >= '5') {
    int i = keep - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1';
      keep = 1;
      ++exponent;
    }
  }
  while (keep > 0 && digits[keep - 1] == '0') --keep;
  if (keep == 0) return;
  form.kind = FormKind::Finite;
  form.negative = x < 0;
  form.exponent = exponent;
  form.count = keep;
  form.digits = digits;
}
