#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <future>

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

TEST_F(CliFixture, FailedCommitPutsBackWhatItReplaced) {
  const std::string kept = WriteFile("a.txt", "a");
  try {
    StagedFiles files;
    files.Stage(kept, "new a");
    files.Stage(PathOf("new.txt"), "new");
    files.Stage(PathOf("b.txt"), "b");
    std::filesystem::create_directories(PathOf("b.txt/inside"));  // in the way once staged
    files.Commit();
    FAIL() << "no error";
  } catch (const CliError& error) {
    EXPECT_EQ(error.code(), kExitFailure);
    EXPECT_EQ(std::string(error.what()),
              "Cannot replace file \"" + PathOf("b.txt") + "\": Is a directory");
  }
  EXPECT_EQ(ReadFile(kept), "a");
  EXPECT_EQ(FileCount(folder), 2u) << "a.txt and b.txt only: no new or staged file";
}

// What stands at the path of -o before the run; the test's folder holds it.
struct Standing {
  const char* what;
  std::string name;
  std::function<void(const std::string& path)> make;
  int code;
  std::string message;  // standard error after "tremvale-cli: ", "@" for the path; "" success
  bool needsRoot = false;
};

void MakeNode(const std::string& path, mode_t type, unsigned major, unsigned minor) {
  ASSERT_EQ(::mknod(path.c_str(), type | 0666, makedev(major, minor)), 0) << path;
}

class StandingTest : public CliFixture, public ::testing::WithParamInterface<Standing> {};

// The run writes into what stands there and leaves it standing: same kind of node, and a
// replaced file has its old mode, owner and group.
TEST_P(StandingTest, WritesToItAndLeavesItStanding) {
  const Standing& standing = GetParam();
  if (standing.needsRoot && ::geteuid() != 0) GTEST_SKIP() << "mknod and chown need root";
  const std::string path = PathOf(standing.name);
  standing.make(path);
  struct stat before {};
  const bool existed = ::lstat(path.c_str(), &before) == 0;
  std::future<std::string> fifo;
  if (existed && S_ISFIFO(before.st_mode)) {
    fifo = std::async(std::launch::async, [&] { return ReadFile(path); });
  }
  const auto result = Run({"spectrum", "-o", path});
  if (fifo.valid())
    ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));  // a reader never left waiting
  std::string message = standing.message;
  if (const auto at = message.find('@'); at != std::string::npos) message.replace(at, 1, path);
  EXPECT_EQ(result.code, standing.code);
  EXPECT_EQ(result.err, message.empty() ? "" : "tremvale-cli: " + message + "\n");
  EXPECT_EQ(result.out, "");
  const std::string expected = Run({"spectrum"}).out;
  struct stat after {};
  ASSERT_EQ(::lstat(path.c_str(), &after) == 0, existed || standing.code == 0);
  if (existed) {
    EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT) << "replaced";
  }
  if (fifo.valid()) {
    EXPECT_EQ(fifo.get(), expected);
  }
  if (existed && !S_ISREG(before.st_mode) && !S_ISLNK(before.st_mode)) return;
  struct stat file {};
  if (standing.code == 0) {
    EXPECT_EQ(ReadFile(path), expected);
    ASSERT_EQ(::stat(path.c_str(), &file), 0);
  }
  if (existed && standing.code == 0 && S_ISREG(before.st_mode)) {
    EXPECT_EQ(file.st_mode, before.st_mode);
    EXPECT_EQ(file.st_uid, before.st_uid);
    EXPECT_EQ(file.st_gid, before.st_gid);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Output, StandingTest,
    ::testing::Values(
        Standing{"nothing", "out.csv", [](const std::string&) {}, 0, ""},
        Standing{"a 249 byte name", std::string(245, 'n') + ".csv", [](const std::string&) {}, 0,
                 ""},
        Standing{"a symlink", "out.csv",
                 [](const std::string& path) {
                   std::ofstream(path + ".real") << "old";
                   std::filesystem::create_symlink(
                       std::filesystem::path(path).filename().string() + ".real", path);
                 },
                 0, ""},
        Standing{"a private file of another user", "out.csv",
                 [](const std::string& path) {
                   std::ofstream(path) << "old";
                   ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
                   ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
                 },
                 0, "", true},
        Standing{"a folder", "out.csv",
                 [](const std::string& path) { std::filesystem::create_directory(path); }, 2,
                 "-o: \"@\" is a folder, not a file"},
        Standing{"a folder name", "od/", [](const std::string&) {}, 2,
                 "-o: \"@\" is a folder, not a file"},
        Standing{"a full device", "full",
                 [](const std::string& path) { MakeNode(path, S_IFCHR, 1, 7); }, 1,
                 "Cannot write file \"@\": No space left on device", true},
        Standing{"a null device", "null",
                 [](const std::string& path) { MakeNode(path, S_IFCHR, 1, 3); }, 0, "", true},
        Standing{"a block device", "block",
                 [](const std::string& path) { MakeNode(path, S_IFBLK, 7, 250); }, 2,
                 "-o: \"@\" is a block device, not a file", true},
        Standing{"a fifo", "fifo",
                 [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, 0,
                 ""}),
    CaseName<Standing>);

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
