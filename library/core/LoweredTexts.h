// Many texts, lowered, in one buffer, and finding the first of them that
// holds a lowered needle.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/TextLowering.h"

namespace library {

// Whether the line breaks of an appended text stay characters of it, or
// part the text into lines that a needle cannot span.
enum class LineBreaks { Kept, Apart };

// Texts are numbered in the order they are added. Each one ends in a NUL,
// which no needle holds, so a match never runs from one text into the next;
// line breaks kept apart become NULs too.
class LoweredTexts {
 public:
  LoweredTexts() = default;
  LoweredTexts(LoweredTexts&&) noexcept = default;
  // Takes other's texts over and gives the memory of its own back at once.
  // (A standard string keeps its buffer when an empty one is moved into it:
  // an index emptied by assigning an empty one held on to tens of megabytes.)
  LoweredTexts& operator=(LoweredTexts&& other) noexcept;

  // Makes room for count texts of bytes lowered bytes in all, so that
  // adding them never copies the buffer.
  void Reserve(std::size_t count, std::size_t bytes);
  // Adds an empty text, the next one; appending goes to it.
  void StartText();
  // Appends text lowered by lowering to the text started last.
  void AppendLowered(const toolkit::TextLowering& lowering, std::string_view text,
                     LineBreaks breaks = LineBreaks::Kept);
  // Ends the texts; call once after the last one, before any Find.
  void Finish();

  std::size_t Count() const { return offsets_.empty() ? 0 : offsets_.size() - 1; }
  // The memory the texts hold, room made for more included.
  std::size_t HeldBytes() const {
    return text_.capacity() + offsets_.capacity() * sizeof(std::size_t);
  }

  // The first text from start and before end that holds needle, which is
  // lowered already; nothing when none does, or needle is empty or holds a
  // NUL.
  std::optional<std::size_t> Find(std::string_view needle, std::size_t start,
                                  std::size_t end) const;
  // The line of text where needle first occurs: the number of line breaks
  // kept apart before it; nothing when the text holds none.
  std::optional<std::size_t> FirstLineHolding(std::string_view needle, std::size_t text) const;

 private:
  // Where needle first occurs in the texts from start and before end.
  const char* Search(std::string_view needle, std::size_t start, std::size_t end) const;

  // Text i is text_[offsets_[i], offsets_[i + 1] - 1), followed by its NUL;
  // while texts are added, offsets_ holds the starts only.
  std::string text_;
  std::vector<std::size_t> offsets_;
  std::array<std::size_t, 256> byteCounts_{};  // how often each byte occurs in text_
  bool open_ = false;                          // a started text has not got its NUL yet
};

}  // namespace library
