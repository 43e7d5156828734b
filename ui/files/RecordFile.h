#pragma once

#include <QString>
#include <variant>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

// Reads a ground-motion record file whole. The record's name is the file name; a file that
// cannot be opened or read, or whose accelerations are all zero (nothing to scale), gives the
// message for the user instead: "Cannot read file "<full path>". <system text>", the reader's
// message naming file and line, or "<name>: every acceleration is zero, so the record cannot
// be scaled."
std::variant<GroundMotion, QString> ReadRecordFile(const QString& path,
                                                   const RecordReadOptions& options);
