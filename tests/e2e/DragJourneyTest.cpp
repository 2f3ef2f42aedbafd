// Drag and drop between the staged program and other programs on the same
// display, with the real pointer: an index entry dragged out of the main
// window reaches another window as the URI of its code file, and a file
// dragged from another window onto the code view is shown there in place of
// the entry's code until the entry is chosen again.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "E2eSupport.h"
#include "library/core/IndexRowMarkup.h"
#include "support/TempDirectory.h"
#include "toolkit/core/UriList.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgramTitle = "Linux OX-ZUR-Erirada-Vuvazo";
// How long a check that nothing arrives waits for it.
constexpr int kQuietMs = 1500;

// Places in the main window: a point on the first index row, on the
// description and inside the code view of a window of the default size.
constexpr int kRootRowX = 40;
constexpr int kRootRowY = 45;
constexpr int kDescriptionX = 380;
constexpr int kDescriptionY = 47;
constexpr int kCodeViewX = 600;
constexpr int kCodeViewY = 330;
// A point on an index row well right of its icon and inside the tree.
constexpr int kRowGripX = 140;
// Columns of the tree where only the row backgrounds show.
constexpr int kRowProbeX = 330;
constexpr int kTreeTop = 36;
constexpr int kTreeHeight = 520;

bool TitleBecomes(unsigned long window, const std::string& title) {
  return e2e::Eventually([&] { return e2e::WindowTitle(window) == title; });
}

// The y of the middle of the selected index row, found on a screenshot by
// the selection's blue across the tree; -1 when no row shows as selected.
int SelectedRowYNow(unsigned long main, const std::string& scratch) {
  const std::string shot = scratch + "/tree.png";
  const std::string pixels = scratch + "/tree.rgb";
  fs::remove(pixels);
  e2e::Run("import -window " + std::to_string(main) + " " + shot + " && convert " + shot +
           " -crop 1x" + std::to_string(kTreeHeight) + "+" + std::to_string(kRowProbeX) + "+" +
           std::to_string(kTreeTop) + " +repage -depth 8 rgb:" + pixels);
  const std::string rgb = TempDirectory::Read(pixels);
  int first = -1;
  int last = -1;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    const int red = static_cast<unsigned char>(rgb[i]);
    const int blue = static_cast<unsigned char>(rgb[i + 2]);
    if (blue > 150 && blue > red + 60) {
      const int y = static_cast<int>(i / 3);
      if (first < 0) first = y;
      last = y;
    }
  }
  return first < 0 ? -1 : kTreeTop + (first + last) / 2;
}

// The same once the tree has drawn its selection: the title changes with
// the selection, but the tree draws it only in its next frame, which may
// come late under load. Screenshots are taken until two in a row agree.
int SelectedRowY(unsigned long main, const std::string& scratch) {
  int previous = SelectedRowYNow(main, scratch);
  for (int attempt = 0; attempt < 20; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int now = SelectedRowYNow(main, scratch);
    if (now == previous) return now;
    previous = now;
  }
  return previous;
}

// Only the characters a URI may carry as they are: no blank, no control
// character, nothing outside ASCII. The program's URI encoder is not the
// only one a receiver meets, so the test checks the characters themselves.
bool HasOnlyUriCharacters(const std::string& uri) {
  static const std::string kAllowed = "-._~:/?#[]@!$&'()*+,;=%";
  for (const char c : uri) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && kAllowed.find(c) == std::string::npos) {
      return false;
    }
  }
  return true;
}

class DragJourney : public e2e::Journey {
 protected:
  // Starts the program and moves its main window to the left of the screen,
  // so that the helper windows fit beside it.
  void StartProgram() {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(e2e::PlaceWindow(main_, 10, 40));
  }

  // Clicks the first index row and walks down to row n with the keyboard;
  // the program then shows that row's entry.
  void SelectRow(int n, const std::string& title) {
    ASSERT_TRUE(e2e::ClickAt(main_, kRootRowX, kRootRowY));
    std::string keys = "Home";
    for (int i = 0; i < n; ++i) keys += " Down";
    ASSERT_TRUE(e2e::SendKeys(main_, keys));
    ASSERT_TRUE(TitleBecomes(main_, title)) << Title();
  }
};

// The row of "Hallo Welt mit GTK 3" in the sample index, counted from the
// root at 0; the category "Basics" is two rows above it, the entry with
// the loop one below.
constexpr int kHelloWorldRow = 6;

