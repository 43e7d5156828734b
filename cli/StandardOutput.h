#pragma once

#include <array>
#include <streambuf>

// A stream buffer onto a file descriptor (standard output) that checks every write and keeps
// the system's reason for the first one that failed, so the message can name it ("No space
// left on device", "Broken pipe"). After a failure every later write fails too.
class StandardOutput : public std::streambuf {
 public:
  explicit StandardOutput(int fd);
  ~StandardOutput() override;

  // The errno of the first failed write, 0 while none failed.
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  bool Drain();
  bool WriteAll(const char* bytes, std::size_t count);

  int fd_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_;
};
