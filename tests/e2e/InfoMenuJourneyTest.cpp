// The info menu of the tool row used as a user uses it: the About window,
// the database information with the counts of the library in use, and the
// update check against an update server of the test's own. The texts the
// windows show are read back the way a user copies them: a triple click
// selects a line of text, which the window system then offers as the
// primary selection.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "E2eSupport.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDirectory.h"

namespace {

namespace fs = std::filesystem;

using e2e::kMainWindow;

constexpr const char* kAboutWindow = "^About Orvex-Linux-API-Viewer$";
constexpr const char* kDatabaseWindow = "^About: Current database & file$";
constexpr const char* kUpdateWindow = "^Orvex-Linux-API-Viewer: Update check$";
constexpr const char* kProgramTitle = "Linux OX-ZUR-Erirada-Vuvazo";
// The update server the build asks, and the version file's path there.
constexpr const char* kUpdateHost = ORVEX_UPDATE_HOST;
constexpr const char* kLoopbackHost = "127.0.0.1:";
constexpr const char* kVersionFilePath = "/Linux/OX-Linux-API-Version.ini";
constexpr const char* kProgramVersion = "0.25.37";

// Generous: the program runs under the sanitizers on a loaded machine.
constexpr int kAnswerMs = 10000;

// The info button of the tool row, counted from the main window's right edge.
constexpr int kInfoButtonX = -40 + 15;
constexpr int kToolRowY = 17;
// Items of the info menu, counted from the top.
constexpr int kAboutItem = 1;
constexpr int kDatabaseItem = 2;
constexpr int kUpdateItem = 3;

int WindowValue(unsigned long window, const std::string& key) {
  const std::string info = e2e::Output("xwininfo -id " + std::to_string(window) + " 2>/dev/null");
  const std::size_t at = info.find(key);
  return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + key.size());
}

// --- The library as the test reads it ------------------------------------------

// What the database information reports, counted from the XML file by the
// test's own reading: the root's caption and text, the categories with
// entries (the viewer's own chapter left out), the entries with a file
// directly in them, and the release date (the fourth word of the root's text).
struct LibraryFacts {
  std::string rootCaption;
  std::string rootText;
  int topics = 0;
  int entries = 0;
  std::string releaseDate;
};

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string AttributeOf(const std::string& tag, const std::string& name) {
  const std::string key = " " + name + "=\"";
  std::size_t at = tag.find(key);
  if (at == std::string::npos) {
    at = tag.find("\n" + key.substr(1));
    if (at == std::string::npos) return {};
  }
  const std::size_t start = tag.find('"', at) + 1;
  return tag.substr(start, tag.find('"', start) - start);
}

LibraryFacts ReadLibrary(const std::string& xml) {
  struct Element {
    int level;
    std::string caption;
    std::string file;
    int children = 0;
    int parent = -1;
  };
  std::vector<Element> elements;
  std::vector<int> open;
  LibraryFacts facts;
  std::size_t at = 0;
  while ((at = xml.find('<', at)) != std::string::npos) {
    if (xml.compare(at, 4, "<!--") == 0) {
      at = xml.find("-->", at);
      continue;
    }
    if (xml.compare(at, 2, "<?") == 0) {
      at = xml.find("?>", at);
      continue;
    }
    if (xml.compare(at, 2, "</") == 0) {
      if (!open.empty()) open.pop_back();
      ++at;
      continue;
    }
    // The tag runs to the first ">" outside quotes.
    std::size_t end = at;
    for (bool quoted = false; end < xml.size() && (quoted || xml[end] != '>'); ++end) {
      if (xml[end] == '"') quoted = !quoted;
    }
    const std::string tag = xml.substr(at, end - at + 1);
    Element element{static_cast<int>(open.size()), AttributeOf(tag, "Name"),
                    AttributeOf(tag, "File")};
    if (!open.empty()) {
      element.parent = open.back();
      ++elements[static_cast<std::size_t>(open.back())].children;
    }
    elements.push_back(element);
    if (element.level == 0) {
      facts.rootCaption = element.caption;
      facts.rootText = Trimmed(xml.substr(end + 1, xml.find('<', end) - end - 1));
    }
    if (tag.size() < 2 || tag[tag.size() - 2] != '/') {
      open.push_back(static_cast<int>(elements.size()) - 1);
    }
    at = end;
  }
  constexpr const char* kViewerChapter = "ZUR Erirada Vuvazo";
  for (const Element& element : elements) {
    if (element.level == 1 && element.children > 0 && element.caption != kViewerChapter) {
      ++facts.topics;
    }
    if (element.level == 2 && element.children == 0 && !element.file.empty() &&
        elements[static_cast<std::size_t>(element.parent)].caption != kViewerChapter) {
      ++facts.entries;
    }
  }
  std::istringstream words(facts.rootText);
  for (int i = 0; i < 4 && words >> facts.releaseDate; ++i) {
  }
  return facts;
}

