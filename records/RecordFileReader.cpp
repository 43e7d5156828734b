// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFileReader.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "records/RecordError.h"

namespace {

// Read in pieces of this size, so that cancelling takes effect soon.
constexpr std::size_t kPieceBytes = 1 << 20;

std::string MiB(std::uintmax_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

[[noreturn]] void ThrowSystem(int error, const std::string& path) {
  throw std::system_error(error != 0 ? error : EIO, std::generic_category(), path);
}

}  // namespace

void CheckRecordFileSize(std::string_view name, std::uintmax_t bytes) {
  if (bytes <= kMostRecordFileBytes) return;
  throw RecordError(
      name, 0,
      "the file is larger than " + MiB(kMostRecordFileBytes) + ", more than a record file may be.");
}

std::optional<GroundMotion> ReadRecordFile(const std::string& path, std::string_view name,
                                           const RecordReadOptions& options,
                                           const std::atomic<bool>* cancelled) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) throw std::system_error(error, path);
  if (!fs::is_regular_file(status)) {
    throw RecordError(name, 0,
                      fs::is_directory(status)
                          ? "a folder, not a record file."
                          : "not a regular file (a pipe, a device or a socket); only files are "
                            "read as records.");
  }
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) throw std::system_error(error, path);
  CheckRecordFileSize(name, size);

  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) ThrowSystem(errno, path);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  std::string piece(kPieceBytes, '\0');
  for (;;) {
    if (cancelled != nullptr && cancelled->load()) return std::nullopt;
    file.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    const auto got = static_cast<std::size_t>(file.gcount());
    bytes.append(piece, 0, got);
    // A file that grows while it is read is bounded all the same.
    CheckRecordFileSize(name, bytes.size());
    if (file.eof()) break;
    if (!file) ThrowSystem(errno, path);
  }
  if (cancelled != nullptr && cancelled->load()) return std::nullopt;
  return ReadRecord(name, bytes, options);
}
