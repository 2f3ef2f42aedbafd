#include <gtest/gtest.h>

#include <string_view>

#include "toolkit/core/UriList.h"

namespace toolkit {
namespace {

using Paths = std::vector<std::string>;

TEST(UriList, FileUriPercentEncodesEverythingButPlainCharacters) {
  EXPECT_EQ(FileUriFromPath("/lib/Widgets/Button.ox"), "file:///lib/Widgets/Button.ox");
  EXPECT_EQ(FileUriFromPath("/my lib/Größe#1%.ox"), "file:///my%20lib/Gr%C3%B6%C3%9Fe%231%25.ox");
  EXPECT_EQ(FileUriFromPath("relative/x.ox"), "");
  EXPECT_EQ(FileUriFromPath(""), "");
}

TEST(UriList, DecodesLocalFileUrisOfAList) {
  EXPECT_EQ(LocalPathsFromUriList("file:///a/b.ox\r\nfile:///c%20d/%C3%A4.ox\r\n"),
            (Paths{"/a/b.ox", "/c d/ä.ox"}));
  EXPECT_EQ(LocalPathsFromUriList("file://localhost/x.ox\nFILE://LOCALHOST/y.ox"),
            (Paths{"/x.ox", "/y.ox"}));
}

TEST(UriList, SkipsCommentsOtherSchemesAndOtherHosts) {
  EXPECT_EQ(LocalPathsFromUriList("# comment\r\nhttp://example.org/a.ox\r\n"
                                  "file://otherhost/b.ox\r\nsmb://server/c.ox\r\n\r\n"
                                  "file:///d.ox"),
            (Paths{"/d.ox"}));
}

TEST(UriList, RejectsBrokenEscapesAndNulBytes) {
  EXPECT_EQ(LocalPathsFromUriList("file:///a%2\nfile:///b%zz.ox\nfile:///c%00.ox\nfile:///ok.ox"),
            (Paths{"/ok.ox"}));
  // A raw NUL inside a URI, not only an encoded one, would cut the path short.
  using namespace std::string_view_literals;
  EXPECT_EQ(LocalPathsFromUriList("file:///tmp\0/x.ox\nfile:///ok.ox\0\0"sv), (Paths{"/ok.ox"}));
  // Dropped files travel on as lines: a name with a line end would be cut.
  EXPECT_EQ(LocalPathsFromUriList("file:///a.ox%0Ab.ox\nfile:///c%0D.ox\nfile:///d\r.ox\n"
                                  "file:///ok.ox"),
            (Paths{"/ok.ox"}));
  EXPECT_TRUE(LocalPathsFromUriList("").empty());
  EXPECT_TRUE(LocalPathsFromUriList("file://").empty());
}

TEST(UriList, EncodedPathsComeBackUnchanged) {
  for (const char* path : {"/a b/c.ox", "/ä/ö ü/%20.ox", "/x/#1?.ox", "/tab\there"}) {
    EXPECT_EQ(LocalPathsFromUriList(FileUriFromPath(path) + "\r\n"), Paths{path}) << path;
  }
}

}  // namespace
}  // namespace toolkit
