// The admin menu of the admin build, used as its author uses it: each export
// item chosen with real clicks and keys writes its file into the export folder
// two levels above the program, and ends with a message box.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "E2eSupport.h"

namespace {

using e2e::kMainWindow;

namespace fs = std::filesystem;

constexpr const char* kMessageTitle = "^Linux OX-ZUR-Erirada-Vuvazo$";
// The admin button: 30 × 30 pixels at 418, 2 in the main window.
constexpr int kAdminButtonX = 418 + 15;
constexpr int kAdminButtonY = 2 + 15;

class AdminExports : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(stage_.Ok());
    for (const char* name :
         {"OX-LinuxAPI-Lib.html", "ForumPosting.txt", "Filelist.txt", "Protocoll.txt"}) {
      fs::remove(ExportPath(name));
    }
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    main_ = e2e::WaitForWindowOf(program_->Pid(), kMainWindow);
    ASSERT_NE(main_, 0u) << "the main window did not open";
  }

  std::string ExportPath(const std::string& name) const {
    return stage_.Root() + "/Export/" + name;
  }

  // A message box of the program: a window with the program's title that is
  // not the main window (which may carry the same title).
  unsigned long WaitForMessageBox(int timeoutMs = 10000) const {
    return e2e::WaitForWindowBesides(program_->Pid(), kMessageTitle, main_, timeoutMs);
  }

  // Chooses the n-th item of the admin menu and closes the message box that
  // the command ends with.
  void ChooseAdminItem(int n) {
    ASSERT_TRUE(e2e::OpenPopupAt(main_, kAdminButtonX, kAdminButtonY));
    std::string keys;
    for (int i = 0; i < n; ++i) keys += "Down ";
    ASSERT_TRUE(e2e::PressKeys(keys + "Return"));
    const unsigned long message = WaitForMessageBox();
    ASSERT_NE(message, 0u) << "admin item " << n << " showed no message";
    ASSERT_TRUE(e2e::SendKeys(message, "Return"));
    EXPECT_TRUE(e2e::WaitUntilHidden(message)) << "admin item " << n;
  }

  e2e::StagedCopy stage_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long main_ = 0;
};

// "Stand: " and a date stamp like "06. Dec. 2026", then the end of the head
// template's line, the "<br />" line and the button line.
bool HasDateStampBeforeButtons(const std::string& page) {
  static constexpr const char* kAfterStamp = "</p>\n<br />\n<input type=\"button\"";
  const std::size_t at = page.find("Stand: ");
  if (at == std::string::npos) return false;
  const std::string stamp = page.substr(at + 7, 13);
  const auto digits = [&](std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
      if (i >= stamp.size() || stamp[i] < '0' || stamp[i] > '9') return false;
    }
    return true;
  };
  const std::string months = " Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec ";
  return stamp.size() == 13 && digits(0, 2) && stamp.substr(2, 2) == ". " &&
         months.find(" " + stamp.substr(4, 3) + " ") != std::string::npos &&
         stamp.substr(7, 2) == ". " && digits(9, 4) &&
         page.compare(at + 20, std::strlen(kAfterStamp), kAfterStamp) == 0;
}

// Lines that are empty or a category in bold, ": ", a tab and a new title.
bool IsNewEntriesPosting(const std::string& text) {
  if (text.empty() || text.back() != '\n') return false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    const std::size_t close = line.find("[/b]: \t\u2730");
    if (!line.empty() && (!line.starts_with("[b]") || close == std::string::npos)) return false;
    start = end + 1;
  }
  return true;
}

TEST_F(AdminExports, EachExportItemWritesItsFileIntoTheExportFolder) {
  ChooseAdminItem(1);
  const std::string page = TempDirectory::Read(ExportPath("OX-LinuxAPI-Lib.html"));
  // The head template from the stage's template folder, with its date stamp.
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n")) << page.substr(0, 200);
  EXPECT_TRUE(HasDateStampBeforeButtons(page)) << page.substr(0, 400);
  EXPECT_NE(page.find("onclick=\"outline('ZUR Erirada Vuvazo');outline('Basics');"),
            std::string::npos);
  EXPECT_NE(page.find("href=\"Linux/Basics/HelloWorld.ox\""), std::string::npos);
  EXPECT_NE(page.find("</span>\n</p>\n<hr>\n"), std::string::npos) << "final close, then the tail";
  EXPECT_TRUE(page.ends_with("</html>\n"));
  EXPECT_EQ(page.find('\r'), std::string::npos);

  ChooseAdminItem(2);
  const std::string postingAll = TempDirectory::Read(ExportPath("ForumPosting.txt"));
  EXPECT_TRUE(IsNewEntriesPosting(postingAll)) << postingAll;
  EXPECT_NE(postingAll.find("\u2730"), std::string::npos) << "the sample has new entries";
  fs::remove(ExportPath("ForumPosting.txt"));
  ChooseAdminItem(3);
  EXPECT_EQ(TempDirectory::Read(ExportPath("ForumPosting.txt")), postingAll);

  ChooseAdminItem(4);
  const std::string fileList = TempDirectory::Read(ExportPath("Filelist.txt"));
  EXPECT_TRUE(fileList.starts_with("/Viewer/ViewerHelp.txt\n")) << fileList;
  EXPECT_NE(fileList.find("Basics/HelloWorld.ox\n"), std::string::npos);
  EXPECT_EQ(fileList.find("\tmissing"), std::string::npos) << "the sample lacks no file";

  ChooseAdminItem(5);
  EXPECT_TRUE(TempDirectory::Read(ExportPath("Protocoll.txt"))
                  .starts_with("Doppelte xml-Einträge in OX-LinuxAPI-Toc.xml:\n\n"));

  e2e::EndWithEscape(*program_, main_);
}

}  // namespace
