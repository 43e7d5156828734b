#include "cli/CliError.h"
#include "cli/StagedFiles.h"
#include "tests/cli/CliFixture.h"

namespace {

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

struct SystemFailure {
  const char* what;
  std::vector<std::string> args;  // "@" stands for the test's folder
  std::string message;
};

class SystemFailureTest : public CliFixture, public ::testing::WithParamInterface<SystemFailure> {
 protected:
  std::string InFolder(std::string text) const {
    for (std::size_t at; (at = text.find('@')) != std::string::npos;)
      text.replace(at, 1, folder.string());
    return text;
  }
};

TEST_P(SystemFailureTest, ExitOneWithTheSystemsReason) {
  std::vector<std::string> args;
  for (const auto& arg : GetParam().args) args.push_back(InFolder(arg));
  const auto result = Run(args);
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "tremvale-cli: " + InFolder(GetParam().message) + "\n");
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, SystemFailureTest,
    ::testing::Values(SystemFailure{"missing batch",
                                    {"spectrum", "--batch", "@/none.csv"},
                                    "Cannot read file \"@/none.csv\": No such file or directory"},
                      SystemFailure{
                          "missing folder",
                          {"spectrum", "-o", "@/no/such/out.csv"},
                          "Cannot create file \"@/no/such/out.csv\": No such file or directory"},
                      SystemFailure{"missing saved file",
                                    {"read", "@/none.csv"},
                                    "Cannot read file \"@/none.csv\": No such file or directory"},
                      SystemFailure{"folder as batch",
                                    {"spectrum", "--batch", "@"},
                                    "Cannot read file \"@\": Is a directory"}),
    CaseName<SystemFailure>);

}  // namespace
