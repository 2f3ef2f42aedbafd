// Hostile file contents fed to the staged program: broken, huge and strange
// databases, code files and language files. Whatever the bytes, the program
// must neither crash nor hang, must give its message where there is one, must
// print no toolkit warning and must leave the files alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "E2eSupport.h"
#include "support/StubPrograms.h"
#include "support/TempDirectory.h"

namespace {

using e2e::kErrorWindow;
using e2e::kMainWindow;
using e2e::kPlainMainWindow;
using e2e::kPreferencesName;
using e2e::kXmlErrorWindow;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kLanguageFileName = "LinuxOX ROZ-UruZore.inf";

// How long the program may take to answer an action before it counts as hung.
constexpr int kAnswerMs = 5000;
// The same for reading and showing tens of megabytes. It bounds a hang, not
// the speed (bench/ measures that): the sanitizers slow the program several
// times over, and other tests share the cores.
constexpr int kLargeFileMs = 60000;

// Index rows of the databases below, at their places in the main window.
constexpr int kRowX = 100;
constexpr int kFirstRowY = 45;
constexpr int kRowHeight = 23;

std::string Repeated(const std::string& piece, std::size_t size) {
  std::string text;
  text.reserve(size + piece.size());
  while (text.size() < size) text += piece;
  text.resize(size);
  return text;
}

std::string SearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "/usr/bin:/bin";
}

// The peak memory of a running process in kB, 0 when unknown.
long PeakMemoryKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

// A staged copy whose database, code files and language file a case
// replaces, with the program's standard error kept in a file.
class HostileStage {
 public:
  std::string Library() const { return stage_.Root() + "/Library/"; }
  std::string Database() const { return Library() + "OX-LinuxAPI-Toc.xml"; }
  std::string Preferences() const { return stage_.ProgramDirectory() + kPreferencesName; }
  std::string LanguageFile() const { return stage_.ProgramDirectory() + kLanguageFileName; }
  std::string StandardErrorFile() const { return stage_.Root() + "/stderr.txt"; }
  bool Ok() const { return stage_.Ok(); }

  void Write(const std::string& path, const std::string& bytes) const {
    e2e::WriteFile(path, bytes);
  }

  // Sets one key of the preferences file.
  void SetPreference(const std::string& key, const std::string& value) const {
    ASSERT_TRUE(e2e::SetPreference(stage_, key, value)) << key;
  }

  std::unique_ptr<e2e::RunningProgram> Start(std::vector<std::string> environment = {}) const {
    e2e::StartOptions options;
    options.environment = std::move(environment);
    options.standardErrorFile = StandardErrorFile();
    return std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory(),
                                                 options);
  }

  std::string Complaints() const {
    return e2e::ToolkitComplaints(TempDirectory::Read(StandardErrorFile()));
  }

 private:
  e2e::StagedCopy stage_;
};

// A database of one category whose entries name the given files.
std::string DatabaseOf(const std::vector<std::string>& files) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<library Name=\"Hostile\">Hostile test library 1.0\n"
      "  <category Name=\"Files\">Files of the test\n";
  for (std::size_t i = 0; i < files.size(); ++i) {
    xml += "    <entry theme_de=\"Entry " + std::to_string(i) + "\" descript_de=\"Entry " +
           std::to_string(i) + "\" File=\"" + files[i] + "\"/>\n";
  }
  return xml + "  </category>\n</library>\n";
}

// Selects an index row with a click; the index sits on the window's left.
bool ClickRow(unsigned long window, int row) {
  return e2e::ClickAt(window, kRowX, kFirstRowY + row * kRowHeight);
}

// ---------------------------------------------------------------------------
// Databases at start-up.

struct DatabaseCase {
  const char* name;
  // Puts the hostile database in place.
  std::function<void(const HostileStage&)> prepare;
  // The title of the message that ends the program; empty when the database
  // loads and the main window must appear.
  const char* messageTitle;
  // Whether the preferences file may change (the folder rule rewrites it).
  bool preferencesMayChange = false;
};

