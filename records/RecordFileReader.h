// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

// The largest record file read, in bytes (256 MiB): ten million values in any of the layouts
// with room to spare, and a bound on what a wrong file can make the program hold.
inline constexpr std::uintmax_t kMostRecordFileBytes = 256u << 20;

// Throws RecordError naming the file when a file of this size is more than a record file may
// be.
void CheckRecordFileSize(std::string_view name, std::uintmax_t bytes);

// Reads the record in the file at path, which must be a regular file (a pipe, a device or a
// folder is refused before it is opened, so nothing blocks or reads forever) of at most
// kMostRecordFileBytes; name is the record's name and the name in messages. Touches nothing
// but the file, so it may run on any thread; it stops, giving no record, soon after *cancelled
// becomes true. Throws std::system_error (with the system's reason) when the file cannot be
// found, opened or read, and RecordError naming the file (and line) when it is refused.
std::optional<GroundMotion> ReadRecordFile(const std::string& path, std::string_view name,
                                           const RecordReadOptions& options,
                                           const std::atomic<bool>* cancelled = nullptr);
