// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/SmallFileSystem.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace {

constexpr std::int64_t kPage = 4096;

QString SystemText(const char* call) {
  return QStringLiteral("%1: %2").arg(QString::fromUtf8(call), QString::fromUtf8(strerror(errno)));
}

// Once per process: this thread gets a mount namespace of its own whose mounts propagate
// nowhere. Empty on success, else why not.
const QString& PrivateMounts() {
  static const QString reason = [] {
    if (unshare(CLONE_NEWNS) != 0) return SystemText("unshare(CLONE_NEWNS)");
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return SystemText("making / private");
    }
    return QString();
  }();
  return reason;
}

}  // namespace

SmallFileSystem::SmallFileSystem(int kibibytes) {
  if (!folder_.isValid()) {
    reason_ = QStringLiteral("no temporary folder: ") + folder_.errorString();
    return;
  }
  reason_ = PrivateMounts();
  if (!reason_.isEmpty()) return;
  const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0777";
  if (mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0,
            options.constData()) != 0) {
    reason_ = SystemText("mounting a tmpfs");
    return;
  }
  mounted_ = true;
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

bool SmallFileSystem::Fill(const QString& name, std::int64_t spare) {
  const int fd =
      open(QFile::encodeName(Path(name)).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const QByteArray page(kPage, 'f');
  std::int64_t size = 0;
  ssize_t written = 0;
  while ((written = write(fd, page.constData(), kPage)) == kPage) size += kPage;
  const bool full = written < 0 && errno == ENOSPC;
  const std::int64_t freed = (spare + kPage - 1) / kPage * kPage;
  const bool shrunk = full && size >= freed && ftruncate(fd, size - freed) == 0;
  close(fd);
  return shrunk;
}
