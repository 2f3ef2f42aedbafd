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
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "E2eSupport.h"
#include "library/core/XmlParsing.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDirectory.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kAboutWindow = "^About Orvex-Linux-API-Viewer$";
constexpr const char* kDatabaseWindow = "^About: Current database & file$";
constexpr const char* kUpdateWindow = "^Orvex-Linux-API-Viewer: Update check$";
// The update server the build asks, and the version file's path there.
constexpr const char* kUpdateHost = ORVEX_UPDATE_HOST;
constexpr const char* kLoopbackHost = "127.0.0.1:";
constexpr const char* kVersionFilePath = "/Linux/OX-Linux-API-Version.ini";
constexpr const char* kProgramVersion = "0.25.37";

// Generous: the program runs under the sanitizers on a loaded machine.
constexpr int kAnswerMs = 10000;

// Items of the info menu, counted from the top.
constexpr int kAboutItem = 1;
constexpr int kDatabaseItem = 2;
constexpr int kUpdateItem = 3;

// --- The library as the test reads it ------------------------------------------

// What the database information reports, counted by the test from the
// library's XML file as the program's parser reads it: the root's caption and
// text, the categories with entries (the viewer's own chapter left out), the
// entries with a file directly in them, and the release date (the fourth
// word of the root's text).
struct LibraryFacts {
  std::string rootCaption;
  std::string rootText;
  int topics = 0;
  int entries = 0;
  std::string releaseDate;
};

std::string AttributeOf(const library::XmlElement& element, const std::string& name) {
  for (const library::XmlAttribute& attribute : element.attributes) {
    if (attribute.name == name) return std::string(attribute.value);
  }
  return {};
}

LibraryFacts ReadLibrary(const std::string& path) {
  library::XmlDocument document;
  LibraryFacts facts;
  if (library::LoadXmlFile(path, document) != library::XmlLoadResult::Parsed ||
      !document.HasRoot()) {
    return facts;
  }
  const auto& elements = document.elements;
  facts.rootCaption = AttributeOf(elements.front(), "Name");
  facts.rootText = elements.front().text;
  // Elements come in document order, each before its children.
  constexpr const char* kViewerChapter = "ZUR Erirada Vuvazo";
  std::string category;
  for (std::size_t i = 1; i < elements.size(); ++i) {
    const library::XmlElement& element = elements[i];
    const bool hasChildren = i + 1 < elements.size() && elements[i + 1].depth > element.depth;
    if (element.depth == 1) {
      category = AttributeOf(element, "Name");
      if (hasChildren && category != kViewerChapter) ++facts.topics;
    }
    if (element.depth == 2 && !hasChildren && !AttributeOf(element, "File").empty() &&
        category != kViewerChapter) {
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

class InfoMenuJourney : public e2e::Journey {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Journey::SetUp());
    facts_ = ReadLibrary(Library() + "OX-LinuxAPI-Toc.xml");
  }

  // Chooses the n-th item of the info menu and waits for the window it opens.
  unsigned long ChooseInfoItem(int n, const char* windowTitle) {
    if (!ChooseMenuItem(e2e::kInfoButtonX, n)) return 0;
    return e2e::WaitForWindowOf(Pid(), windowTitle, kAnswerMs);
  }

  LibraryFacts facts_;
};

// The middles of the lines of text in a band of a window, found on a
// screenshot as the rows that hold dark pixels, grouped where they touch.
std::vector<int> TextLinesBetween(unsigned long window, int top, int bottom,
                                  const std::string& scratch) {
  const int width = e2e::GeometryOf(window).width;
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
  const e2e::Geometry place = e2e::GeometryOf(about);
  std::set<std::string> texts;
  for (const int y : TextLinesBetween(about, 56, place.height - 90, scratch)) {
    const std::string text = e2e::LineTextAt(about, place.width / 2, y);
    if (!text.empty()) texts.insert(text);
  }
  return texts;
}

TEST_F(InfoMenuJourney, AboutShowsNameVersionAndDescriptionEachTimeItIsOpened) {
  ASSERT_NO_FATAL_FAILURE(Start());
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
      const e2e::Geometry place = e2e::GeometryOf(about);
      ASSERT_TRUE(e2e::ClickAt(about, place.width - 50, place.height - 25));
    }
    EXPECT_TRUE(e2e::WaitUntilHidden(about));
  }
}

TEST_F(InfoMenuJourney, DatabaseInformationShowsTheLibraryInUseWithItsCounts) {
  ASSERT_GT(facts_.topics, 0);
  ASSERT_GT(facts_.entries, 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  // An entry is shown first: its file fills the lower part.
  ASSERT_TRUE(e2e::TypeText(main_, "Hallo Welt mit"));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();

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

  ExpectEscapeHides(info);
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
  ASSERT_NO_FATAL_FAILURE(Start());

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
  ExpectEscapeHides(update);

  // The releases the program and the library are at: nothing newer.
  server->Answer(VersionFile(kProgramVersion, facts_.releaseDate));
  update = ChooseInfoItem(kUpdateItem, kUpdateWindow);
  ASSERT_NE(update, 0u) << "the update window did not open again";
  const std::vector<std::string> none = {" - ", std::string("no:  ") + kProgramVersion,
                                         "no:  " + facts_.releaseDate};
  EXPECT_EQ(results(update), none);
  ExpectEscapeHides(update);
  EXPECT_EQ(server->Targets(), (std::vector<std::string>{kVersionFilePath, kVersionFilePath}));

  // The server gone: the window shows the last answer unchanged.
  server.reset();
  update = ChooseInfoItem(kUpdateItem, kUpdateWindow);
  ASSERT_NE(update, 0u) << "the update window did not open without a server";
  EXPECT_EQ(results(update), none);
  ExpectEscapeHides(update);
}

}  // namespace
