#include <gtest/gtest.h>

#include "library/core/PathRules.h"

namespace library {
namespace {

TEST(PathRules, FileAndDirectoryParts) {
  struct Case {
    const char* path;
    const char* file;
    const char* directory;
  };
  const Case cases[] = {
      {"/d/lib/OX-LinuxAPI-Toc.xml", "OX-LinuxAPI-Toc.xml", "/d/lib/"},
      {"Widgets/Button.ox", "Button.ox", "Widgets/"},
      {"Button.ox", "Button.ox", ""},
      {"/d/lib/", "", "/d/lib/"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilePart(c.path), c.file) << c.path;
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
  }
}

TEST(PathRules, JoinInsertsOneSlashOnlyWhereNeeded) {
  struct Case {
    const char* left;
    const char* right;
    const char* joined;
  };
  const Case cases[] = {
      {"/d/lib", "OX-LinuxAPI-Toc.xml", "/d/lib/OX-LinuxAPI-Toc.xml"},
      {"/d/lib/", "OX-LinuxAPI-Toc.xml", "/d/lib/OX-LinuxAPI-Toc.xml"},
      {"Linux", "/G/B.ox", "Linux/G/B.ox"},
      {"Linux", "G/B.ox", "Linux/G/B.ox"},
      {"", "G/B.ox", "G/B.ox"},
      {"../", "Viewer/ViewerHelp.txt", "../Viewer/ViewerHelp.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinPath(c.left, c.right), c.joined) << c.left << c.right;
}

TEST(PathRules, CodeFileIgnoresAnyNumberOfLeadingSlashes) {
  for (const char* file : {"Widgets/Button.ox", "/Widgets/Button.ox", "//Widgets/Button.ox"}) {
    EXPECT_EQ(CodeFilePath("/lib/", file), "/lib/Widgets/Button.ox") << file;
    EXPECT_EQ(CodeFilePath("", file), "Widgets/Button.ox") << file;
  }
  EXPECT_EQ(StripLeadingSlashes("///"), "");
}

}  // namespace
}  // namespace library
