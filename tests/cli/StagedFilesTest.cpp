#include "CliFixture.h"
#include "cli/CliError.h"
#include "cli/StagedFiles.h"

namespace {

std::size_t FileCount(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    (void)entry;
    ++count;
  }
  return count;
}

TEST_F(CliFixture, ReplacesAFileWhole) {
  const std::string path = WriteFile("f.txt", "old");
  WriteWholeFile(path, "new");
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_EQ(FileCount(folder), 1u);
}

TEST_F(CliFixture, FailedCommitKeepsEveryExistingFile) {
  const std::string kept = WriteFile("a.txt", "a");
  std::filesystem::create_directories(PathOf("b.txt/inside"));  // a folder cannot be replaced
  try {
    StagedFiles files;
    files.Stage(PathOf("b.txt"), "b");
    files.Stage(kept, "new a");
    files.Commit();
    FAIL() << "no error";
  } catch (const CliError& error) {
    EXPECT_EQ(error.code(), kExitFailure);
    EXPECT_EQ(std::string(error.what()),
              "Cannot replace file \"" + PathOf("b.txt") + "\": Is a directory");
  }
  EXPECT_EQ(ReadFile(kept), "a");
  EXPECT_EQ(FileCount(folder), 2u) << "no temporary file may stay";
}

TEST_F(CliFixture, MissingFolderGivesTheSystemsReason) {
  const auto result = Run({"spectrum", "-o", PathOf("no/such/out.csv")});
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "tremvale-cli: Cannot create file \"" + PathOf("no/such/out.csv") +
                            "\": No such file or directory\n");
}

}  // namespace
