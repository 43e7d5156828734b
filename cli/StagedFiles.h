#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Writes files whole or not at all. Stage writes a file's bytes to a temporary file beside
// it, checking every write and the close; Commit flushes them all to disk, checked, and then
// renames every temporary file onto its target. A failure throws CliError (failure) with the
// system's reason, and the temporary files not yet committed are removed, so files that existed
// stay as they were.
class StagedFiles {
 public:
  StagedFiles() = default;
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  void Stage(const std::string& path, std::string_view bytes);
  void Commit();

 private:
  void SyncStaged() const;

  struct Entry {
    std::string temporary;
    std::string target;
  };
  std::vector<Entry> entries_;
  std::size_t committed_ = 0;
};

// One file, whole or not at all.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// To the file at path, whole or not at all, or to out when path is empty.
void WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out);
