#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

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
  const std::string record = ConstantRecord("r.txt", 1, 3);
  EXPECT_EQ(Shell("check --periods 0.1 '" + record + "'"), 0);
  EXPECT_EQ(Shell("check --periods 0.1 --target-pga 140 '" + record + "'"), 3);
  EXPECT_EQ(Err(), "");
}

TEST_F(ProcessTest, StandardOutputThatTakesNothingIsAFailureWithTheReason) {
  if (::geteuid() != 0) GTEST_SKIP() << "mknod needs root";
  // The system's full device, made here: a fault must not touch the machine's own.
  const std::string full = PathOf("full");
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  for (const char* arguments : {"spectrum", "--help", "spectrum --help", "--version"}) {
    EXPECT_EQ(Shell(arguments, "", "'" + full + "'"), 1) << arguments;
    EXPECT_EQ(Err(), "tremvale-cli: cannot write to standard output: No space left on device\n");
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

TEST_F(ProcessTest, FailedBatchIntoANewFolderRemovesIt) {
  const std::string batch = WriteFile("b.csv", "name\nA\nB\n");
  const std::string out = PathOf("new");
  EXPECT_EQ(Shell("spectrum --format txt --batch '" + batch + "' -o '" + out + "'",
                  "ulimit -f 1; trap '' XFSZ;"),
            1);
  EXPECT_EQ(Err(), "tremvale-cli: Cannot write file \"" + out + "/A.txt\": File too large\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

// A signal to a long batch: the staged files go, a folder made for them too, the files there
// before stay as they were, and the program ends by the signal (130, 143, 129 in a shell).
struct Interruption {
  const char* what;
  int signal;
  int shellStatus;
  bool folderThere;
};

class InterruptionTest : public CliFixture, public ::testing::WithParamInterface<Interruption> {};

TEST_P(InterruptionTest, RemovesTheStagedFiles) {
  std::string rows = "name\n";
  for (int i = 0; i < 10000; ++i) rows += "S" + std::to_string(i) + "\n";
  const std::string batch = WriteFile("b.csv", rows);
  const std::filesystem::path out = folder / "out";
  if (GetParam().folderThere) {
    std::filesystem::create_directory(out);
    WriteFile("out/S0.txt", "old");
  }
  const std::string program = TREMVALE_CLI_PATH;
  const std::string outText = out.string();
  std::vector<const char*> argv{program.c_str(), "spectrum", "--batch", batch.c_str(),
                                "--format",      "txt",      "-o",      outText.c_str(),
                                nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, PathOf("stderr").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t child = 0;
  ASSERT_EQ(::posix_spawn(&child, program.c_str(), &actions, nullptr,
                          const_cast<char* const*>(argv.data()), environ),
            0);
  posix_spawn_file_actions_destroy(&actions);
  // Once a staged file is there, the batch is being written.
  const auto staging = [&] {
    std::error_code error;
    for (std::filesystem::directory_iterator it(out, error), end; !error && it != end;
         it.increment(error)) {
      if (it->path().filename().string().starts_with(".tv-")) return true;
    }
    return false;
  };
  int status = 0;
  while (!staging() && ::waitpid(child, &status, WNOHANG) == 0) ::usleep(1000);
  ASSERT_EQ(::kill(child, GetParam().signal), 0);
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "ended before the signal: " << ReadFile(PathOf("stderr"));
  EXPECT_EQ(128 + WTERMSIG(status), GetParam().shellStatus);
  if (GetParam().folderThere) {
    EXPECT_EQ(FileCount(out), 1u) << "no staged file may stay";
    EXPECT_EQ(ReadFile(PathOf("out/S0.txt")), "old");
  } else {
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptionTest,
                         ::testing::Values(Interruption{"SIGINT", SIGINT, 130, true},
                                           Interruption{"SIGTERM", SIGTERM, 143, false},
                                           Interruption{"SIGHUP", SIGHUP, 129, false}),
                         CaseName<Interruption>);

}  // namespace
