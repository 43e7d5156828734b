// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <span>
#include <string>
#include <string_view>

#include "model/NumberText.h"

class Desktop;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// The records window's controls, made alike in each of its groups.

// A button that Enter does not press, wide enough for its caption.
QPushButton* MakeButton(const QString& caption, QWidget* parent);
// A drop-down list of the given items.
QComboBox* MakeList(std::span<const char* const> items, QWidget* parent);
// A label that shows its text as typed, never as markup.
QLabel* PlainLabel(const QString& text, QWidget* parent);

// The decimal separator of the system's regional settings as they are now.
std::string DecimalSeparatorOf(const Desktop& desktop);

// The model's number texts as the window shows them.
QString GeneralText(double value, std::string_view separator);
QString PatternText(NumberPattern pattern, double value, std::string_view separator);
