// The settings window driven with real clicks: a ticked box and Save reach
// the preferences file, with the restart note in between.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "E2eSupport.h"
#include "support/TempDirectory.h"

namespace {

using e2e::kPlainMainWindow;
using e2e::kPreferencesName;
using e2e::kSettingsWindow;

// Controls of the settings window, at their places inside it.
constexpr int kDarkBoxX = 350;
constexpr int kDarkBoxY = 409;
constexpr int kSaveButtonX = 475;
constexpr int kSaveButtonY = 488;

// A window of the process with the main window's title other than the main
// window itself: the message boxes carry the program's name as their title.
unsigned long WaitForMessageBox(pid_t pid, unsigned long mainWindow) {
  return e2e::WaitForWindowBesides(pid, kPlainMainWindow, mainWindow);
}

TEST(SettingsE2e, DarkColoursTickedAndSavedAskForARestartAndReachTheFile) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  const std::string preferencesPath = stage.ProgramDirectory() + kPreferencesName;
  std::string preferences = TempDirectory::Read(preferencesPath);
  const std::size_t language = preferences.find("\nLanguage=0\n");
  ASSERT_NE(language, std::string::npos) << preferences;
  preferences.replace(language, 12, "\nLanguage=2\n");
  std::ofstream(preferencesPath, std::ios::binary | std::ios::trunc) << preferences;

  e2e::RunningProgram program(stage.Program(), stage.ProgramDirectory());
  const unsigned long main = e2e::WaitForWindowOf(program.Pid(), kPlainMainWindow);
  ASSERT_NE(main, 0u);
  ASSERT_TRUE(e2e::ClickAt(main, -114 + 15, 17));
  const unsigned long settings = e2e::WaitForWindowOf(program.Pid(), kSettingsWindow, 10000);
  ASSERT_NE(settings, 0u);

  ASSERT_TRUE(e2e::ClickAt(settings, kDarkBoxX, kDarkBoxY));
  ASSERT_TRUE(e2e::ClickAt(settings, kSaveButtonX, kSaveButtonY));
  const unsigned long message = WaitForMessageBox(program.Pid(), main);
  ASSERT_NE(message, 0u) << "the restart note";
  EXPECT_EQ(TempDirectory::Read(preferencesPath), preferences) << "written after the note";
  ASSERT_TRUE(e2e::SendKeys(message, "Return"));
  EXPECT_TRUE(e2e::WaitUntilHidden(settings));

  std::string written;
  for (int attempt = 0; attempt < 50 && written.find("DarkMode=1") == std::string::npos;
       ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    written = TempDirectory::Read(preferencesPath);
  }
  EXPECT_NE(written.find("\nDarkMode=1\n"), std::string::npos) << written;
  EXPECT_NE(written.find("\nLanguage=2\n"), std::string::npos) << "French stays chosen";
  ASSERT_TRUE(e2e::SendKeys(main, "Escape"));
  EXPECT_TRUE(program.WaitForExit().has_value());
}

}  // namespace
