// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The decimal form of a double, the one rounding routine behind the number texts and the axis
// labels: the magnitude as 0.d1d2...dcount x 10^exponent with d1 not 0 and no trailing zeros.
// It starts from the first formDigits significant digits of the exact binary value (rounded to
// nearest, ties to even), then keeps at most digitBudget digits and no digit below the
// placeBudget-th decimal place, rounding half away from zero. Locale-free.

enum class FormKind { Zero, Finite, PlusInfinity, MinusInfinity, NotANumber };

struct DecimalForm {
  FormKind kind = FormKind::Zero;
  bool negative = false;  // only for a finite value whose rounding left a digit
  int exponent = 0;
  int count = 0;
  const char* digits = nullptr;  // into text, where the conversion put them

  DecimalForm() = default;
  DecimalForm(const DecimalForm&) = delete;  // a copy would point into the original
  DecimalForm& operator=(const DecimalForm&) = delete;

  char text[32];
};

inline constexpr int kMaxFormDigits = 18;
inline constexpr int kNoPlaceBudget = 100000;  // larger than any decimal exponent of a double

// formDigits from 2 to kMaxFormDigits.
void Decompose(double x, int formDigits, int digitBudget, int placeBudget, DecimalForm& form);
