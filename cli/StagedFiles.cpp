#include "cli/StagedFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "cli/CliError.h"

namespace {

// One fsync costs milliseconds on a journalling file system; past this many files a single
// syncfs of their file system is far cheaper (10,000 files: about 30 s against 1 s).
constexpr std::size_t kFilesSyncedOneByOne = 8;

// Symlinks followed to a name that does not exist yet, as the kernel's own limit.
constexpr int kMostLinks = 40;

std::string Reason(int error) { return std::generic_category().message(error); }

CliError Failure(const char* what, const std::string& path, int error) {
  return CliError(kExitFailure, std::string(what) + " \"" + path + "\": " + Reason(error));
}

std::string FolderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

enum class Kind { Free, Regular, Folder, Stream, Other };

// What stands at a path, symlinks followed; for a regular file or a free name, the path to
// create or replace.
struct Target {
  Kind kind = Kind::Free;
  std::string path;
  struct stat status {};
};

Kind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return Kind::Regular;
  if (S_ISDIR(mode)) return Kind::Folder;
  if (S_ISCHR(mode) || S_ISFIFO(mode) || S_ISSOCK(mode)) return Kind::Stream;
  return Kind::Other;
}

std::string ReadLink(const std::string& path) {
  std::string text(PATH_MAX, '\0');
  const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
  if (length < 0) throw Failure("Cannot create file", path, errno);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

Target Resolve(const std::string& path) {
  Target target;
  target.path = path;
  struct stat link {};
  if (::stat(path.c_str(), &target.status) == 0) {
    target.kind = KindOf(target.status.st_mode);
    if (target.kind == Kind::Regular && ::lstat(path.c_str(), &link) == 0 &&
        S_ISLNK(link.st_mode)) {
      char* real = ::realpath(path.c_str(), nullptr);
      if (real == nullptr) throw Failure("Cannot write file", path, errno);
      target.path = real;
      std::free(real);
    }
    return target;
  }
  if (errno != ENOENT) throw Failure("Cannot create file", path, errno);
  // A dangling symlink: the name it ends at is made, as the shell's ">" would.
  for (int links = 0;; ++links) {
    if (::lstat(target.path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return target;
    if (links == kMostLinks) throw Failure("Cannot create file", path, ELOOP);
    const std::string text = ReadLink(target.path);
    target.path = text.starts_with('/') ? text : FolderOf(target.path) + "/" + text;
  }
}

// A short name of fixed length that no other run is likely to pick; O_EXCL or link() makes
// sure of it.
void NewName(char (&name)[SignalCleanup::kNameLength + 1]) {
  static std::uint64_t state = [] {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::uint64_t>(now.tv_nsec) ^
           (static_cast<std::uint64_t>(::getpid()) << 32) ^ static_cast<std::uint64_t>(now.tv_sec);
  }();
  // splitmix64: consecutive names differ in every digit.
  std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  z ^= z >> 31;
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuv";
  std::memcpy(name, ".tv-", 4);
  for (std::size_t i = 4; i < SignalCleanup::kNameLength; ++i, z >>= 5) name[i] = kDigits[z & 31];
  name[SignalCleanup::kNameLength] = '\0';
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

// The old file's mode, owner and group on its replacement; the owner takes root, so when that
// is refused the set-id bits go, as they would name someone else.
int KeepModeAndOwner(int fd, const struct stat& old) {
  mode_t mode = old.st_mode & 07777;
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
    ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);  // a group of ours is still permitted
  }
  return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

// A socket is not opened but connected to, in whichever type its listener has.
int ConnectSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, path.data(), path.size());
  for (const int type : {SOCK_STREAM, SOCK_SEQPACKET, SOCK_DGRAM}) {
    const int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    if (error != EPROTOTYPE) return -1;
  }
  return -1;
}

// A device, FIFO or socket takes the bytes as they come: there is nothing to stage or replace.
void WriteStream(const std::string& path, const struct stat& status, std::string_view bytes) {
  const int fd = S_ISSOCK(status.st_mode) ? ConnectSocket(path)
                                          : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw Failure("Cannot write file", path, errno);
  int error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) throw Failure("Cannot write file", path, error);
}

CliError NotAFileFor(const std::string& path, const char* what) {
  return CliError(kExitUsage, "-o: \"" + path + "\" is " + what + ", not a file");
}

}  // namespace

StagedFiles::~StagedFiles() {
  for (Entry& entry : entries_) {
    if (entry.state != State::Staged) continue;
    ::unlinkat(entry.folder, entry.name, 0);
    SignalCleanup::Drop(entry.slot);
  }
  if (madeFolderParent_ >= 0) {
    SignalCleanup::DropFolder();
    if (!committed_) {
      ::unlinkat(madeFolderParent_, madeFolderName_.c_str(), AT_REMOVEDIR);
    }
    ::close(madeFolderParent_);
  }
  for (const auto& [path, fd] : folders_) ::close(fd);
}

