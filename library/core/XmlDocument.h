// The parsed database document.
#pragma once

#include <string>
#include <vector>

namespace library {

struct XmlAttribute {
  std::string name;
  std::string value;
};

struct XmlElement {
  std::string name;
  std::vector<XmlAttribute> attributes;  // in document order
  std::string text;                      // the element's own character data
  int depth = 0;                         // 0 for the document element
};

// Elements in document pre-order (an element before its children), so the
// tree is walked front to back without recursion: elements[0] is the root,
// and each element's children follow it with depth + 1.
struct XmlDocument {
  std::vector<XmlElement> elements;

  // Parser error of the last load; errorCode 0 means none.
  int errorCode = 0;
  std::string errorMessage;
  long errorLine = 0;
  long errorColumn = 0;

  bool HasRoot() const { return !elements.empty(); }
};

}  // namespace library
