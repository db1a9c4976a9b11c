// Writing output files: what the name stands for is kept, only regular files
// are replaced, and a command never writes over its own input.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "command_runner.h"
#include "core/output_file.h"

namespace heart::testing {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status.st_mode;
}

class OutputFile : public ::testing::Test {
 protected:
  ScratchFolder scratch;
  std::string error;  // the last failure's message

  bool write(const std::string& path, std::string_view bytes) {
    return keep(writeOutputFile(path, bytes));
  }
  bool mayWrite(const std::string& output, const std::vector<NamedInput>& inputs) {
    return keep(refuseOverwritingInput(output, "the output", inputs));
  }
  bool keep(const Result<void>& result) {
    error = result.ok() ? "" : result.error();
    return result.ok();
  }
};

TEST_F(OutputFile, ARegularFileIsReplacedWholeAndKeepsItsPermissions) {
  fs::path file = scratch / "drawing.svg";
  writeFile(file, "an older and much longer drawing");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  ASSERT_TRUE(write(file.string(), "new")) << error;
  EXPECT_EQ(readFile(file), "new");
  EXPECT_EQ(modeOf(file) & 07777, 0640u);
  // No temporary file is left behind.
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(scratch.path())) ++entries;
  EXPECT_EQ(entries, 1u);

  // A new file gets the usual permissions of a new file.
  mode_t mask = ::umask(022);
  ASSERT_TRUE(write((scratch / "fresh.svg").string(), "x")) << error;
  ::umask(mask);
  EXPECT_EQ(modeOf(scratch / "fresh.svg") & 07777, 0644u);
}

TEST_F(OutputFile, ALinkIsFollowedAndStaysALink) {
  fs::create_directory(scratch / "dotfiles");
  writeFile(scratch / "dotfiles" / "real.rec", "old");
  // A relative link, and a link to that link.
  fs::create_symlink("dotfiles/real.rec", scratch / "link.rec");
  fs::create_symlink("link.rec", scratch / "link2.rec");
  ASSERT_TRUE(write((scratch / "link2.rec").string(), "new")) << error;
  EXPECT_TRUE(S_ISLNK(modeOf(scratch / "link.rec")));
  EXPECT_TRUE(S_ISLNK(modeOf(scratch / "link2.rec")));
  EXPECT_EQ(fs::read_symlink(scratch / "link2.rec"), "link.rec");
  EXPECT_EQ(readFile(scratch / "dotfiles" / "real.rec"), "new");

  // A dangling link: its target is created.
  fs::create_symlink("dotfiles/later.rec", scratch / "later.rec");
  ASSERT_TRUE(write((scratch / "later.rec").string(), "made")) << error;
  EXPECT_TRUE(S_ISLNK(modeOf(scratch / "later.rec")));
  EXPECT_EQ(readFile(scratch / "dotfiles" / "later.rec"), "made");

  fs::create_symlink("loop.rec", scratch / "loop.rec");
  EXPECT_FALSE(write((scratch / "loop.rec").string(), "x"));
  EXPECT_NE(error.find("loop.rec"), std::string::npos) << error;
}

TEST_F(OutputFile, DevicesFifosAndSocketsAreWrittenIntoNotReplaced) {
  ASSERT_TRUE(write("/dev/null", "into the void")) << error;
  EXPECT_TRUE(S_ISCHR(modeOf("/dev/null")));

  fs::path fifo = scratch / "pipe.svg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = readFile(fifo); });
  bool written = write(fifo.string(), "through the pipe");
  reader.join();
  ASSERT_TRUE(written) << error;
  EXPECT_EQ(received, "through the pipe");
  EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));

  fs::path socketPath = scratch / "s.sock";
  int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  std::string overSocket;
  std::thread acceptor([&] {
    int connection = ::accept(listener, nullptr, nullptr);
    char buffer[64];
    ssize_t n = 0;
    while ((n = ::read(connection, buffer, sizeof buffer)) > 0) overSocket.append(buffer, n);
    ::close(connection);
  });
  written = write(socketPath.string(), "over the socket");
  acceptor.join();
  ::close(listener);
  ASSERT_TRUE(written) << error;
  EXPECT_EQ(overSocket, "over the socket");
  EXPECT_TRUE(S_ISSOCK(modeOf(socketPath)));
}

TEST_F(OutputFile, AFailedWriteGivesTheSystemsReasonAndLeavesTheOldFile) {
  EXPECT_FALSE(write((scratch / "no" / "such" / "folder.svg").string(), "x"));
  EXPECT_NE(error.find("folder.svg: No such file or directory"), std::string::npos) << error;

  fs::create_directory(scratch / "a folder");
  EXPECT_FALSE(write((scratch / "a folder").string(), "x"));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(scratch / "a folder"));

  EXPECT_FALSE(write("", "x"));
  // /dev/full refuses every byte: the reason is told, the device stays.
  EXPECT_FALSE(write("/dev/full", "x"));
  EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
  EXPECT_TRUE(S_ISCHR(modeOf("/dev/full")));
}

TEST_F(OutputFile, AnInputIsRecognisedByDeviceAndInodeNotByName) {
  writeFile(scratch / "in.rec", "input");
  fs::create_hard_link(scratch / "in.rec", scratch / "hard.rec");
  fs::create_symlink("in.rec", scratch / "soft.rec");
  const std::vector<NamedInput> inputs{{(scratch / "in.rec").string(), "the record"}};
  for (const char* name : {"in.rec", "hard.rec", "soft.rec", "./in.rec"}) {
    std::string output = (scratch / name).string();
    EXPECT_FALSE(mayWrite(output, inputs)) << name;
    EXPECT_NE(error.find("the record"), std::string::npos) << error;
  }
  writeFile(scratch / "other.rec", "input");
  EXPECT_TRUE(mayWrite((scratch / "other.rec").string(), inputs));
  EXPECT_TRUE(mayWrite("-", inputs));
  // Neither exists yet: the same name once resolved is the same file.
  EXPECT_FALSE(mayWrite((scratch / "new.svg").string(),
                        {{(scratch / "." / "new.svg").string(), "the record"}}));
}

}  // namespace
}  // namespace heart::testing
