// Parsing the database file with Expat into the flat document model.
#pragma once

#include <string>
#include <string_view>

#include "library/core/XmlDocument.h"

namespace library {

// Elements nested deeper than this are refused like a syntax error. The
// index tree shows every level, but the toolkit's tree view takes each row by
// a path as long as its depth, and frees and draws some of it recursively
// level by level: tens of thousands of levels would take minutes or the
// whole stack.
inline constexpr int kMaxElementDepth = 10000;
// errorCode of that refusal; Expat's own codes are smaller.
inline constexpr int kErrorTooDeep = 1000;

// How a load ended. Parsed covers documents with an XML error: the error is
// recorded in the document with whatever was built before it.
enum class XmlLoadResult { Parsed, CannotOpen };

// Reads the file at path as far as its size at opening, and parses it as
// ParseXmlBytes does. A file that does not open, is not a regular file,
// has 0 bytes or is larger than the memory to be had gives CannotOpen and
// leaves document as it was; otherwise document is replaced by the parse
// result. External entities are never loaded.
XmlLoadResult LoadXmlFile(const std::string& path, XmlDocument& document);

// Parses bytes held in memory exactly as LoadXmlFile parses a file's bytes.
void ParseXmlBytes(std::string_view bytes, XmlDocument& document);

// The message for a document's parse error:
// "Error in the XML file:\rMessage: <text>\rLine: <line>   Character: <column + 1>".
std::string XmlErrorMessage(const XmlDocument& document);

}  // namespace library