std::string UnclosedTagOnLine5() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<library Name=\"Hostile\">Hostile test library 1.0\n"
         "  <category Name=\"Files\">\n"
         "    <entry theme_de=\"A\" File=\"\"/>\n"
         "    <entry theme_de=\"B\" File=\"\"\n";
}

std::string BillionLaughs() {
  std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n <!ENTITY lol0 \"lol\">\n";
  for (int i = 1; i < 10; ++i) {
    xml += " <!ENTITY lol" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) xml += "&lol" + std::to_string(i - 1) + ";";
    xml += "\">\n";
  }
  return xml + "]>\n<library Name=\"x\"><category Name=\"y\">&lol9;</category></library>\n";
}

std::string DeeplyNested(int depth) {
  std::string xml = "<?xml version=\"1.0\"?>\n";
  for (int i = 0; i < depth; ++i) xml += "<e>";
  for (int i = 0; i < depth; ++i) xml += "</e>";
  return xml + "\n";
}

// Titles full of markup characters, a GTK version note and character
// references to blanks, all legal XML.
std::string MarkupInTitles() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<library Name=\"&lt;b&gt;Root &amp; &quot;all&quot;&lt;/b&gt;\">Root text 1 2 v3\n"
         "  <category Name=\"&lt;i&gt;Cat&lt;/i&gt; &amp;amp; 'x' &lt;span\">Text &lt;u&gt;\n"
         "    <entry theme_de=\"&lt;/b&gt;&amp;&lt; &#9;Tab&#13;CR&#10;LF [&gt;=gtk3.10 "
         "&lt;x&gt;]\""
         " theme_en=\"&lt;a href='javascript:x'&gt;\" descript_de=\"&lt;markup&gt; &amp;amp;\""
         " File=\"\"/>\n"
         "    <entry theme_de=\"[gtk3] &lt;&lt;&lt;\" File=\"\"/>\n"
         "    <entry theme_de=\"%s%d%n\" descript_de=\"%s%n\" File=\"\"/>\n"
         "  </category>\n"
         "</library>\n";
}

const DatabaseCase kDatabaseCases[] = {
    {"EmptyFile", [](const HostileStage& s) { s.Write(s.Database(), ""); }, kErrorWindow},
    {"FolderInPlaceOfTheFile",
     [](const HostileStage& s) {
       fs::remove(s.Database());
       fs::create_directories(s.Database());
     },
     kErrorWindow, true},
    {"UnclosedTagOnLine5",
     [](const HostileStage& s) { s.Write(s.Database(), UnclosedTagOnLine5()); }, kXmlErrorWindow},
    {"InvalidUtf8InAnAttribute",
     [](const HostileStage& s) {
       s.Write(s.Database(),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<library Name=\"a\xC3\x28\xFF\xFE"
               "b\"><category Name=\"c\"/></library>\n");
     },
     kXmlErrorWindow},
    {"ControlCharacterInATitle",
     [](const HostileStage& s) {
       s.Write(s.Database(),
               "<library Name=\"a\"><category Name=\"c\"><entry theme_de=\"x\x01\x1F"
               "y\"/></category></library>\n");
     },
     kXmlErrorWindow},
    {"ControlCharacterReferenceInATitle",
     [](const HostileStage& s) {
       s.Write(s.Database(),
               "<library Name=\"a\"><category Name=\"c\"><entry theme_de=\"x&#1;y\"/>"
               "</category></library>\n");
     },
     kXmlErrorWindow},
    {"BillionLaughs", [](const HostileStage& s) { s.Write(s.Database(), BillionLaughs()); },
     kXmlErrorWindow},
    {"HundredThousandNestedElements",
     [](const HostileStage& s) { s.Write(s.Database(), DeeplyNested(100000)); }, kXmlErrorWindow},
    {"ExternalEntity",
     [](const HostileStage& s) {
       s.Write(s.Database(),
               "<?xml version=\"1.0\"?>\n<!DOCTYPE library [<!ENTITY secret SYSTEM "
               "\"/dev/zero\">]>\n<library Name=\"a\">&secret;<category Name=\"c\"/></library>\n");
     },
     nullptr},
    {"MarkupCharactersInTitles",
     [](const HostileStage& s) { s.Write(s.Database(), MarkupInTitles()); }, nullptr},
};

