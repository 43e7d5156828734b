// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstdint>

// A tmpfs of a few pages mounted on a fresh folder, inside a mount namespace private to the
// calling thread, so a full disk is real and nothing outside this test ever sees it. Needs
// CAP_SYS_ADMIN (the tests run as root in CI); when that is missing, Mounted() is false and
// Reason() says why.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(int kibibytes);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const QString& Reason() const { return reason_; }
  QString Path(const QString& name) const { return folder_.filePath(name); }

  // Fills every free byte with a file of this name, then frees `spare` bytes of it again
  // (whole pages). False when the file system did not fill up as it should.
  bool Fill(const QString& name, std::int64_t spare);

 private:
  QTemporaryDir folder_;
  bool mounted_ = false;
  QString reason_;
};