// --- An update server on the address the build asks ----------------------------

// Answers every GET with the version file it holds at that moment, on the
// port of the update host the build asks. Gone with the object, after which
// connections are refused.
class UpdateServer {
 public:
  explicit UpdateServer(int port)
      : server_(
            [this](LoopbackHttpServer::Connection& connection,
                   const LoopbackHttpServer::Request& request) {
              std::string body;
              {
                const std::lock_guard lock(mutex_);
                body = body_;
              }
              LoopbackHttpServer::Serve(200, body)(connection, request);
            },
            port) {}

  void Answer(const std::string& versionFile) {
    const std::lock_guard lock(mutex_);
    body_ = versionFile;
  }

  std::vector<std::string> Targets() const {
    std::vector<std::string> targets;
    for (const LoopbackHttpServer::Request& request : server_.Requests()) {
      targets.push_back(request.target);
    }
    return targets;
  }

 private:
  std::mutex mutex_;
  std::string body_;
  LoopbackHttpServer server_;  // last: its threads stop before the body goes
};

std::string VersionFile(const std::string& program, const std::string& library) {
  return "[Versions]\n; newest releases\n\nGtk3=" + program + "\nCodes=" + library + "\n";
}

// --- The program ----------------------------------------------------------------

class InfoMenuJourney : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(stage_.Ok());
    facts_ = ReadLibrary(TempDirectory::Read(Library() + "OX-LinuxAPI-Toc.xml"));
  }

  std::string Library() const { return stage_.Root() + "/Library/"; }

  void StartProgram() {
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    main_ = e2e::WaitForWindowOf(program_->Pid(), kMainWindow);
    ASSERT_NE(main_, 0u) << "the main window did not open";
  }

  // Chooses the n-th item of the info menu and waits for the window it opens.
  unsigned long ChooseInfoItem(int n, const char* windowTitle) {
    if (!e2e::OpenPopupAt(main_, kInfoButtonX, kToolRowY)) return 0;
    std::string keys;
    for (int i = 0; i < n; ++i) keys += "Down ";
    if (!e2e::PressKeys(keys + "Return")) return 0;
    return e2e::WaitForWindowOf(program_->Pid(), windowTitle, kAnswerMs);
  }

  // Escape hides the window, and the program goes on.
  void EscapeHides(unsigned long window) {
    ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
    EXPECT_TRUE(e2e::WaitUntilHidden(window));
    EXPECT_FALSE(program_->WaitForExit(300).has_value()) << "the program ended";
  }

  void EndProgram() { e2e::EndWithEscape(*program_, main_); }

  e2e::StagedCopy stage_;
  LibraryFacts facts_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long main_ = 0;
};