// Cases are named by their names in failure reports.
void PrintTo(const DatabaseCase& hostile, std::ostream* out) {
  *out << hostile.name;
}

class HostileDatabase : public ::testing::TestWithParam<DatabaseCase> {};

TEST_P(HostileDatabase, EndsWithItsMessageOrShowsTheIndexAndKeepsThePreferences) {
  const DatabaseCase& hostile = GetParam();
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  hostile.prepare(stage);
  const std::string preferences = TempDirectory::Read(stage.Preferences());

  const auto started = Clock::now();
  auto program = stage.Start();
  if (hostile.messageTitle) {
    const unsigned long message =
        e2e::WaitForWindowOf(program->Pid(), hostile.messageTitle, kAnswerMs);
    ASSERT_NE(message, 0u) << "no message within " << kAnswerMs << " ms";
    EXPECT_LT(PeakMemoryKb(program->Pid()), 300 * 1024) << "memory blown up";
    EXPECT_EQ(e2e::WaitForWindowOf(program->Pid(), kMainWindow, 300), 0u)
        << "a main window behind the message";
    ASSERT_TRUE(e2e::SendKeys(message, "Return"));
  } else {
    const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kAnswerMs);
    ASSERT_NE(window, 0u) << "no main window within " << kAnswerMs << " ms";
    // Every row drawn and selected once, then back to the top.
    for (int row = 0; row < 5; ++row) ASSERT_TRUE(ClickRow(window, row));
    ASSERT_TRUE(e2e::SendKeys(window, "Home"));
    EXPECT_NE(e2e::WaitForWindowOf(program->Pid(), kPlainMainWindow, kAnswerMs), 0u);
    ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  }
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(20));
  if (!hostile.preferencesMayChange) {
    EXPECT_EQ(TempDirectory::Read(stage.Preferences()), preferences);
  }
  EXPECT_EQ(stage.Complaints(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileDatabase, ::testing::ValuesIn(kDatabaseCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A UTF-16 database with its declaration and byte-order mark loads like its
// UTF-8 twin: its entry's code file is found and shown.
TEST(HostileFiles, Utf16DatabaseLoadsAndItsEntryOpens) {
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  const std::string utf8 =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
      "<library Name=\"Hostile\">Hostile test library 1.0\r\n"
      "  <category Name=\"Dateien \xC3\xA4\xE2\x9C\xB0\">Text\r\n"
      "    <entry theme_de=\"\xE2\x9C\xB0Neu \xC3\xB6\" File=\"/Hostile/Utf16Entry.ox\"/>\r\n"
      "  </category>\r\n</library>\r\n";
  // The text above has no character beyond the basic plane.
  std::string utf16 = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    unsigned code = byte;
    int length = 1;
    if (byte >= 0xE0) {
      code = ((byte & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
      length = 3;
    } else if (byte >= 0xC0) {
      code = ((byte & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
      length = 2;
    }
    utf16 += static_cast<char>(code & 0xFF);
    utf16 += static_cast<char>(code >> 8);
    i += static_cast<std::size_t>(length);
  }
  stage.Write(stage.Database(), utf16);
  stage.Write(stage.Library() + "Hostile/Utf16Entry.ox", "Procedure A()\nEndProcedure\n");

  auto program = stage.Start();
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kAnswerMs);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ClickRow(window, 2));
  EXPECT_NE(e2e::WaitForWindowOf(program->Pid(), "Utf16Entry\\.ox$", kAnswerMs), 0u);
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(stage.Complaints(), "");
}

// A 50 MB description: the entry opens and the program goes on answering.
TEST(HostileFiles, FiftyMegabyteAttributeLoadsAndItsEntryShows) {
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  stage.Write(stage.Database(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<library Name=\"Hostile\">Root\n"
              "  <category Name=\"Files\">Files\n    <entry theme_de=\"" +
                  Repeated("Title ", 1 << 20) + "\" descript_de=\"" +
                  Repeated("Description &amp; more ", 50 << 20) +
                  "\" File=\"/Hostile/Small.ox\"/>\n  </category>\n</library>\n");
  stage.Write(stage.Library() + "Hostile/Small.ox", "If a\nEndIf\n");

  auto program = stage.Start();
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kLargeFileMs);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ClickRow(window, 2));
  EXPECT_NE(e2e::WaitForWindowOf(program->Pid(), "Small\\.ox$", kLargeFileMs), 0u);
  ASSERT_TRUE(e2e::SendKeys(window, "Home"));
  EXPECT_NE(e2e::WaitForWindowOf(program->Pid(), kPlainMainWindow, kLargeFileMs), 0u)
      << "no answer to a key";
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(stage.Complaints(), "");
}

// The settings' Apply reloads a database that has become broken meanwhile:
// no message, no crash, and the program goes on.
TEST(HostileFiles, ApplyReloadsADatabaseThatBecameBrokenWithoutHarm) {
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  const std::string preferences = TempDirectory::Read(stage.Preferences());
  auto program = stage.Start();
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kAnswerMs);
  ASSERT_NE(window, 0u);

  for (const std::string& broken : {DeeplyNested(100000), BillionLaughs(), std::string()}) {
    SCOPED_TRACE(broken.substr(0, 40));
    stage.Write(stage.Database(), broken);
    const unsigned long settings = e2e::OpenSettingsOf(program->Pid(), window);
    ASSERT_NE(settings, 0u);
    // Apply, then close the window with Escape.
    ASSERT_TRUE(e2e::ClickAt(settings, e2e::kApplyButtonX, e2e::kApplyButtonY));
    ASSERT_TRUE(e2e::SendKeys(settings, "Escape"));
    // The deep document's outer levels, as many as are accepted, fill the
    // index: seconds under the sanitizers, so the bound is the one against a
    // hang.
    EXPECT_TRUE(e2e::WaitUntilHidden(settings, kLargeFileMs)) << "no answer after the reload";
    EXPECT_NE(e2e::WaitForWindowOf(program->Pid(), kPlainMainWindow, kAnswerMs), 0u);
  }
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(TempDirectory::Read(stage.Preferences()), preferences);
  EXPECT_EQ(stage.Complaints(), "");
}

// ---------------------------------------------------------------------------
// Code files.

struct CodeFileCase {
  const char* name;
  std::function<std::string()> bytes;
  // What the copy button puts on the clipboard; not looked at when empty.
  std::string shownText;
  // The time the file may take to show; large files need more than a key.
  int showMs = kAnswerMs;
};

std::string Utf16Le(const std::vector<unsigned>& units) {
  std::string bytes = "\xFF\xFE";
  for (unsigned unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string EveryByte() {
  std::string bytes;
  for (int round = 0; round < 256; ++round) {
    for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte ^ round);
  }
  return bytes;
}

std::string FiftyMegabytesOfCode() {
  const std::string example =
      "; A window with a button\n"
      "; Link to topic:   https://example.org/orvex/gtk3/button\n"
      "Procedure.i MakeWindow(title.s)\n"
      "  Protected *window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)\n"
      "  If *window And title <> \"\"  ; only with a title\n"
      "    gtk_window_set_title(*window, title)\n"
      "  EndIf\n"
      "  ProcedureReturn *window\n"
      "EndProcedure\n"
      "MakeWindow(\"Hello; world\")\n";
  return Repeated(example, 50 << 20);
}

const std::string kReplacement = "\xEF\xBF\xBD";

const CodeFileCase kCodeFileCases[] = {
    {"BinaryBytes", EveryByte, ""},
    {"NulBytes", [] { return std::string("If a\0b\n\0\0EndIf\n", 15); },
     "If a" + kReplacement + "b\n" + kReplacement + kReplacement + "EndIf"},
    {"InvalidUtf8AfterByteOrderMark",
     [] { return std::string("\xEF\xBB\xBFOk \xC3\x28 \xFF\xFE \xE2\x82 end\n\xF5\x80\x80\x80"); },
     "Ok " + kReplacement + "( " + kReplacement + kReplacement + " " + kReplacement + " end\n" +
         kReplacement + kReplacement + kReplacement + kReplacement},
    {"Utf8EncodedSurrogates",
     [] {
       return std::string(
           "\xEF\xBB\xBF"
           "a\xED\xA0\x80"
           "b\xED\xBF\xBF"
           "c");
     },
     // Each byte of an encoded surrogate is one invalid piece.
     "a" + kReplacement + kReplacement + kReplacement + "b" + kReplacement + kReplacement +
         kReplacement + "c"},
    {"LoneSurrogatesInUtf16",
     [] {
       return Utf16Le({'a', 0xD800, 'b', 0xDC00, 'c', 0xDBFF});
     },
     "a" + kReplacement + "b" + kReplacement + "c" + kReplacement},
    {"OddLengthUtf16",
     [] {
       return Utf16Le({'I', 'f', ' ', 'x'}) + "y";
     },
     "If x" + kReplacement},
    {"FiftyMegabytes", FiftyMegabytesOfCode, "", kLargeFileMs},
    {"TenMegabyteLine", [] { return Repeated("If x ", 10 << 20); }, "", kLargeFileMs},
    {"TenMegabyteLineOfConstants", [] { return Repeated("#a", 10 << 20); }, "", kLargeFileMs},
    {"TwentyThousandTopicLinks",
     [] { return Repeated("; Link to topic:   https://example.org/a&b<c>\nx\n", 1 << 20); }, "",
     kLargeFileMs},
    {"ManyDeclaredNames",
     [] {
       std::string code;
       for (int i = 0; i < 30000; ++i) code += "Procedure N" + std::to_string(i) + "()\n";
       return code;
     },
     ""},
};

void PrintTo(const CodeFileCase& hostile, std::ostream* out) {
  *out << hostile.name;
}

class HostileCodeFile : public ::testing::TestWithParam<CodeFileCase> {};

TEST_P(HostileCodeFile, ShowsAndTheProgramGoesOnAnswering) {
  const CodeFileCase& hostile = GetParam();
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  const std::string name = std::string(hostile.name) + ".ox";
  const std::string bytes = hostile.bytes();
  stage.Write(stage.Library() + "Hostile/" + name, bytes);
  stage.Write(stage.Database(), DatabaseOf({"/Hostile/" + name}));

  auto program = stage.Start();
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kAnswerMs);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ClickRow(window, 2));
  const auto clicked = Clock::now();
  ASSERT_NE(e2e::WaitForWindowOf(program->Pid(), name + "$", hostile.showMs), 0u)
      << "the file did not show within " << hostile.showMs << " ms";
  const auto shown = Clock::now();
  if (!hostile.shownText.empty()) {
    EXPECT_EQ(e2e::CopyWithButton(window), hostile.shownText);
    // The copy leaves the keyboard with the code view: back to the index.
    ASSERT_TRUE(ClickRow(window, 2));
  }
  // The category row has no file: its title comes back at once.
  ASSERT_TRUE(e2e::SendKeys(window, "Up"));
  EXPECT_NE(e2e::WaitForWindowOf(program->Pid(), kPlainMainWindow, hostile.showMs), 0u)
      << "no answer to a key within " << hostile.showMs << " ms";
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(TempDirectory::Read(stage.Library() + "Hostile/" + name), bytes) << "file changed";
  EXPECT_EQ(stage.Complaints(), "");
  RecordProperty(
      "ShowMs",
      static_cast<int>(
          std::chrono::duration_cast<std::chrono::milliseconds>(shown - clicked).count()));
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileCodeFile, ::testing::ValuesIn(kCodeFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A named pipe where a code file should be is refused like a missing file,
// without waiting for a writer.
TEST(HostileFiles, NamedPipeAsCodeFileCountsAsMissing) {
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  const std::string pipe = stage.Library() + "Hostile/Pipe.ox";
  fs::create_directories(stage.Library() + "Hostile");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  stage.Write(stage.Database(), DatabaseOf({"/Hostile/Pipe.ox"}));

  StubPrograms stubs({"beep"}, false);
  auto program = stage.Start({"PATH=" + stubs.Folder() + ":" + SearchPath()});
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kAnswerMs);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ClickRow(window, 2));
  // A message box carries the main window's title.
  const unsigned long message =
      e2e::WaitForWindowBesides(program->Pid(), kPlainMainWindow, window, kAnswerMs);
  ASSERT_NE(message, 0u) << "no missing-file message";
  ASSERT_TRUE(e2e::SendKeys(message, "Return"));
  EXPECT_TRUE(stubs.Ran("beep", 3000));
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(stage.Complaints(), "");
}

// ---------------------------------------------------------------------------
// Topic links with hostile targets.

// Where the link labels of the code file below sit: after the marker, on
// the lines of the code view. Their height follows the desktop's fonts, so
// the test finds their lines in a picture of the window.
constexpr int kLinkX = 540;
constexpr int kLinkBandWidth = 60;
constexpr int kCodeTop = 70;
constexpr int kCodeHeight = 400;

// The vertical middles of the link labels, top to bottom: the rows of the
// band at kLinkX that hold ink, where rows a few pixels apart (a label's
// text and its underline) count as one label.
std::vector<int> LinkLabelMiddles(unsigned long window) {
  const std::string rows = e2e::Output(
      "import -window " + std::to_string(window) + " png:- 2>/dev/null | convert png:- -crop " +
      std::to_string(kLinkBandWidth) + "x" + std::to_string(kCodeHeight) + "+" +
      std::to_string(kLinkX) + "+" + std::to_string(kCodeTop) +
      " +repage -colorspace Gray -negate -threshold 40% -scale 1x" + std::to_string(kCodeHeight) +
      "! -depth 8 txt:- 2>/dev/null");
  std::vector<std::pair<int, int>> runs;
  std::istringstream lines(rows);
  for (std::string line; std::getline(lines, line);) {
    int y = 0;
    int value = 0;
    if (std::sscanf(line.c_str(), "0,%d: (%d", &y, &value) != 2 || value == 0) continue;
    if (!runs.empty() && y - runs.back().second <= 4) {
      runs.back().second = y;
    } else {
      runs.emplace_back(y, y);
    }
  }
  std::vector<int> middles;
  for (const auto& [first, last] : runs) middles.push_back(kCodeTop + (first + last) / 2);
  return middles;
}

TEST(HostileFiles, TopicLinksOpenOnlyWebAddresses) {
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  const std::string web = "https://example.invalid/a?b=<c>&d=\"e\"'f";
  const std::vector<std::string> refused = {
      "file:///etc/passwd", "javascript:alert(document.cookie)", "smb://server/share/x.ox",
      "FILE:/etc/hosts",    "<b>bold</b> & \"quoted\" 'single'", "x-unknown:&amp;%s%n"};
  std::string code;
  for (const std::string& target : refused) code += "; Link to topic:   " + target + "\n";
  code += "; Link to topic:   " + web + "\n";
  stage.Write(stage.Library() + "Hostile/Links.ox", code);
  stage.Write(stage.Database(), DatabaseOf({"/Hostile/Links.ox"}));

  // The desktop's URI handler is a stub that records what it gets: the
  // user's defaults send every scheme and file type to it.
  TempDirectory desktop;
  StubPrograms stubs({"xdg-open", "gnome-open", "beep"}, false);
  const std::string opener = stubs.Add("opener");
  desktop.Write("data/applications/hostile-opener.desktop",
                "[Desktop Entry]\nType=Application\nName=Opener\nExec=" + opener +
                    " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;"
                    "x-scheme-handler/file;x-scheme-handler/javascript;x-scheme-handler/smb;"
                    "x-scheme-handler/x-unknown;text/plain;application/octet-stream;"
                    "inode/directory;\n");
  std::string defaults = "[Default Applications]\n";
  for (const char* type :
       {"x-scheme-handler/http", "x-scheme-handler/https", "x-scheme-handler/file",
        "x-scheme-handler/javascript", "x-scheme-handler/smb", "x-scheme-handler/x-unknown",
        "text/plain", "application/octet-stream", "inode/directory"}) {
    defaults += std::string(type) + "=hostile-opener.desktop\n";
  }
  desktop.Write("config/mimeapps.list", defaults);

  auto program = stage.Start({"PATH=" + stubs.Folder() + ":" + SearchPath(),
                              "XDG_DATA_HOME=" + desktop.Path() + "/data",
                              "XDG_CONFIG_HOME=" + desktop.Path() + "/config"});
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kAnswerMs);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ClickRow(window, 2));
  ASSERT_NE(e2e::WaitForWindowOf(program->Pid(), "Links\\.ox$", kAnswerMs), 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::vector<int> middles = LinkLabelMiddles(window);
  ASSERT_EQ(middles.size(), refused.size() + 1) << "the link labels are not where expected";

  for (std::size_t line = 0; line < refused.size(); ++line) {
    SCOPED_TRACE(refused[line]);
    ASSERT_TRUE(e2e::ClickAt(window, kLinkX + kLinkBandWidth / 2, middles[line]));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    for (const char* name : {"opener", "xdg-open", "gnome-open"}) {
      EXPECT_FALSE(stubs.Ran(name, 0)) << refused[line] << " started " << name;
    }
    EXPECT_EQ(e2e::Output("ps -o pid= --ppid " + std::to_string(program->Pid())), "")
        << "a child process runs";
  }
  // The web address opens, and reaches the handler exactly as written.
  ASSERT_TRUE(e2e::ClickAt(window, kLinkX + kLinkBandWidth / 2, middles.back()));
  const auto opened = stubs.Arguments("opener", kAnswerMs);
  ASSERT_TRUE(opened.has_value()) << "the web link did not open: the clicks miss the labels";
  EXPECT_EQ(*opened, std::vector<std::string>{web});

  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(stage.Complaints(), "");
}