void StagedFiles::MakeFolder(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const SignalCleanup::Deferred deferred;  // made and marked for removal as one step
  if (::mkdir(folder.c_str(), 0777) != 0) {
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return;
    throw CliError(kExitFailure, "Cannot create folder \"" + path + "\": " + Reason(error));
  }
  madeFolderParent_ = ::open(FolderOf(folder).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (madeFolderParent_ < 0) return;  // not to be found again: it stays
  madeFolderName_ = std::filesystem::path(folder).filename().string();
  SignalCleanup::SetFolder(madeFolderParent_, madeFolderName_.c_str());
}

int StagedFiles::OpenFolder(const std::string& folder, const std::string& shown) {
  const auto found = folders_.find(folder);
  if (found != folders_.end()) return found->second;
  const int fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw Failure("Cannot create file", shown, errno);
  folders_.emplace(folder, fd);
  return fd;
}

void StagedFiles::Stage(const std::string& path, std::string_view bytes) {
  const Target target = Resolve(path);
  if (target.kind == Kind::Folder) {
    throw CliError(kExitFailure, "Cannot replace file \"" + path + "\": it is a folder");
  }
  if (target.kind != Kind::Free && target.kind != Kind::Regular) {
    throw CliError(kExitFailure, "Cannot replace file \"" + path + "\": it is not a regular file");
  }
  Entry entry;
  entry.target = target.path;
  entry.shown = path;
  entry.existed = target.kind == Kind::Regular;
  entry.folder = OpenFolder(FolderOf(target.path), path);
  // A replacement stays private until it has the old file's mode.
  const mode_t mode = entry.existed ? 0600 : 0666;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    NewName(entry.name);
    const SignalCleanup::Deferred deferred;  // made and marked for removal as one step
    fd = ::openat(entry.folder, entry.name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) entry.slot = SignalCleanup::Add(entry.folder, entry.name);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw Failure("Cannot create file", path, errno);
  int error = entry.existed ? KeepModeAndOwner(fd, target.status) : 0;
  if (error == 0) error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlinkat(entry.folder, entry.name, 0);
    SignalCleanup::Drop(entry.slot);
    throw Failure("Cannot write file", path, error);
  }
  entries_.push_back(std::move(entry));
}

void StagedFiles::SyncStaged() const {
  const auto sync = [](const Entry& entry, int (*how)(int)) {
    const int fd = ::openat(entry.folder, entry.name, O_WRONLY | O_CLOEXEC);
    int error = fd < 0 ? errno : how(fd) == 0 ? 0 : errno;
    if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throw Failure("Cannot write file", entry.shown, error);
  };
  if (entries_.size() <= kFilesSyncedOneByOne) {
    for (const Entry& entry : entries_) sync(entry, ::fsync);
    return;
  }
  // Any file of a file system syncs all of it: one per folder.
  std::set<int> folders;
  for (const Entry& entry : entries_) {
    if (folders.insert(entry.folder).second) sync(entry, ::syncfs);
  }
}

// Links the old file aside when keepOld (renames it where links are not supported), then
// renames the staged file onto the target. 0 or the errno of the failure.
int StagedFiles::Replace(Entry& entry, bool keepOld) {
  while (keepOld && entry.existed && entry.backup[0] == '\0') {
    NewName(entry.backup);
    if (::linkat(AT_FDCWD, entry.target.c_str(), entry.folder, entry.backup, 0) == 0) break;
    int error = errno;
    if (error == EPERM || error == EMLINK || error == EOPNOTSUPP || error == ENOSYS) {
      if (::renameat2(AT_FDCWD, entry.target.c_str(), entry.folder, entry.backup,
                      RENAME_NOREPLACE) == 0) {
        entry.backupMoved = true;
        break;
      }
      error = errno;
    }
    entry.backup[0] = '\0';
    if (error == ENOENT) break;  // gone meanwhile: nothing to keep
    if (error != EEXIST) return error;
  }
  if (::renameat(entry.folder, entry.name, AT_FDCWD, entry.target.c_str()) != 0) return errno;
  entry.state = State::Replaced;
  SignalCleanup::Drop(entry.slot);
  return 0;
}

// Last replaced first back: two names that lead to one file end with its oldest content.
void StagedFiles::PutBack(std::size_t failed) {
  for (std::size_t i = failed + 1; i-- > 0;) {
    Entry& entry = entries_[i];
    const bool hasBackup = entry.backup[0] != '\0';
    if (entry.state == State::Replaced) {
      if (hasBackup) {
        ::renameat(entry.folder, entry.backup, AT_FDCWD, entry.target.c_str());
      } else {
        ::unlink(entry.target.c_str());
      }
      entry.state = State::Gone;
    } else if (hasBackup) {
      if (entry.backupMoved) {
        ::renameat(entry.folder, entry.backup, AT_FDCWD, entry.target.c_str());
      } else {
        ::unlinkat(entry.folder, entry.backup, 0);
      }
    }
    entry.backup[0] = '\0';
  }
}

void StagedFiles::Commit() {
  SyncStaged();
  // A signal waits until the batch is replaced whole or put back whole.
  const SignalCleanup::Deferred deferred;
  const bool keepOld = entries_.size() > 1;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (const int error = Replace(entries_[i], keepOld)) {
      PutBack(i);
      throw Failure("Cannot replace file", entries_[i].shown, error);
    }
  }
  for (Entry& entry : entries_) {
    if (entry.backup[0] != '\0') ::unlinkat(entry.folder, entry.backup, 0);
    entry.backup[0] = '\0';
  }
  committed_ = true;
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  StagedFiles files;
  files.Stage(path, bytes);
  files.Commit();
}

void WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out) {
  if (path.empty() || path == "-") {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return;
  }
  if (path.back() == '/') throw NotAFileFor(path, "a folder");
  const Target target = Resolve(path);
  switch (target.kind) {
    case Kind::Folder:
      throw NotAFileFor(path, "a folder");
    case Kind::Other:
      throw NotAFileFor(path, "a block device");
    case Kind::Stream:
      return WriteStream(path, target.status, bytes);
    case Kind::Free:
    case Kind::Regular:
      break;
  }
  WriteWholeFile(path, bytes);
}
