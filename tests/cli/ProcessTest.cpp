#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>

#include "model/Version.h"
#include "tests/cli/CliFixture.h"

namespace {

// Runs the built program through the shell; stdout and stderr go to files in the folder.
class ProcessTest : public CliFixture {
 protected:
  int Shell(const std::string& arguments, const std::string& prefix = "",
            const std::string& standardOutput = "") {
    const std::string out = standardOutput.empty() ? "'" + PathOf("stdout") + "'" : standardOutput;
    const std::string command = prefix + " '" TREMVALE_CLI_PATH "' " + arguments + " >" + out +
                                " 2>'" + PathOf("stderr") + "'";
    const int status = std::system(("sh -c \"" + command + "\"").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Out() { return ReadFile(PathOf("stdout")); }
  std::string Err() { return ReadFile(PathOf("stderr")); }
};

TEST_F(ProcessTest, VersionHelpAndDataOnStandardOutput) {
  EXPECT_EQ(Shell("--version"), 0);
  EXPECT_EQ(Out(), std::string("tremvale-cli ") + tremvale::kVersion + "\n");
  for (const char* command : {"spectrum", "read", "record", "check"}) {
    EXPECT_EQ(Shell(std::string(command) + " --help"), 0);
    EXPECT_NE(Out().find("Usage: tremvale-cli " + std::string(command)), std::string::npos);
  }
  EXPECT_EQ(Shell("spectrum"), 0);
  EXPECT_EQ(Out(), Run({"spectrum"}).out);
  EXPECT_EQ(Err(), "");
}

TEST_F(ProcessTest, ExitCodes) {
  EXPECT_EQ(Shell("spectrum --format xml"), 2);
  EXPECT_NE(Err(), "");
  EXPECT_EQ(Out(), "");
  EXPECT_EQ(Shell(""), 2);
  EXPECT_EQ(Shell("spectrum --damping=-1"), 2);
  EXPECT_EQ(Err(), "tremvale-cli: --damping: Damping ratio must be postive.\n");
  EXPECT_EQ(Shell("read '" + PathOf("missing.csv") + "'"), 1);
  std::string records;
  for (const char* name : {"r1.txt", "r2.txt", "r3.txt"}) {
    records += " '" + ConstantRecord(name, 1, 3) + "'";
  }
  EXPECT_EQ(Shell("check --periods 0.1" + records), 0);
  EXPECT_EQ(Shell("check --periods 0.1 --target-pga 140" + records), 3);
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(Shell("spectrum", "", "/dev/full"), 1);
  EXPECT_EQ(Err(), "tremvale-cli: cannot write to standard output\n");
}

// Anything but a regular file is refused by its name before it is opened, so nothing blocks;
// standard input is read no further than a record file may be long. The memory cap is far
// below what an endless read takes (sanitizers reserve more address space than any cap).
TEST_F(ProcessTest, OnlyRegularFilesAreReadAsRecords) {
  const std::string fifo = PathOf("pipe.AT2");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
#if defined(__SANITIZE_ADDRESS__)
  const std::string limits = "timeout 120";
#else
  const std::string limits = "timeout 120 prlimit --as=1500000000";
#endif
  const std::string notFile =
      ": not a regular file (a pipe, a device or a socket); only files are read as records.";
  const std::pair<std::string, std::string> cases[] = {
      {"'" + fifo + "'", fifo + notFile},
      {"/dev/zero", "/dev/zero" + notFile},
      {"'" + folder.string() + "'", folder.string() + ": a folder, not a record file."},
      {"--format one-column --step 0.01 - </dev/zero",
       "-: the file is larger than 256 MiB, more than a record file may be."},
  };
  for (const auto& [arguments, message] : cases) {
    EXPECT_EQ(Shell("record " + arguments, limits), 2) << arguments;
    EXPECT_EQ(Err(), "tremvale-cli: " + message + "\n");
  }
}

TEST_F(ProcessTest, FailedWriteLeavesTheExistingFileAndNoTemporaryFile) {
  const std::string target = WriteFile("out.csv", "old content");
  // A file size limit of 1 KiB makes the write fail part way, as a full disk would.
  EXPECT_EQ(Shell("spectrum -o '" + target + "'", "ulimit -f 1; trap '' XFSZ;"), 1);
  EXPECT_EQ(Err(), "tremvale-cli: Cannot write file \"" + target + "\": File too large\n");
  EXPECT_EQ(ReadFile(target), "old content");
  EXPECT_EQ(FileCount(folder), 3u) << "out.csv, stdout and stderr only";
}

}  // namespace
