#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <variant>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

// The most bytes a record file may hold. A record of a million points written at 30 characters
// each stays well below it; anything larger is refused before it can fill the memory.
inline constexpr std::int64_t kMaxRecordFileBytes = std::int64_t{64} << 20;

// Reads a ground-motion record file whole. The record's name is the file name. Only a regular
// file is opened: a pipe would block the reader and a device may never end. `cancelled` is
// asked between blocks of the file; when it answers true the reading stops with an empty
// message. Gives the message for the user instead of a record when the file is not a regular
// file, is larger than the limit, cannot be opened or read, or is refused by the reader (the
// message names the file and line), or when all its accelerations are zero (nothing to scale).
// May run on any thread.
std::variant<GroundMotion, QString> ReadRecordFile(const QString& path,
                                                   const RecordReadOptions& options,
                                                   const std::function<bool()>& cancelled = {});
