// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <variant>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

// Reads a ground-motion record file whole, as the records library's file reader does (a
// regular file only, of bounded size). The record's name is the file name. Gives the message
// for the user instead of a record: "Cannot read file "<full path>". <system text>" when it
// cannot be found, opened or read, the reader's message naming file and line when it is
// refused, "<name>: every acceleration is zero, so the record cannot be scaled." when there
// is nothing to scale, and an empty message when `cancelled` stopped it. May run on any thread.
std::variant<GroundMotion, QString> LoadRecordFile(const QString& path,
                                                   const RecordReadOptions& options,
                                                   const std::atomic<bool>* cancelled = nullptr);
