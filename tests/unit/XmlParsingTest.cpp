#include <expat.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "library/core/XmlParsing.h"
#include "support/TempDirectory.h"

namespace library {
namespace {

XmlDocument Parse(std::string_view bytes) {
  XmlDocument document;
  ParseXmlBytes(bytes, document);
  return document;
}

// The UTF-16 form of ASCII-and-BMP text, with its byte order mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (const char16_t unit : u"\uFEFF" + std::u16string(text)) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

TEST(XmlParsing, FilesThatCannotBeReadKeepThePreviousDocument) {
  const TempDirectory folder;
  const std::string empty = folder.Write("empty.xml", "");
  // A terabyte that takes no room on the disk: more than the memory to be had.
  const std::string huge = folder.Write("huge.xml", "<a/>");
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
  for (const std::string& path : {empty, folder.Path(), folder.Path() + "/missing.xml", huge}) {
    XmlDocument document = Parse("<old a='1'>kept</old>");
    EXPECT_EQ(LoadXmlFile(path, document), XmlLoadResult::CannotOpen) << path;
    ASSERT_EQ(document.elements.size(), 1u) << path;
    EXPECT_EQ(document.elements[0].text, "kept");
  }
}

TEST(XmlParsing, ElementsInPreOrderWithOwnTrimmedTextAndAttributesInOrder) {
  const TempDirectory folder;
  const std::string path = folder.Write("db.xml",
                                        "<?xml version='1.0'?>\n<!-- head -->\n"
                                        "<root z='1' a='2' m='3'>\n  Head &amp; text "
                                        "<![CDATA[ignored]]>\n  <cat><![CDATA[<no/>]]>"
                                        "<entry>child<![CDATA[ too]]></entry><!-- c --></cat>"
                                        " tail\t\n<?pi x?></root>\n");
  XmlDocument document;
  ASSERT_EQ(LoadXmlFile(path, document), XmlLoadResult::Parsed);
  EXPECT_EQ(document.errorCode, 0);
  ASSERT_EQ(document.elements.size(), 3u);
  const XmlElement& root = document.elements[0];
  EXPECT_EQ(root.text, "Head & text \n   tail");
  ASSERT_EQ(root.attributes.size(), 3u);
  EXPECT_EQ(std::string(root.attributes[0].name) + std::string(root.attributes[1].name) +
                std::string(root.attributes[2].name),
            "zam");
  EXPECT_EQ(root.attributes[2].value, "3");
  EXPECT_EQ(document.elements[1].name, "cat");
  EXPECT_EQ(document.elements[1].text, "");
  EXPECT_EQ(document.elements[2].text, "child");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(document.elements[i].depth, i);
}

TEST(XmlParsing, ErrorsCarryExpatsMessageAndPosition) {
  struct Case {
    std::string bytes;
    const char* message;
    long line;
    long column;
    std::size_t elementsKept;
  };
  const Case cases[] = {
      // The tag on line 5 is never closed before the next one begins.
      {"<?xml version='1.0'?>\n<root>\n <cat a='x'>\n  <entry/>\n  <entry File=\"a.ox\"</cat>\n"
       "</root>\n",
       "not well-formed (invalid token)", 5, 20, 3},
      {"<root a=\"\xC3\x28\"/>", "not well-formed (invalid token)", 1, 9, 0},
      {"<root/><second/>", "junk after document element", 1, 7, 1},
      {"", "no element found", 1, 0, 0},
  };
  for (const Case& c : cases) {
    const XmlDocument document = Parse(c.bytes);
    EXPECT_NE(document.errorCode, 0) << c.bytes;
    EXPECT_EQ(document.errorMessage, c.message) << c.bytes;
    EXPECT_EQ(document.errorLine, c.line) << c.bytes;
    EXPECT_EQ(document.errorColumn, c.column) << c.bytes;
    EXPECT_EQ(document.elements.size(), c.elementsKept) << c.bytes;
  }
  EXPECT_EQ(XmlErrorMessage(Parse(cases[0].bytes)),
            "Error in the XML file:\rMessage: not well-formed (invalid token)\r"
            "Line: 5   Character: 21");
}

TEST(XmlParsing, Utf16DocumentsWithTheirDeclarationParse) {
  const std::u16string text =
      u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
      u"<root theme_de=\"\u2730 Gr\u00FC\u00DFe\">one\r\ntwo</root>";
  for (const bool bigEndian : {false, true}) {
    const XmlDocument document = Parse(Utf16(text, bigEndian));
    EXPECT_EQ(document.errorCode, 0) << document.errorMessage;
    ASSERT_EQ(document.elements.size(), 1u);
    EXPECT_EQ(document.elements[0].attributes[0].value, "\u2730 Gr\u00FC\u00DFe");
    EXPECT_EQ(document.elements[0].text, "one\r\ntwo");
  }
}

TEST(XmlParsing, SingleByteEncodingsTheSystemKnowsAreReadOthersRefused) {
  struct Case {
    const char* encoding;
    std::string text;  // in that encoding
    const char* utf8;  // the text read, or the refusal's message
  };
  const Case cases[] = {
      {"windows-1252",
       "\x80 Gr\xFC\xDF"
       "e \x93x\x94",
       "\u20AC Gr\u00FC\u00DF"
       "e \u201Cx\u201D"},
      {"ISO-8859-15", "\xA4 \xBD", "\u20AC \u0153"},
      {"Shift_JIS", "\x82\xA0", "unknown encoding"},
      {"no-such-encoding", "x", "unknown encoding"},
      {"IBM037", "x", "unknown encoding"},  // markup not where ASCII has it
      {"UTF-32", "x", "unknown encoding"},
  };
  for (const Case& c : cases) {
    const XmlDocument document = Parse(std::string("<?xml version='1.0' encoding='") + c.encoding +
                                       "'?><root a='" + c.text + "'/>");
    if (document.errorCode != 0) {
      EXPECT_EQ(document.errorMessage, c.utf8) << c.encoding;
    } else {
      ASSERT_EQ(document.elements.size(), 1u) << c.encoding;
      EXPECT_EQ(document.elements[0].attributes[0].value, c.utf8) << c.encoding;
    }
  }
}

TEST(XmlParsing, TextsKeepTheFilesLineBreaks) {
  // Puts the text's line break right after the first 16383 bytes when split
  // is set, so a CR ends the first piece.
  const auto document = [](const std::string& lineBreak, bool split) {
    std::string head = "<root a='";
    if (split) head += std::string(16383 - head.size() - 5, 'x');
    head += "'>one";
    return head + lineBreak + "two" + lineBreak + "<e>" + lineBreak + "</e></root>";
  };
  struct Case {
    std::string lineBreak;
    bool split;
  };
  const Case cases[] = {{"\n", false}, {"\r\n", false}, {"\r", false},
                        {"\n", true},  {"\r\n", true},  {"\r", true}};
  const TempDirectory folder;
  for (const Case& c : cases) {
    const std::string bytes = document(c.lineBreak, c.split);
    if (c.split) {
      ASSERT_EQ(bytes[16383], c.lineBreak[0]);
    }
    XmlDocument fromFile;
    ASSERT_EQ(LoadXmlFile(folder.Write("db.xml", bytes), fromFile), XmlLoadResult::Parsed);
    const XmlDocument fromBytes = Parse(bytes);
    for (const XmlDocument* parsed : {&fromBytes, static_cast<const XmlDocument*>(&fromFile)}) {
      ASSERT_EQ(parsed->elements.size(), 2u) << parsed->errorMessage;
      EXPECT_EQ(parsed->elements[0].text, "one" + c.lineBreak + "two") << c.split;
      EXPECT_EQ(parsed->elements[1].text, "");
    }
  }
}

TEST(XmlParsing, TooDeepNestingIsRefusedAndTheOuterPartKept) {
  const auto nested = [](std::size_t depth) {
    std::string bytes;
    for (std::size_t i = 0; i < depth; ++i) bytes += "<a>";
    for (std::size_t i = 0; i < depth; ++i) bytes += "</a>";
    return bytes;
  };
  const XmlDocument deepest = Parse(nested(kMaxElementDepth));
  EXPECT_EQ(deepest.errorCode, 0);
  EXPECT_EQ(deepest.elements.back().depth, kMaxElementDepth - 1);

  for (const std::size_t depth : {std::size_t{kMaxElementDepth} + 1, std::size_t{100000}}) {
    const XmlDocument document = Parse(nested(depth));
    EXPECT_EQ(document.errorCode, kErrorTooDeep);
    EXPECT_EQ(document.elements.size(), std::size_t{kMaxElementDepth});
    EXPECT_EQ(XmlErrorMessage(document),
              "Error in the XML file:\rMessage: elements nested more than 10000 levels deep\r"
              "Line: 1   Character: 30001");
  }
}

TEST(XmlParsing, EntitiesNeverReachOutsideOrExplode) {
  const TempDirectory folder;
  const std::string secret = folder.Write("secret.txt", "SECRET-CONTENT");
  const std::string declarations = folder.Write("leak.dtd", "<!ENTITY leak 'SECRET-CONTENT'>");
  const XmlDocument document = Parse("<!DOCTYPE r [<!ENTITY ext SYSTEM 'file://" + secret +
                                     "'>\n<!ENTITY % p SYSTEM 'file://" + declarations +
                                     "'> %p;]>" + "<r>before &ext; &leak; after<e>&ext;</e></r>");
  EXPECT_EQ(document.errorCode, 0) << document.errorMessage;
  ASSERT_EQ(document.elements.size(), 2u);
  EXPECT_EQ(document.elements[0].text, "before   after");
  EXPECT_EQ(document.elements[1].text, "");

  std::string laughs = "<!DOCTYPE r [<!ENTITY l0 'lol'>";
  for (int i = 1; i <= 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " '";
    for (int j = 0; j < 10; ++j) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "'>";
  }
  laughs += "]><r>&l10;</r>";
  const XmlDocument bomb = Parse(laughs);
  EXPECT_EQ(bomb.errorCode, XML_ERROR_AMPLIFICATION_LIMIT_BREACH);
  ASSERT_EQ(bomb.elements.size(), 1u);
  EXPECT_LT(bomb.elements[0].text.size(), std::size_t{64} << 20);
}

TEST(XmlParsing, HugeAttributeParses) {
  const std::size_t size = std::size_t{50} << 20;
  const XmlDocument document = Parse("<r File='" + std::string(size, 'x') + "'/>");
  EXPECT_EQ(document.errorCode, 0);
  ASSERT_EQ(document.elements.size(), 1u);
  EXPECT_EQ(document.elements[0].attributes[0].value.size(), size);
}

}  // namespace
}  // namespace library
