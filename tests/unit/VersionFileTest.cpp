#include <gtest/gtest.h>

#include "dialogs/core/VersionFile.h"

namespace dialogs {
namespace {

constexpr const char* kArrow = " \xE2\x86\x92 ";

std::string VersionFile(std::string_view program, std::string_view library,
                        std::string_view lineEnd = "\n") {
  return "[Version]" + std::string(lineEnd) + "; newest release" + std::string(lineEnd) +
         "Vendor=Orvex Tools" + std::string(lineEnd) + "ProgramVersion=" + std::string(program) +
         std::string(lineEnd) + "LibraryDate=" + std::string(library) + std::string(lineEnd);
}

TEST(VersionFile, ReadsTheValuesOfLinesFourAndFive) {
  const auto versions = ReadVersionFile(VersionFile("0.26.0", "2025-03-14"));
  ASSERT_TRUE(versions);
  EXPECT_EQ(versions->programVersion, "0.26.0");
  EXPECT_EQ(versions->libraryDate, "2025-03-14");

  // Lines 1 to 3 and the key names are not looked at; exactly five lines do.
  const auto bare = ReadVersionFile("\n\n\nx=1.2.3\n=2024-01-02");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->programVersion, "1.2.3");
  EXPECT_EQ(bare->libraryDate, "2024-01-02");

  // The value ends at the line's second "=".
  const auto cut = ReadVersionFile("a\nb\nc\nV=0.26.0=beta=2\nD=2025-03-14=x\n");
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->programVersion, "0.26.0");
  EXPECT_EQ(cut->libraryDate, "2025-03-14");
}

TEST(VersionFile, CarriageReturnsStayInTheValues) {
  const auto versions = ReadVersionFile(VersionFile("0.26.0", "2025-03-14", "\r\n"));
  ASSERT_TRUE(versions);
  EXPECT_EQ(versions->programVersion, "0.26.0\r");
  EXPECT_EQ(versions->libraryDate, "2025-03-14\r");
}

TEST(VersionFile, IncompleteFilesGiveNothing) {
  EXPECT_FALSE(ReadVersionFile(""));
  EXPECT_FALSE(ReadVersionFile("a\nb\nc\nV=0.26.0")) << "four lines";
  EXPECT_FALSE(ReadVersionFile("a\rb\rc\rV=0.26.0\rD=2025-03-14")) << "CR ends no line";
  EXPECT_FALSE(ReadVersionFile("a\nb\nc\nV 0.26.0\nD=2025-03-14\n")) << "no = in line 4";
  EXPECT_FALSE(ReadVersionFile("a\nb\nc\nV=0.26.0\nD 2025-03-14\n")) << "no = in line 5";
  EXPECT_FALSE(ReadVersionFile("a\nb\nc\nV=0.26.0\n")) << "line 5 empty";
  EXPECT_FALSE(ReadVersionFile("a\nb\nc\nV=\nD=2025-03-14\n")) << "empty version";
  EXPECT_FALSE(ReadVersionFile("a\nb\nc\nV=0.26.0\nD==2025-03-14\n")) << "empty between = and =";
  // An error page that is no version file.
  EXPECT_FALSE(ReadVersionFile("<html>\n<body>\nNot Found\n</body>\n</html>\n"));
}

TEST(VersionFile, EachPartOfTheVersionCanBeNewer) {
  EXPECT_FALSE(HasNewerPart("0.25.37", "0.25.37"));
  EXPECT_TRUE(HasNewerPart("0.25.37", "1.25.37"));
  EXPECT_TRUE(HasNewerPart("0.25.37", "0.26.37"));
  EXPECT_TRUE(HasNewerPart("0.25.37", "0.25.38"));
  EXPECT_FALSE(HasNewerPart("1.25.37", "0.25.37"));
  EXPECT_FALSE(HasNewerPart("0.26.37", "0.25.37"));
  EXPECT_FALSE(HasNewerPart("0.25.38", "0.25.37"));
  // Numbers, not texts: 10 is more than 9.
  EXPECT_TRUE(HasNewerPart("0.9.0", "0.10.0"));
  // Each part on its own, so a higher lower part counts even below a lower
  // higher one.
  EXPECT_TRUE(HasNewerPart("0.25.37", "0.26.0"));
  EXPECT_TRUE(HasNewerPart("0.26.0", "0.25.37"));
  // A fourth part is not compared.
  EXPECT_FALSE(HasNewerPart("0.25.37", "0.25.37.9"));
}

TEST(VersionFile, PartsAreReadAsTheirLeadingNumber) {
  EXPECT_FALSE(HasNewerPart("0.25.37", "0.25.37\r"));
  EXPECT_TRUE(HasNewerPart("0.25.37\r", "0.25.38\r"));
  EXPECT_FALSE(HasNewerPart("3a.0.0", "3.0.0"));
  EXPECT_TRUE(HasNewerPart("3a.0.0", "4b.0.0"));
  // Missing and non-numeric parts are 0.
  EXPECT_FALSE(HasNewerPart("1", "1.0.0"));
  EXPECT_TRUE(HasNewerPart("1", "1.0.1"));
  EXPECT_FALSE(HasNewerPart("", "x.y.z"));
  EXPECT_TRUE(HasNewerPart("", "0..1"));
  EXPECT_FALSE(HasNewerPart("beta.1.1", "0.1.1"));
  // A sign belongs to the number.
  EXPECT_TRUE(HasNewerPart("-1.0.0", "0.0.0"));
  EXPECT_FALSE(HasNewerPart("+2.0.0", "2.0.0"));
}