// ---------------------------------------------------------------------------
// Language files.

struct LanguageCase {
  const char* name;
  std::function<void(const HostileStage&)> prepare;
  // Whether the missing-file message (empty title) comes first.
  bool notFound = false;
};

std::string LanguageItem(const std::string& key, const std::string& de, const std::string& en,
                         const std::string& fr) {
  return "Key = " + key + "\nde = " + de + "\nen = " + en + "\nfr = " + fr + "\n";
}

const LanguageCase kLanguageCases[] = {
    {"NoSections",
     [](const HostileStage& s) {
       s.Write(s.LanguageFile(), LanguageItem("#Cnf_LabelHint", "a", "b", "c"));
     }},
    {"CarriageReturnLineEnds",
     [](const HostileStage& s) {
       std::string text = "[LanguageItems]\n" + LanguageItem("#Cnf_Language", "a\tb\tc", "d", "e") +
                          "[Tooltips]\n" + LanguageItem("#Main_Find", "<b>&", "<i>", "&amp;");
       for (char& c : text) c = c == '\n' ? '\r' : c;
       s.Write(s.LanguageFile(), text);
     }},
    {"OneMegabyteLine",
     [](const HostileStage& s) {
       s.Write(s.LanguageFile(),
               "[LanguageItems]\n" +
                   LanguageItem("#Cnf_Frame1", "x", Repeated("Long ", 1 << 20), "y") +
                   Repeated("=", 1 << 20) + "\n");
     }},
    {"NulBytes",
     [](const HostileStage& s) {
       s.Write(s.LanguageFile(),
               std::string("[LanguageItems]\nKey = #Cnf_LabelDB\nde = a\0b\nen = \0\0x\nfr = c\n"
                           "Key = #PuInf_AboutApp\0\nde = d\nen = e\0\nfr = f\n",
                           103));
     }},
    {"InvalidUtf8",
     [](const HostileStage& s) {
       std::string text = "\xEF\xBB\xBF[LanguageItems]\n";
       for (const char* key : {"#Cnf_LabelHint", "#Cnf_Frame2", "#Cnf_SearchMode", "#PuInf_OpnCode",
                               "#DbA_LabelFile", "#Upt_LabelXml"}) {
         text += LanguageItem(key, "\xC3\x28", "bad \xFF\xFE\xED\xA0\x80 \xF0\x9F", "\x80\tx\ty");
       }
       text += "[Tooltips]\n" + LanguageItem("#Main_Find", "\xC3", "\xE2\x82", "\xFF");
       s.Write(s.LanguageFile(), text);
     }},
    {"FolderInPlaceOfTheFile",
     [](const HostileStage& s) {
       fs::remove(s.LanguageFile());
       fs::create_directories(s.LanguageFile());
     },
     true},
};

