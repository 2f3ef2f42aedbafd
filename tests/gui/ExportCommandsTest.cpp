// The admin exports and the duplicates protocol run on a real index tree in a
// folder laid out like the staged tree: the files they write, their messages,
// the templates they read, and what a failed creation or write says.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "export/FileListExport.h"
#include "export/PostingExport.h"
#include "export/WebPageExport.h"
#include "library/DuplicatesProtocol.h"
#include "support/TempDirectory.h"

namespace {

namespace fs = std::filesystem;

// 6 December 2026 at noon, in the time zone the tests pin (UTC).
constexpr std::time_t kExportMoment = 1796558400;

std::string ExportDataPath(const std::string& name) {
  const char* root = std::getenv("ORVEX_TEST_DATA");
  return std::string(root ? root : "") + "/exports/" + name;
}

std::string ExportData(const std::string& name) {
  return TempDirectory::Read(ExportDataPath(name));
}

// A main window showing a fixture database, with the template and export
// folders of a temporary tree laid out like the staged one.
struct StagedExports {
  TempDirectory temp;
  std::unique_ptr<app::AppState> app;

  explicit StagedExports(const std::string& database) {
    fs::create_directories(Templates());
    fs::create_directories(Exports());
    app = testsupport::NewAppShowing(ExportData(database), [&](app::AppState& state) {
      state.templateDirectory = Templates();
      state.exportDirectory = Exports();
      state.settings.libPath = ExportDataPath("lib");
      state.database.fileName = database;
    });
  }
  std::string Templates() const { return temp.Path() + "/Templates/"; }
  std::string Exports() const { return temp.Path() + "/Export/"; }
  void CopyFixtureTemplates() const {
    fs::copy_file(ExportDataPath("Head.html"), Templates() + "OX-LinuxAPI-Head.html");
    fs::copy_file(ExportDataPath("Tail.html"), Templates() + "OX-LinuxAPI-Tail.html");
  }
};

// Runs a command and returns the message box it showed.
testsupport::MessageSeen MessageOf(const std::function<void()>& command) {
  testsupport::MessageCatcher catcher;
  command();
  EXPECT_TRUE(catcher.Answered()) << "no message box";
  return catcher.Seen();
}

struct Command {
  const char* name;
  const char* file;
  std::function<void(app::AppState&)> run;
  const char* success;
  const char* failure;
};

const Command kTextCommands[] = {
    {"posting all", "ForumPosting.txt",
     [](app::AppState& app) { exports::ExportPosting(app, exports::PostingScope::All); },
     "text-Export done to ...\n", "Couldn't create\n"},
    {"posting news", "ForumPosting.txt",
     [](app::AppState& app) { exports::ExportPosting(app, exports::PostingScope::News); },
     "text-Export done to ...\n", "Couldn't create\n"},
    {"file list", "Filelist.txt", [](app::AppState& app) { exports::ExportFileList(app); },
     "Filelist-Export done to ...\n", "Couldn't create\n"},
    {"protocol", "Protocoll.txt", [](app::AppState& app) { library::WriteDuplicatesProtocol(app); },
     "Protokoll with double terms done to ...\n", "Couldn't create Protokoll\n"},
};

TEST(ExportCommands, WebPageOfTheIndexTreeMatchesTheGoldenPage) {
  StagedExports staged("library.xml");
  ASSERT_TRUE(staged.app);
  staged.CopyFixtureTemplates();
  const std::string page = staged.Exports() + "OX-LinuxAPI-Lib.html";
  const testsupport::MessageSeen seen =
      MessageOf([&] { exports::ExportWebPage(*staged.app, kExportMoment); });
  EXPECT_EQ(seen.title, app::kProgramTitle);
  EXPECT_EQ(seen.text, "html-Export done to ...\n" + page);
  EXPECT_EQ(TempDirectory::Read(page), ExportData("library.html"));
}

TEST(ExportCommands, TextExportsAndProtocolWriteTheirGoldenFiles) {
  StagedExports staged("library.xml");
  ASSERT_TRUE(staged.app);
  staged.app->database.MakeCurrent(4);
  const std::string goldens[] = {"library-posting.txt", "library-posting.txt",
                                 "library-filelist.txt"};
  for (std::size_t i = 0; i < 3; ++i) {
    const Command& command = kTextCommands[i];
    const std::string path = staged.Exports() + command.file;
    // An earlier file is replaced, not appended to.
    staged.temp.Write(std::string("Export/") + command.file, "old text that must go\n");
    const testsupport::MessageSeen seen = MessageOf([&] { command.run(*staged.app); });
    EXPECT_EQ(seen.title, app::kProgramTitle) << command.name;
    EXPECT_EQ(seen.text, command.success + path) << command.name;
    EXPECT_EQ(TempDirectory::Read(path), ExportData(goldens[i])) << command.name;
  }
  EXPECT_EQ(staged.app->database.current, 4u) << "the exports leave the current entry alone";

  StagedExports doubles("duplicates.xml");
  ASSERT_TRUE(doubles.app);
  const std::string protocol = doubles.Exports() + "Protocoll.txt";
  const testsupport::MessageSeen seen = MessageOf([&] { kTextCommands[3].run(*doubles.app); });
  EXPECT_EQ(seen.title, app::kProgramTitle);
  EXPECT_EQ(seen.text, "Protokoll with double terms done to ...\n" + protocol);
  EXPECT_EQ(TempDirectory::Read(protocol), ExportData("duplicates-protocol.txt"));
}

TEST(ExportCommands, TemplatesAreReadEvenWhenReadOnlyAndCreatedEmptyWhenMissing) {
  StagedExports staged("empty.xml");
  ASSERT_TRUE(staged.app);
  const std::string head = staged.Templates() + "OX-LinuxAPI-Head.html";
  const std::string tail = staged.Templates() + "OX-LinuxAPI-Tail.html";
  const std::string page = staged.Exports() + "OX-LinuxAPI-Lib.html";
  const std::string frame =
      "<br />\n<input type=\"button\" name=\"theSubmitButton\" id=\"theSubmitButton\" "
      "value=\"Alle öffnen / schließen\" onclick=\"return false;\"><br />\n<a></a>\n<a></a></p>\n"
      "\n</span>\n</p>\n";

  // Both missing: each is created empty and adds nothing; the export succeeds.
  EXPECT_EQ(MessageOf([&] { exports::ExportWebPage(*staged.app, kExportMoment); }).text,
            "html-Export done to ...\n" + page);
  EXPECT_EQ(TempDirectory::Read(page), frame);
  ASSERT_TRUE(fs::is_regular_file(head));
  ASSERT_TRUE(fs::is_regular_file(tail));
  EXPECT_EQ(fs::file_size(head), 0u);

  // A template without write permission is read all the same and stays as it was.
  staged.temp.Write("Templates/OX-LinuxAPI-Head.html", "Stand: CurrDate\r\n");
  staged.temp.Write("Templates/OX-LinuxAPI-Tail.html", "end");
  ASSERT_EQ(::chmod(head.c_str(), 0444), 0);
  ASSERT_EQ(::chmod(tail.c_str(), 0444), 0);
  MessageOf([&] { exports::ExportWebPage(*staged.app, kExportMoment); });
  EXPECT_EQ(TempDirectory::Read(page), "Stand: 06. Dec. 2026\n" + frame + "end\n");
  EXPECT_EQ(TempDirectory::Read(head), "Stand: CurrDate\r\n");
  EXPECT_EQ(fs::status(head).permissions() & fs::perms::all, fs::perms(0444));

  // A template folder that does not exist adds nothing either.
  staged.app->templateDirectory = staged.temp.Path() + "/NoTemplates/";
  MessageOf([&] { exports::ExportWebPage(*staged.app, kExportMoment); });
  EXPECT_EQ(TempDirectory::Read(page), frame);
  EXPECT_FALSE(fs::exists(staged.app->templateDirectory));
}

TEST(ExportCommands, AnExportFolderThatCannotHoldFilesGivesTheCouldNotCreateMessages) {
  StagedExports staged("library.xml");
  ASSERT_TRUE(staged.app);
  // A folder path below a regular file cannot be created into, not even by root.
  staged.temp.Write("Blocked", "a file, not a folder");
  staged.app->exportDirectory = staged.temp.Path() + "/Blocked/";
  for (const Command& command : kTextCommands) {
    const testsupport::MessageSeen seen = MessageOf([&] { command.run(*staged.app); });
    EXPECT_EQ(seen.title, app::kProgramTitle) << command.name;
    EXPECT_EQ(seen.text, command.failure + staged.app->exportDirectory + command.file)
        << command.name;
  }

  // The web page stays silent when it cannot be created, and does not touch
  // the templates then.
  testsupport::MessageCatcher catcher;
  exports::ExportWebPage(*staged.app, kExportMoment);
  testsupport::RunFor(300);
  EXPECT_FALSE(catcher.Answered());
  EXPECT_FALSE(fs::exists(staged.Templates() + "OX-LinuxAPI-Head.html"));
}

TEST(ExportCommands, AFailedWriteIsReportedInsteadOfSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full to fail writes";
  StagedExports staged("library.xml");
  ASSERT_TRUE(staged.app);
  staged.CopyFixtureTemplates();
  // Each output file is a link to the device whose writes always fail.
  for (const char* name :
       {"OX-LinuxAPI-Lib.html", "ForumPosting.txt", "Filelist.txt", "Protocoll.txt"}) {
    fs::create_symlink("/dev/full", staged.Exports() + name);
  }
  for (const Command& command : kTextCommands) {
    EXPECT_EQ(MessageOf([&] { command.run(*staged.app); }).text,
              command.failure + staged.Exports() + command.file)
        << command.name;
  }
  EXPECT_EQ(MessageOf([&] { exports::ExportWebPage(*staged.app, kExportMoment); }).text,
            "Couldn't create\n" + staged.Exports() + "OX-LinuxAPI-Lib.html");
}

}  // namespace
