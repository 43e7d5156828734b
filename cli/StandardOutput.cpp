#include "cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>

StandardOutput::StandardOutput(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

StandardOutput::~StandardOutput() { Drain(); }

bool StandardOutput::WriteAll(const char* bytes, std::size_t count) {
  while (count > 0 && error_ == 0) {
    const ssize_t written = ::write(fd_, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error_ = written < 0 ? errno : ENOSPC;  // no progress: as a full disk
      break;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return error_ == 0;
}

bool StandardOutput::Drain() {
  const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return written;
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize StandardOutput::xsputn(const char* bytes, std::streamsize count) {
  if (count <= epptr() - pptr()) {
    traits_type::copy(pptr(), bytes, static_cast<std::size_t>(count));
    pbump(static_cast<int>(count));
    return count;
  }
  if (!Drain() || !WriteAll(bytes, static_cast<std::size_t>(count))) return 0;
  return count;
}

int StandardOutput::sync() { return Drain() ? 0 : -1; }
