// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "cli/CliError.h"

namespace {

CliError Failure(const std::string& path, int error) {
  return CliError(kExitFailure,
                  "Cannot read file \"" + path + "\": " + std::generic_category().message(error));
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::uintmax_t limit) {
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Failure(path, errno);
  std::string content;
  char buffer[1 << 16];
  int error = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
    if (content.size() > limit) break;
  }
  if (!standardInput) ::close(fd);
  if (error != 0) throw Failure(path, error);
  return content;
}
