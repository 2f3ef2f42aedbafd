#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDirectory.h"
#include "toolkit/core/WholeFile.h"

namespace toolkit {
namespace {

// The names in the folder other than the ones given, so that a temporary
// file left behind shows up.
std::vector<std::string> OtherEntries(const std::string& folder,
                                      const std::vector<std::string>& expected) {
  std::vector<std::string> others;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
      others.push_back(name);
    }
  }
  return others;
}

int Mode(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

TEST(WholeFile, ReadsRegularFilesOnly) {
  TempDirectory temp;
  std::string bytes(200000, 'x');
  bytes[1] = '\0';
  const std::string file = temp.Write("data", bytes);
  EXPECT_EQ(ReadWholeFile(file), bytes);
  EXPECT_EQ(ReadWholeFile(temp.Write("empty", "")), "");
  EXPECT_EQ(ReadWholeFile(temp.Path() + "/absent"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(""), std::nullopt);
  EXPECT_EQ(ReadWholeFile(temp.Path()), std::nullopt);
  EXPECT_EQ(ReadWholeFile("/dev/zero"), std::nullopt);
  // A pipe nobody writes to must neither block the open nor the read.
  const std::string fifo = temp.Path() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadWholeFile(fifo), std::nullopt);
}

TEST(WholeFile, ReplaceWritesBytesAndKeepsPermissionBits) {
  TempDirectory temp;
  const std::string file = temp.Write("prefs.ini", "old contents that are longer");
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(ReplaceWholeFile(file, "new"));
  EXPECT_EQ(TempDirectory::Read(file), "new");
  EXPECT_EQ(Mode(file), 0640);

  const std::string fresh = temp.Path() + "/fresh.ini";
  ASSERT_TRUE(ReplaceWholeFile(fresh, std::string("a\0b", 3)));
  EXPECT_EQ(TempDirectory::Read(fresh), std::string("a\0b", 3));
  EXPECT_EQ(Mode(fresh), 0644);
  EXPECT_TRUE(OtherEntries(temp.Path(), {"prefs.ini", "fresh.ini"}).empty());
}

TEST(WholeFile, ReplaceFollowsSymbolicLink) {
  TempDirectory temp;
  const std::string real = temp.Write("real.ini", "old");
  const std::string link = temp.Path() + "/link.ini";
  ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);
  ASSERT_TRUE(ReplaceWholeFile(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempDirectory::Read(real), "new");
}

TEST(WholeFile, ReplaceRefusesAndLeavesEverythingAlone) {
  TempDirectory temp;
  const std::string readOnly = temp.Write("readonly.ini", "keep me");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_FALSE(ReplaceWholeFile(readOnly, "new"));
  EXPECT_EQ(TempDirectory::Read(readOnly), "keep me");
  EXPECT_EQ(Mode(readOnly), 0444);

  const std::string folder = temp.Path() + "/folder";
  std::filesystem::create_directory(folder);
  EXPECT_FALSE(ReplaceWholeFile(folder, "new"));
  EXPECT_TRUE(std::filesystem::is_directory(folder));

  EXPECT_FALSE(ReplaceWholeFile(temp.Path() + "/missing/prefs.ini", "new"));
  EXPECT_FALSE(ReplaceWholeFile("", "new"));
  EXPECT_TRUE(OtherEntries(temp.Path(), {"readonly.ini", "folder"}).empty());
}

// A replacement killed at any moment leaves either the old or the new bytes.
TEST(WholeFile, KilledReplaceLeavesOldOrNewBytes) {
  TempDirectory temp;
  const std::string file = temp.Path() + "/prefs.ini";
  const std::string oldBytes(64 * 1024, 'o');
  std::string newBytes(256 * 1024, 'n');
  for (std::size_t i = 0; i < newBytes.size(); i += 4096) newBytes[i] = '\n';
  ASSERT_TRUE(ReplaceWholeFile(file, oldBytes));

  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
  int sawOld = 0;
  int sawNew = 0;
  for (int iteration = 0; iteration < 200; ++iteration) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(ReplaceWholeFile(file, newBytes) ? 0 : 1);
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    const std::string now = TempDirectory::Read(file);
    ASSERT_TRUE(now == oldBytes || now == newBytes)
        << "iteration " << iteration << ": " << now.size() << " bytes";
    if (now == newBytes) {
      ++sawNew;
      ASSERT_TRUE(ReplaceWholeFile(file, oldBytes));
    } else {
      ++sawOld;
    }
  }
  // Not a strict requirement, but both outcomes should normally occur.
  RecordProperty("old", sawOld);
  RecordProperty("new", sawNew);

  // A later successful replacement removes what the killed ones left behind,
  // and only that.
  temp.Write(".prefs.ini.keep", "not a temporary file");
  temp.Write(".other.ini.ABCDEF", "another file's temporary");
  ASSERT_TRUE(ReplaceWholeFile(file, oldBytes));
  EXPECT_EQ(TempDirectory::Read(file), oldBytes);
  EXPECT_EQ(OtherEntries(temp.Path(), {"prefs.ini", ".prefs.ini.keep", ".other.ini.ABCDEF"}),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace toolkit
