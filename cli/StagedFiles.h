#pragma once

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/SignalCleanup.h"

// Writes files whole or not at all. Stage looks at what stands at the path (following
// symlinks to the file they name) and writes the bytes to a staged file beside it, checking
// every write and the close; a file that is replaced keeps its mode, and its owner and group
// where the system permits. Anything but a regular file or a free name is refused when staged,
// so a batch is checked whole before anything is replaced. Commit flushes the staged files to
// disk, checked, and renames each onto its target; when a rename still fails, the files
// already replaced are put back as they were. A failure throws CliError (failure) with the
// system's reason, and the staged files and a folder made for them are removed, also when
// SIGINT, SIGTERM or SIGHUP ends the program.
class StagedFiles {
 public:
  StagedFiles() = default;
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Makes the folder unless it is there; one made here goes again unless Commit succeeds.
  void MakeFolder(const std::string& path);
  void Stage(const std::string& path, std::string_view bytes);
  void Commit();

 private:
  enum class State { Staged, Replaced, Gone };
  struct Entry {
    std::string target;                                // the file to replace, symlinks followed
    std::string shown;                                 // the path as given, for messages
    int folder = -1;                                   // the target's folder, open
    char name[SignalCleanup::kNameLength + 1] = {};    // the staged file, in folder
    char backup[SignalCleanup::kNameLength + 1] = {};  // the old file while a batch is replaced
    bool backupMoved = false;                          // the old file was renamed, not linked
    bool existed = false;
    std::size_t slot = 0;
    State state = State::Staged;
  };

  int OpenFolder(const std::string& folder, const std::string& shown);
  void SyncStaged() const;
  static int Replace(Entry& entry, bool keepOld);
  void PutBack(std::size_t failed);

  std::vector<Entry> entries_;
  std::map<std::string, int> folders_;
  int madeFolderParent_ = -1;
  std::string madeFolderName_;
  bool committed_ = false;
};

// One file, whole or not at all.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// To what stands at path: a regular file (or a free name) whole or not at all, a character
// device, FIFO or socket directly; to out when path is empty or "-". A folder or a block
// device is refused.
void WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out);