// The middles of the lines of text in a band of a window, found on a
// screenshot as the rows that hold dark pixels, grouped where they touch.
std::vector<int> TextLinesBetween(unsigned long window, int top, int bottom,
                                  const std::string& scratch) {
  const int width = WindowValue(window, "Width:");
  const std::string shot = scratch + "/about.png";
  const std::string pixels = scratch + "/about.rgb";
  fs::remove(pixels);
  e2e::Run("import -window " + std::to_string(window) + " " + shot + " && convert " + shot +
           " -crop " + std::to_string(width) + "x" + std::to_string(bottom - top) + "+0+" +
           std::to_string(top) + " +repage -depth 8 rgb:" + pixels);
  const std::string rgb = TempDirectory::Read(pixels);
  const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 1)) * 3;
  const std::size_t rows = rgb.size() / rowBytes;
  const auto isDark = [&](std::size_t row) {
    for (std::size_t i = row * rowBytes; i < (row + 1) * rowBytes; i += 3) {
      const int sum = static_cast<unsigned char>(rgb[i]) + static_cast<unsigned char>(rgb[i + 1]) +
                      static_cast<unsigned char>(rgb[i + 2]);
      if (sum < 3 * 128) return true;
    }
    return false;
  };
  std::vector<int> middles;
  int first = -1;
  // One row past the last closes a line that reaches the band's end.
  for (std::size_t row = 0; row <= rows; ++row) {
    const bool dark = row < rows && isDark(row);
    if (dark && first < 0) first = static_cast<int>(row);
    if (!dark && first >= 0) {
      middles.push_back(top + (first + static_cast<int>(row) - 1) / 2);
      first = -1;
    }
  }
  return middles;
}

// The texts of the About window between its logo and its web link (a click
// on the link would open it), read line by line down its middle.
std::set<std::string> AboutTexts(unsigned long about, const std::string& scratch) {
  const int width = WindowValue(about, "Width:");
  const int height = WindowValue(about, "Height:");
  std::set<std::string> texts;
  for (const int y : TextLinesBetween(about, 56, height - 90, scratch)) {
    const std::string text = e2e::LineTextAt(about, width / 2, y);
    if (!text.empty()) texts.insert(text);
  }
  return texts;
}

TEST_F(InfoMenuJourney, AboutShowsNameVersionAndDescriptionEachTimeItIsOpened) {
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  const std::string description =
      "Viewer für die Orvex-API-Funktions-Sammlung.\n"
      "Viewer for the Orvex API-functions-collection.";
  const std::set<std::string> expected = {"Orvex-Linux-API-Viewer",
                                          std::string(kProgramVersion) + " gtk3", description};
  // Built anew each time: closed once with Escape, once with its button.
  for (int opening = 1; opening <= 2; ++opening) {
    SCOPED_TRACE(opening);
    const unsigned long about = ChooseInfoItem(kAboutItem, kAboutWindow);
    ASSERT_NE(about, 0u) << "the About window did not open";
    EXPECT_EQ(AboutTexts(about, stage_.Root()), expected);
    if (opening == 1) {
      ASSERT_TRUE(e2e::SendKeys(about, "Escape"));
    } else {
      const int width = WindowValue(about, "Width:");
      const int height = WindowValue(about, "Height:");
      ASSERT_TRUE(e2e::ClickAt(about, width - 50, height - 25));
    }
    EXPECT_TRUE(e2e::WaitUntilHidden(about));
  }
  EndProgram();
}

TEST_F(InfoMenuJourney, DatabaseInformationShowsTheLibraryInUseWithItsCounts) {
  ASSERT_GT(facts_.topics, 0);
  ASSERT_GT(facts_.entries, 0);
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  // An entry is shown first: its file fills the lower part.
  ASSERT_TRUE(e2e::TypeText(main_, "Hallo Welt mit"));
  ASSERT_TRUE(e2e::Eventually([&] {
    return e2e::WindowTitle(main_) == std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox";
  })) << e2e::WindowTitle(main_);

  const unsigned long info = ChooseInfoItem(kDatabaseItem, kDatabaseWindow);
  ASSERT_NE(info, 0u) << "the database information did not open";
  // Paths are shown as the preferences give them, relative to the program.
  const fs::path program = stage_.ProgramDirectory();
  const std::string database = e2e::LineTextAt(info, 400, 33);
  std::error_code error;
  EXPECT_TRUE(fs::equivalent(program / database, Library() + "OX-LinuxAPI-Toc.xml", error))
      << database;
  EXPECT_EQ(e2e::LineTextAt(info, 400, 65), facts_.rootCaption + " - " + facts_.rootText);
  const std::string library = e2e::LineTextAt(info, 400, 97);
  EXPECT_TRUE(fs::equivalent(program / library, Library(), error)) << library;
  EXPECT_EQ(e2e::LineTextAt(info, 350, 129), std::to_string(facts_.topics)) << "topics";
  EXPECT_EQ(e2e::LineTextAt(info, 670, 129), std::to_string(facts_.entries)) << "entries";

  // The file has a byte-order mark and its options block enables Unicode.
  const std::string code = TempDirectory::Read(Library() + "Basics/HelloWorld.ox");
  ASSERT_TRUE(code.starts_with("\xEF\xBB\xBF"));
  ASSERT_NE(code.find("\n; EnableUnicode\n"), std::string::npos);
  EXPECT_EQ(e2e::LineTextAt(info, 400, 195), "Basics/HelloWorld.ox");
  EXPECT_EQ(e2e::LineTextAt(info, 350, 228), "UTF8");
  EXPECT_EQ(e2e::LineTextAt(info, 670, 228), "Unicode");

  EscapeHides(info);
  EndProgram();
}