void PrintTo(const LanguageCase& hostile, std::ostream* out) {
  *out << hostile.name;
}

class HostileLanguageFile : public ::testing::TestWithParam<LanguageCase> {};

// English is stored, so the texts of the file are put on all windows before
// the main window shows.
TEST_P(HostileLanguageFile, TheProgramStartsAndShowsItsWindows) {
  const LanguageCase& hostile = GetParam();
  HostileStage stage;
  ASSERT_TRUE(stage.Ok());
  hostile.prepare(stage);
  stage.SetPreference("Language", "1");
  const std::string preferences = TempDirectory::Read(stage.Preferences());

  auto program = stage.Start();
  if (hostile.notFound) {
    const unsigned long message = e2e::WaitForWindowOf(program->Pid(), "^$", kAnswerMs);
    ASSERT_NE(message, 0u) << "no message about the language file";
    ASSERT_TRUE(e2e::SendKeys(message, "Return"));
  }
  // A one-megabyte text takes its time to lay out in the windows.
  const unsigned long window = e2e::WaitForWindowOf(program->Pid(), kMainWindow, kLargeFileMs);
  ASSERT_NE(window, 0u) << "no main window";
  // The settings window carries most of the texts.
  ASSERT_TRUE(e2e::ClickAt(window, e2e::kSettingsButtonX, e2e::kToolRowY));
  const unsigned long settings =
      e2e::WaitForWindowOf(program->Pid(), e2e::kSettingsWindow, kLargeFileMs);
  ASSERT_NE(settings, 0u) << "no settings window";
  ASSERT_TRUE(e2e::SendKeys(settings, "Escape"));
  EXPECT_TRUE(e2e::WaitUntilHidden(settings, kLargeFileMs));
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(*program);
  EXPECT_EQ(TempDirectory::Read(stage.Preferences()), preferences);
  EXPECT_EQ(stage.Complaints(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileLanguageFile, ::testing::ValuesIn(kLanguageCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
