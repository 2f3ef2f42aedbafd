// The parsed database document.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "toolkit/core/Arena.h"

namespace library {

struct XmlAttribute {
  std::string_view name;
  std::string_view value;
};

struct XmlElement {
  std::string_view name;
  std::span<XmlAttribute> attributes;  // in document order
  std::string_view text;               // the element's own character data, trimmed
  int depth = 0;                       // 0 for the document element
};

// Elements in document pre-order (an element before its children), so the
// tree is walked front to back without recursion: elements[0] is the root,
// and each element's children follow it with depth + 1.
//
// Every string, attribute and element of a document lives in its arena and
// goes with it in one piece; the views stay valid while the arena lives,
// also when the document is moved. What refers to them beyond the document
// (the index rows and entries) shares the arena.
struct XmlDocument {
  std::shared_ptr<toolkit::Arena> arena;
  toolkit::ArenaVector<XmlElement> elements;

  // Parser error of the last load; errorCode 0 means none.
  int errorCode = 0;
  std::string errorMessage;
  long errorLine = 0;
  long errorColumn = 0;

  bool HasRoot() const { return !elements.empty(); }
};

// Elements are never destroyed one by one: their memory goes with the arena.
static_assert(std::is_trivially_destructible_v<XmlElement>);

}  // namespace library
