// Saving the preferences file as a whole: a save that is killed at any
// moment leaves the old or the new bytes, and a later save cleans up after it.
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

#include "library/core/SettingsFile.h"
#include "support/TempDirectory.h"

namespace library {
namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Settings different enough that every written line changes between the two.
AppSettings SettingsA() {
  AppSettings settings;
  settings.libPath = "/home/user/Orvex/Library/";
  settings.fontName = "DejaVu Sans Mono";
  settings.codeEditorPath = "/usr/bin/editor";
  return settings;
}

AppSettings SettingsB() {
  AppSettings settings = SettingsA();
  settings.language = Language::French;
  settings.fontSize = 14;
  settings.darkMode = 1;
  settings.libPath = "/srv/library with blanks/";
  settings.codeEditorPath = "/opt/other editor/bin/edit";
  return settings;
}

constexpr const char* kName = "LinuxOX VIZ-AduDozuzo.ini";

TEST(SettingsSave, CreatesUpdatesAndRefusesWithoutLosingTheFile) {
  TempDirectory temp;
  const std::string path = temp.Path() + "/" + kName;
  ASSERT_TRUE(SaveSettingsFile(path, SettingsA(), "/db/Toc.xml", std::nullopt));
  const std::string created = TempDirectory::Read(path);
  EXPECT_EQ(created.rfind("\xEF\xBB\xBF\n; Viewer\ndb-path=/db/Toc.xml\n", 0), 0u) << created;

  // An existing file keeps its own lines; the values change in place.
  const std::string edited = created + "[Group]\nOwn=1\n";
  temp.Write(kName, edited);
  ASSERT_TRUE(SaveSettingsFile(path, SettingsB(), "/db/Toc.xml", std::nullopt));
  const std::string updated = TempDirectory::Read(path);
  EXPECT_NE(updated.find("Language=2\n"), std::string::npos);
  EXPECT_NE(updated.find("[Group]\nOwn=1\n"), std::string::npos);

  // A read-only file and an unreadable one are refused and stay as they were.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(SaveSettingsFile(path, SettingsA(), "/db/Toc.xml", std::nullopt));
  EXPECT_EQ(TempDirectory::Read(path), updated);
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  const std::string folderAsFile = temp.Path() + "/folder.ini";
  std::filesystem::create_directory(folderAsFile);
  EXPECT_FALSE(SaveSettingsFile(folderAsFile, SettingsA(), "", std::nullopt));
  EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{kName, "folder.ini"}));
}

// Save killed with SIGKILL at random moments, a thousand times: the file
// always holds exactly the old or the new bytes, and the next successful
// save leaves no temporary file behind.
TEST(SettingsSave, KilledAtRandomMomentsKeepsOldOrNewBytes) {
  TempDirectory temp;
  const std::string path = temp.Path() + "/" + kName;
  ASSERT_TRUE(SaveSettingsFile(path, SettingsA(), "/db/Toc.xml", std::nullopt));
  const std::string bytesA = TempDirectory::Read(path);
  ASSERT_TRUE(SaveSettingsFile(path, SettingsB(), "/db/Toc.xml", std::nullopt));
  const std::string bytesB = TempDirectory::Read(path);
  ASSERT_NE(bytesA, bytesB);

  // Kill moments spread over a little more than one whole save in a child.
  const auto started = std::chrono::steady_clock::now();
  constexpr int kTimedSaves = 20;
  for (int i = 0; i < kTimedSaves; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(SaveSettingsFile(path, SettingsA(), "/db/Toc.xml", std::nullopt) ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const auto perSave = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - started) /
                       kTimedSaves;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<long> delay(0, perSave.count() * 3 / 2 + 1);

  int sawOld = 0;
  int sawNew = 0;
  for (int trial = 0; trial < 1000; ++trial) {
    // Each trial saves the settings the file does not hold yet.
    const std::string before = TempDirectory::Read(path);
    const bool holdsA = before == bytesA;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      _exit(SaveSettingsFile(path, holdsA ? SettingsB() : SettingsA(), "/db/Toc.xml", std::nullopt)
                ? 0
                : 1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    const std::string after = TempDirectory::Read(path);
    ASSERT_TRUE(after == bytesA || after == bytesB)
        << "trial " << trial << ": " << after.size() << " bytes";
    (after == before ? sawOld : sawNew)++;
  }
  RecordProperty("old", sawOld);
  RecordProperty("new", sawNew);
  // The kill moments reach both sides of the rename.
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);

  ASSERT_TRUE(SaveSettingsFile(path, SettingsA(), "/db/Toc.xml", std::nullopt));
  EXPECT_EQ(TempDirectory::Read(path), bytesA);
  EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{kName}));
}

}  // namespace
}  // namespace library