// The port of the update host when it is the loopback address, where the
// test can answer; 0 otherwise.
int LoopbackUpdatePort() {
  const std::string host = kUpdateHost;
  if (!host.starts_with(kLoopbackHost)) return 0;
  return std::atoi(host.c_str() + std::strlen(kLoopbackHost));
}

// The port the program asks, for this test alone while it runs: the tests
// of both variants run at once and would otherwise answer each other's
// program, or find the port taken.
class PortLock {
 public:
  explicit PortLock(int port)
      : descriptor_(::open(("/tmp/orvex-test-port-" + std::to_string(port) + ".lock").c_str(),
                           O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (descriptor_ >= 0) ::flock(descriptor_, LOCK_EX);
  }
  PortLock(const PortLock&) = delete;
  PortLock& operator=(const PortLock&) = delete;
  ~PortLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }

 private:
  int descriptor_;
};

TEST_F(InfoMenuJourney, UpdateCheckTellsOfNewerReleasesThenOfNoneThenKeepsItsTextsOffline) {
  const int port = LoopbackUpdatePort();
  if (port <= 0) {
    GTEST_SKIP() << "the program asks " << kUpdateHost
                 << "; build with -DUPDATE_HOST=" << kLoopbackHost << "PORT to answer it here";
  }
  const PortLock portLock(port);
  ASSERT_EQ(facts_.releaseDate.size(), 10u) << facts_.rootText;
  auto server = std::make_unique<UpdateServer>(port);
  server->Answer(VersionFile("0.26.0", "2027-01-15"));
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  const auto results = [](unsigned long window) {
    return std::vector<std::string>{e2e::LineTextAt(window, 495, 23, 2000),
                                    e2e::LineTextAt(window, 495, 53),
                                    e2e::LineTextAt(window, 495, 83)};
  };
  unsigned long update = ChooseInfoItem(kUpdateItem, kUpdateWindow);
  ASSERT_NE(update, 0u) << "the update window did not open";
  EXPECT_EQ(results(update),
            (std::vector<std::string>{" - ", std::string("yes:  ") + kProgramVersion + " → 0.26.0",
                                      "yes:  " + facts_.releaseDate + " → 2027-01-15"}));
  EscapeHides(update);

  // The releases the program and the library are at: nothing newer.
  server->Answer(VersionFile(kProgramVersion, facts_.releaseDate));
  update = ChooseInfoItem(kUpdateItem, kUpdateWindow);
  ASSERT_NE(update, 0u) << "the update window did not open again";
  const std::vector<std::string> none = {" - ", std::string("no:  ") + kProgramVersion,
                                         "no:  " + facts_.releaseDate};
  EXPECT_EQ(results(update), none);
  EscapeHides(update);
  EXPECT_EQ(server->Targets(), (std::vector<std::string>{kVersionFilePath, kVersionFilePath}));

  // The server gone: the window shows the last answer unchanged.
  server.reset();
  update = ChooseInfoItem(kUpdateItem, kUpdateWindow);
  ASSERT_NE(update, 0u) << "the update window did not open without a server";
  EXPECT_EQ(results(update), none);
  EscapeHides(update);
  EndProgram();
}

}  // namespace