TEST(VersionFile, HugePartsSaturate) {
  const std::string huge = "99999999999999999999999999999";
  EXPECT_TRUE(HasNewerPart("0.25.37", huge + ".0.0"));
  EXPECT_TRUE(HasNewerPart("9223372036854775806", huge));
  EXPECT_FALSE(HasNewerPart(huge, "9223372036854775807"));
  EXPECT_FALSE(HasNewerPart(huge, huge + "9"));
  EXPECT_FALSE(HasNewerPart("0.25.37", "-" + huge + ".0.0"));
}

TEST(VersionFile, LibraryDatesAreOrderedCalendarDates) {
  EXPECT_EQ(LibraryDateValue("2025-03-14"), 20250314);
  EXPECT_LT(LibraryDateValue("2024-12-31"), LibraryDateValue("2025-01-01"));
  EXPECT_LT(LibraryDateValue("2025-01-31"), LibraryDateValue("2025-02-01"));
  EXPECT_EQ(LibraryDateValue("2024-02-29"), 20240229);
  EXPECT_EQ(LibraryDateValue("2000-02-29"), 20000229);
  EXPECT_EQ(LibraryDateValue("2025-04-30"), 20250430);
  for (const char* invalid : {"2023-02-29", "1900-02-29", "2025-02-30", "2025-04-31", "2025-00-10",
                              "2025-13-01", "2025-01-00", "2025-01-32"}) {
    EXPECT_EQ(LibraryDateValue(invalid), -1) << invalid;
  }
}

TEST(VersionFile, LibraryDatesNeedTheirExactForm) {
  for (const char* wrong : {"", "2025-3-14", "25-03-14", "02025-03-14", "2025-03-4", "2025-003-14",
                            "2025-03-140", "2025/03/14", "2025-03 14", "2025-0x-14", "x2025-03-14",
                            " 2025-03-14", "+025-03-14", "2025-03-1"}) {
    EXPECT_EQ(LibraryDateValue(wrong), -1) << '"' << wrong << '"';
  }
  // What follows a complete date is not part of it: the CR of a CR LF line
  // end, or a note.
  EXPECT_EQ(LibraryDateValue("2025-03-14\r"), 20250314);
  EXPECT_EQ(LibraryDateValue("2025-03-14 (spring)"), 20250314);
}

TEST(VersionFile, ResultTextsByteForByte) {
  const ServerVersions server{.programVersion = "0.26.0", .libraryDate = "2025-03-14"};
  const UpdateResults newer = DescribeUpdates("0.25.37", "2024-11-02", server);
  EXPECT_EQ(newer.gtk2, " - ");
  EXPECT_EQ(newer.gtk3, "yes:  0.25.37 \xE2\x86\x92 0.26.0");
  EXPECT_EQ(newer.library, "yes:  2024-11-02 \xE2\x86\x92 2025-03-14");

  const UpdateResults same = DescribeUpdates("0.26.0", "2025-03-14", server);
  EXPECT_EQ(same.gtk2, " - ");
  EXPECT_EQ(same.gtk3, "no:  0.26.0");
  EXPECT_EQ(same.library, "no:  2025-03-14");

  const UpdateResults ahead = DescribeUpdates("0.26.1", "2025-06-01", server);
  EXPECT_EQ(ahead.gtk3, "no:  0.26.1");
  EXPECT_EQ(ahead.library, "no:  2025-03-14");
}

TEST(VersionFile, LibraryStatusWithDatesThatDoNotMatch) {
  // A server date that is no date never counts as newer and is shown as it came.
  const ServerVersions badServer{.programVersion = "0.25.37", .libraryDate = "soon\t"};
  EXPECT_EQ(DescribeUpdates("0.25.37", "2024-11-02", badServer).library, "no:  soon\t");
  EXPECT_EQ(DescribeUpdates("0.25.37", "", badServer).library, "no:  soon\t");
  // Without a valid local date any valid server date is newer.
  const ServerVersions server{.programVersion = "0.25.37", .libraryDate = "2025-03-14"};
  EXPECT_EQ(DescribeUpdates("0.25.37", "", server).library,
            std::string("yes:  ") + kArrow + "2025-03-14");
  EXPECT_EQ(DescribeUpdates("0.25.37", "2025-02-30", server).library,
            std::string("yes:  2025-02-30") + kArrow + "2025-03-14");
}

TEST(VersionFile, CrLfFileStillFindsTheNewerReleases) {
  const auto server = ReadVersionFile(VersionFile("0.26.0", "2025-03-14", "\r\n"));
  ASSERT_TRUE(server);
  const UpdateResults results = DescribeUpdates("0.25.37", "2024-11-02", *server);
  EXPECT_EQ(results.gtk3, std::string("yes:  0.25.37") + kArrow + "0.26.0\r");
  EXPECT_EQ(results.library, std::string("yes:  2024-11-02") + kArrow + "2025-03-14\r");

  const auto same = ReadVersionFile(VersionFile("0.25.37", "2024-11-02", "\r\n"));
  ASSERT_TRUE(same);
  const UpdateResults current = DescribeUpdates("0.25.37", "2024-11-02", *same);
  EXPECT_EQ(current.gtk3, "no:  0.25.37");
  EXPECT_EQ(current.library, "no:  2024-11-02\r");
}

}  // namespace
}  // namespace dialogs