TEST_F(DragJourney, AnIndexEntryDraggedOutArrivesAsTheUriOfItsCodeFile) {
  // The entry with the loop gets a file whose name needs escaping in a URI.
  const std::string oddName = "Basics/Grüße & Co 100%.ox";
  const std::string database = Library() + "OX-LinuxAPI-Toc.xml";
  std::string xml = TempDirectory::Read(database);
  const std::string mainLoop = "File=\"Basics/MainLoopManual.ox\"";
  const std::size_t at = xml.find(mainLoop);
  ASSERT_NE(at, std::string::npos);
  xml.replace(at, mainLoop.size(), "File=\"" + library::EscapeMarkup(oddName) + "\"");
  e2e::WriteFile(database, xml);
  fs::copy_file(Library() + "Basics/MainLoopManual.ox", Library() + oddName);

  ASSERT_NO_FATAL_FAILURE(StartProgram());
  const std::string received = stage_.Root() + "/received.txt";
  e2e::HelperWindow target(ORVEX_DROP_TARGET, received, "^Journey drop target$");
  ASSERT_NE(target.Window(), 0u) << "the drop target did not open";
  ASSERT_TRUE(e2e::PlaceWindow(target.Window(), 950, 100));

  // An entry of the sample as it stands.
  ASSERT_NO_FATAL_FAILURE(
      SelectRow(kHelloWorldRow, std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox"));
  int rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0) << "no selected row on the screen";
  e2e::DragBetween(main_, kRowGripX, rowY, target.Window(), 120, 120);
  ASSERT_TRUE(e2e::Eventually([&] { return fs::exists(received); })) << "nothing was dropped";
  const std::string helloWorld = fs::canonical(Library() + "Basics/HelloWorld.ox").string();
  EXPECT_EQ(TempDirectory::Read(received), "file://" + helloWorld + "\r\n");
  // The drag leaves the entry shown and selected.
  EXPECT_EQ(Title(), std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox");

  // The entry whose file name has blanks, an ampersand, a per cent sign and
  // letters outside ASCII: the receiver gets a URI it can decode to the file.
  fs::remove(received);
  ASSERT_TRUE(e2e::SendKeys(main_, "Down"));
  ASSERT_TRUE(TitleBecomes(main_, std::string(kProgramTitle) + " ~ " + oddName)) << Title();
  rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0);
  e2e::DragBetween(main_, kRowGripX, rowY, target.Window(), 120, 120);
  ASSERT_TRUE(e2e::Eventually([&] { return fs::exists(received); })) << "nothing was dropped";
  const std::string uriList = TempDirectory::Read(received);
  ASSERT_TRUE(uriList.ends_with("\r\n")) << uriList;
  const std::string uri = uriList.substr(0, uriList.size() - 2);
  EXPECT_TRUE(HasOnlyUriCharacters(uri)) << uri;
  EXPECT_EQ(toolkit::LocalPathsFromUriList(uriList),
            std::vector<std::string>{fs::canonical(Library() + oddName).string()})
      << uri;

  // A category has no file: dragging it offers nothing.
  fs::remove(received);
  ASSERT_TRUE(e2e::SendKeys(main_, "Up Up Up"));
  ASSERT_TRUE(TitleBecomes(main_, kProgramTitle)) << Title();
  rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0);
  e2e::DragBetween(main_, kRowGripX, rowY, target.Window(), 120, 120);
  e2e::Pause(kQuietMs);
  EXPECT_FALSE(fs::exists(received)) << TempDirectory::Read(received);
}

TEST_F(DragJourney, AFileDroppedOnTheCodeViewIsShownUntilTheEntryIsChosenAgain) {
  const std::string dropped = stage_.Root() + "/elsewhere/Extern Demo.ox";
  const std::string code =
      "; Dropped from another program\n"
      "Procedure ExternDemo()\n"
      "  Debug \"shown instead of the entry\"\n"
      "EndProcedure\n";
  e2e::WriteFile(dropped, code);
  const std::string payload = stage_.Root() + "/payload.txt";
  e2e::WriteFile(payload, "file://" + fs::canonical(stage_.Root()).string() +
                              "/elsewhere/Extern%20Demo.ox\r\n");

  ASSERT_NO_FATAL_FAILURE(StartProgram());
  e2e::HelperWindow source(ORVEX_DRAG_SOURCE, payload, "^Hostile drag source$");
  ASSERT_NE(source.Window(), 0u) << "the drag source did not open";
  ASSERT_TRUE(e2e::PlaceWindow(source.Window(), 950, 100));

  const std::string entryTitle = std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox";
  ASSERT_NO_FATAL_FAILURE(SelectRow(kHelloWorldRow, entryTitle));
  const int rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0) << "no selected row on the screen";
  const std::string entryDescription = e2e::LineTextAt(main_, kDescriptionX, kDescriptionY);
  EXPECT_TRUE(entryDescription.starts_with("Das kleinste vollständige Programm"))
      << entryDescription;
  const std::string entryCode = CopiedCode();
  ASSERT_NE(entryCode.find("ProcedureC OnButtonClicked(*button, *userData)"), std::string::npos)
      << entryCode.substr(0, 400);

  e2e::DragBetween(source.Window(), 80, 60, main_, kCodeViewX, kCodeViewY);
  EXPECT_TRUE(e2e::Eventually([&] { return !TempDirectory::Read(payload + ".delivered").empty(); }))
      << "the program did not take the drop";
  EXPECT_TRUE(TitleBecomes(main_, std::string(kProgramTitle) + " ~ Extern Demo.ox")) << Title();
  EXPECT_EQ(e2e::LineTextAt(main_, kDescriptionX, kDescriptionY), "Extern file ...");
  // The view holds the file's lines; the last line feed ends the last line.
  EXPECT_EQ(CopiedCode(), code.substr(0, code.size() - 1));
  // No entry is selected any more.
  EXPECT_EQ(SelectedRowY(main_, stage_.Root()), -1);

  // Choosing the entry again shows its own code and description again.
  ASSERT_TRUE(e2e::ClickAt(main_, kRowGripX, rowY));
  EXPECT_TRUE(TitleBecomes(main_, entryTitle)) << Title();
  EXPECT_EQ(CopiedCode(), entryCode);
  EXPECT_EQ(e2e::LineTextAt(main_, kDescriptionX, kDescriptionY), entryDescription);
}

}  // namespace
