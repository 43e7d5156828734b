// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The whole content of a file; empty when it cannot be read.
QByteArray ReadAll(const QString& path);
