// The installed program and the release archive, as a user gets them: each
// runs from anywhere and finds its files beside itself.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "E2eSupport.h"

namespace {

namespace fs = std::filesystem;
using e2e::kPlainMainWindow;

constexpr const char* kBuildDirectory = ORVEX_BUILD_DIRECTORY;
constexpr const char* kCmake = ORVEX_CMAKE_COMMAND;
constexpr const char* kCpack = ORVEX_CPACK_COMMAND;
constexpr const char* kProgramFolder = "lib/orvex-api-viewer";

// Starts the program the way the path names it, from the root folder, and
// ends it with Escape: it must show its index and end with status 0.
void ExpectRunsFromAnywhere(const std::string& program) {
  e2e::RunningProgram running(program, "/");
  const unsigned long window = e2e::WaitForWindowOf(running.Pid(), kPlainMainWindow);
  ASSERT_NE(window, 0u) << program << " showed no main window";
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  const auto status = running.WaitForExit();
  ASSERT_TRUE(status.has_value()) << program << " did not end";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;
}

// Width and height from a PNG file's header chunk.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string bytes = TempDirectory::Read(path);
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  auto number = [&](std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 4; ++i)
      value = value * 256 + static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return {number(16), number(20)};
}

TEST(Install, GivesAPortableProgramFolderWithCommandDesktopEntryAndIcon) {
  TempDirectory temp;
  // A blank in the prefix must survive the desktop entry's quoting.
  const std::string prefix = temp.Path() + "/my prefix";
  ASSERT_EQ(e2e::Run(std::string(kCmake) + " --install " + e2e::Quote(kBuildDirectory) +
                     " --prefix " + e2e::Quote(prefix) + " >/dev/null"),
            0);

  const std::string folder = prefix + "/" + kProgramFolder;
  const std::string program = folder + "/Library/Viewer/orvex-api-viewer";
  for (const std::string& part :
       {program, folder + "/Library/OX-LinuxAPI-Toc.xml", folder + "/Library/Viewer/ViewerHelp.txt",
        folder + "/Library/Viewer/LinuxOX ROZ-UruZore.inf",
        folder + "/Library/Viewer/" + e2e::kPreferencesName,
        folder + "/Templates/OX-LinuxAPI-Head.html", folder + "/Export/Icons/folder.png"}) {
    EXPECT_TRUE(fs::is_regular_file(part)) << part;
  }
  EXPECT_TRUE(fs::equivalent(prefix + "/bin/orvex-api-viewer", program));
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_EQ(PngSize(prefix + "/share/icons/hicolor/" + folder + "/apps/orvex-api-viewer.png"),
              std::make_pair(size, size));
  }
  EXPECT_NE(TempDirectory::Read(prefix + "/share/icons/hicolor/scalable/apps/orvex-api-viewer.svg")
                .find("<svg"),
            std::string::npos);
  const std::string entry =
      TempDirectory::Read(prefix + "/share/applications/orvex-api-viewer.desktop");
  EXPECT_NE(entry.find("\nExec=\"" + program + "\"\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=orvex-api-viewer\n"), std::string::npos) << entry;

  // The command in bin runs the program inside the folder.
  ExpectRunsFromAnywhere(prefix + "/bin/orvex-api-viewer");

  // The folder moved elsewhere still runs: every path it keeps is relative.
  const std::string moved = temp.Path() + "/moved";
  fs::rename(folder, moved);
  ExpectRunsFromAnywhere(moved + "/Library/Viewer/orvex-api-viewer");
  fs::rename(moved, folder);

  // Installing again keeps the user's preferences.
  const std::string preferences = folder + "/Library/Viewer/" + e2e::kPreferencesName;
  std::ofstream(preferences, std::ios::app) << "; kept\n";
  const std::string changed = TempDirectory::Read(preferences);
  ASSERT_EQ(e2e::Run(std::string(kCmake) + " --install " + e2e::Quote(kBuildDirectory) +
                     " --prefix " + e2e::Quote(prefix) + " >/dev/null"),
            0);
  EXPECT_EQ(TempDirectory::Read(preferences), changed);
}

TEST(Install, ReleaseArchiveUnpackedInAnEmptyFolderRuns) {
  TempDirectory packages;
  ASSERT_EQ(e2e::Run(std::string(kCpack) + " --config " +
                     e2e::Quote(std::string(kBuildDirectory) + "/CPackConfig.cmake") + " -B " +
                     e2e::Quote(packages.Path()) + " >/dev/null"),
            0);
  std::string archive;
  for (const auto& item : fs::directory_iterator(packages.Path())) {
    if (item.path().string().ends_with(".tar.gz")) archive = item.path().string();
  }
  ASSERT_FALSE(archive.empty()) << "no archive in " << packages.Path();

  TempDirectory empty;
  ASSERT_EQ(e2e::Run("tar -xzf " + e2e::Quote(archive) + " -C " + e2e::Quote(empty.Path())), 0);
  std::string top;
  for (const auto& item : fs::directory_iterator(empty.Path())) top = item.path().string();
  ASSERT_TRUE(top.ends_with("/" + fs::path(archive).stem().stem().string())) << top;

  EXPECT_TRUE(fs::is_regular_file(top + "/README.md"));
  EXPECT_TRUE(fs::is_regular_file(top + "/Library/OX-LinuxAPI-Toc.xml"));
  EXPECT_TRUE(fs::is_regular_file(top + "/Templates/OX-LinuxAPI-Tail.html"));
  EXPECT_TRUE(fs::is_directory(top + "/Export"));
  const std::string program = top + "/Library/Viewer/orvex-api-viewer";
  struct stat status {};
  ASSERT_EQ(::stat(program.c_str(), &status), 0);
  EXPECT_TRUE(status.st_mode & S_IXUSR);
  const std::string preferences = top + "/Library/Viewer/" + e2e::kPreferencesName;
  const std::string seeded = TempDirectory::Read(preferences);
  EXPECT_NE(seeded.find("\ndb-path=../OX-LinuxAPI-Toc.xml\n"), std::string::npos) << seeded;
  ExpectRunsFromAnywhere(program);
}

}  // namespace
