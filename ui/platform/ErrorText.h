// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>

// The text of the error display: the message with a full stop appended when its last
// character has a code above that of the full stop (46), so none follows ".", " ", "!"
// or ")". An empty message stays empty.
QString ErrorText(const QString& message);

// The same for an exception's message, read as UTF-8.
QString ErrorText(const std::exception& error);
