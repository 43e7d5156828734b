#include "StagedFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "cli/CliError.h"

namespace {

std::string Reason(int error) { return std::generic_category().message(error); }

CliError Failure(const char* what, const std::string& path, int error) {
  return CliError(kExitFailure, std::string(what) + " \"" + path + "\": " + Reason(error));
}

// A name beside the target that no other run uses: the process id and a counter.
std::string TemporaryName(const std::string& target, unsigned attempt) {
  static unsigned counter = 0;
  return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
         std::to_string(attempt);
}

int CreateTemporary(const std::string& target, std::string& name) {
  for (unsigned attempt = 0;; ++attempt) {
    name = TemporaryName(target, attempt);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST || attempt >= 100) return fd;
  }
}

// Every byte, or the errno of the failure; a write that makes no progress counts as a full
// disk.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

StagedFiles::~StagedFiles() {
  for (std::size_t i = committed_; i < entries_.size(); ++i) {
    ::unlink(entries_[i].temporary.c_str());
  }
}

void StagedFiles::Stage(const std::string& path, std::string_view bytes) {
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) throw Failure("Cannot create file", path, errno);
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw Failure("Cannot write file", path, error);
  }
  entries_.push_back({std::move(temporary), path});
}

void StagedFiles::Commit() {
  for (; committed_ < entries_.size(); ++committed_) {
    const Entry& entry = entries_[committed_];
    if (std::rename(entry.temporary.c_str(), entry.target.c_str()) != 0) {
      throw Failure("Cannot replace file", entry.target, errno);
    }
  }
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  StagedFiles files;
  files.Stage(path, bytes);
  files.Commit();
}

void WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out) {
  if (path.empty()) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  } else {
    WriteWholeFile(path, bytes);
  }
}
