#include <gtest/gtest.h>

#include "app/core/ExternalPrograms.h"
#include "support/StubPrograms.h"

namespace app {
namespace {

using Arguments = std::vector<std::string>;

TEST(ExternalPrograms, DesktopOpenerGetsAPathWithBlanksAsOneArgument) {
  StubPrograms stubs({"xdg-open", "gnome-open"});
  TempDirectory temp;
  const std::string file = temp.Write("Button Gadget/first 'demo' $x.ox", "x");
  EXPECT_TRUE(OpenWithDesktop(file));
  EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{file});
  EXPECT_FALSE(stubs.Ran("gnome-open"));
}

TEST(ExternalPrograms, GnomeOpenStandsInWhenXdgOpenIsMissing) {
  StubPrograms stubs({"gnome-open"});
  EXPECT_TRUE(OpenWithDesktop("/some where/x.ox"));
  EXPECT_EQ(stubs.Arguments("gnome-open"), Arguments{"/some where/x.ox"});

  StubPrograms none({});
  EXPECT_FALSE(OpenWithDesktop("/x.ox")) << "neither opener can be found";
}

TEST(ExternalPrograms, CodeFileOpensInAnExecutableEditor) {
  StubPrograms stubs({"xdg-open"});
  TempDirectory temp;
  const std::string file = temp.Write("My Codes/a b.ox", "x");
  const std::string editor = stubs.Add("my editor");
  EXPECT_EQ(OpenCodeFile(editor, file), CodeFileOpening::Editor);
  EXPECT_EQ(stubs.Arguments("my editor"), Arguments{file});
  EXPECT_FALSE(stubs.Ran("xdg-open"));
}

// A relative path that begins with "-" would be read as an option.
TEST(ExternalPrograms, RelativePathWithLeadingDashIsNoOption) {
  StubPrograms stubs({"xdg-open"});
  const std::string editor = stubs.Add("editor");
  EXPECT_EQ(OpenCodeFile(editor, "-n --version.ox"), CodeFileOpening::Editor);
  EXPECT_EQ(stubs.Arguments("editor"), Arguments{"./-n --version.ox"});
  EXPECT_TRUE(OpenWithDesktop("-folder"));
  EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{"./-folder"});
  EXPECT_EQ(PathArgument("/abs/-x.ox"), "/abs/-x.ox");
}

TEST(ExternalPrograms, EditorWithoutExecuteBitOpensNothing) {
  StubPrograms stubs({"xdg-open", "gnome-open"});
  TempDirectory temp;
  const std::string file = temp.Write("a.ox", "x");
  const std::string editor = stubs.Add("plain-editor", 0644);
  EXPECT_EQ(OpenCodeFile(editor, file), CodeFileOpening::Nothing);
  EXPECT_EQ(OpenCodeFile(temp.Path() + "/no-such-editor", file), CodeFileOpening::Nothing);
  EXPECT_FALSE(stubs.Ran("plain-editor"));
  EXPECT_FALSE(stubs.Ran("xdg-open")) << "a set editor path never falls back";
}

TEST(ExternalPrograms, WithoutEditorOnlyAnExistingFileGoesToTheDesktop) {
  StubPrograms stubs({"xdg-open"});
  TempDirectory temp;
  EXPECT_EQ(OpenCodeFile("", temp.Path() + "/missing.ox"), CodeFileOpening::Nothing);
  EXPECT_EQ(OpenCodeFile("", temp.Path()), CodeFileOpening::Nothing) << "a folder is no code file";
  EXPECT_FALSE(stubs.Ran("xdg-open"));
  const std::string file = temp.Write("a.ox", "x");
  EXPECT_EQ(OpenCodeFile("", file), CodeFileOpening::Desktop);
  EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{file});
}

TEST(ExternalPrograms, FolderOpensOrBeepsWhenMissing) {
  StubPrograms stubs({"xdg-open", "beep"});
  TempDirectory temp;
  OpenFolderOrBeep(temp.Path() + "/");
  EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{temp.Path() + "/"});
  EXPECT_FALSE(stubs.Ran("beep"));

  StubPrograms second({"xdg-open", "beep"});
  OpenFolderOrBeep(temp.Path() + "/absent/");
  OpenFolderOrBeep(temp.Write("file.ox", "x"));
  EXPECT_EQ(second.Arguments("beep"), (Arguments{"-f", "130.8", "-l", "100"}));
  EXPECT_FALSE(second.Ran("xdg-open"));
}

}  // namespace
}  // namespace app
