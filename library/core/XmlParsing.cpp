// Parsing the database file with Expat into the flat document model.
#include "library/core/XmlParsing.h"

#include <expat.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace library {
namespace {

// The parser gets the data in pieces of this size, unless it waits for the
// rest of a longer token.
constexpr std::size_t kChunkSize = 16384;

// No piece is longer, well within the int that Expat takes as a length.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;

constexpr const char* kBlanks = " \t\r\n";

// The line break that element texts keep: the file's own convention.
enum class LineEnding { Undecided, CrLf, Cr, Lf };

std::string_view Trimmed(std::string_view text) {
  const std::size_t last = text.find_last_not_of(kBlanks);
  if (last == std::string_view::npos) return {};
  const std::size_t first = text.find_first_not_of(kBlanks);
  return text.substr(first, last + 1 - first);
}

// Expat hands every line break over as "\n"; this puts the file's own back.
std::string RestoreLineBreaks(std::string_view text, LineEnding ending) {
  std::string restored;
  restored.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c != '\n') {
      restored += c;
    } else if (ending == LineEnding::Cr) {
      restored += '\r';
    } else {
      restored += "\r\n";
    }
  }
  return restored;
}

// Room for the elements of the bytes, taken ahead so the element list does
// not move while it grows: each element has a "<" of its own, in every
// encoding Expat reads, so their count is an upper bound. Bytes made of
// little but "<" are never a database, and get no more than one element
// per 64 bytes ahead.
std::size_t ElementsAhead(std::string_view bytes) {
  std::size_t count = 0;
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  while (const void* found = std::memchr(at, '<', static_cast<std::size_t>(end - at))) {
    ++count;
    at = static_cast<const char*>(found) + 1;
  }
  return std::min(count, bytes.size() / 64 + 64);
}

// The first block of a document's arena: room for the strings (at most the
// bytes themselves in the encodings a database uses, and most of them are
// attribute values) and their attributes, about half as much again in a
// database, and the elements. A document that needs more takes smaller
// blocks after it.
std::size_t ArenaSizeFor(std::size_t bytes, std::size_t elements) {
  return bytes + bytes / 2 + elements * sizeof(XmlElement);
}

// What each byte of a single-byte encoding stands for, as Expat takes it:
// the character's code point, or -1 for a byte that stands for none. Empty
// when the system's converter does not know the encoding, or when it is not
// one byte per character.
std::optional<std::array<int, 256>> SingleByteTable(const char* encoding) {
  const iconv_t converter = ::iconv_open("UTF-32LE", encoding);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::array<int, 256> table{};
  bool singleByte = true;
  for (int byte = 0; byte < 256 && singleByte; ++byte) {
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char* inAt = &in;
    std::size_t inLeft = 1;
    unsigned char out[8];
    char* outAt = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (::iconv(converter, &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1)) {
      // A byte that only begins a character: the encoding is a multi-byte one.
      singleByte = errno != EINVAL;
      table[byte] = -1;
    } else if (sizeof out - outLeft == 4) {
      table[byte] = out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24;
    } else {
      // A shift byte that gives no character, or one that gives several.
      singleByte = sizeof out - outLeft != 0;
      table[byte] = -1;
    }
  }
  ::iconv_close(converter);
  if (!singleByte) return std::nullopt;
  return table;
}

// Expat reads UTF-8, UTF-16, ISO-8859-1 and US-ASCII itself. Every other
// encoding a declaration names is served when the system's converter knows
// it as one byte per character (windows-1252, ISO-8859-15 and the like);
// others stay unknown, and Expat says so. Expat itself refuses a table in
// which the characters of XML's markup are not where ASCII has them.
int OnUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
  const std::optional<std::array<int, 256>> table = SingleByteTable(name);
  if (!table) return XML_STATUS_ERROR;
  std::memcpy(info->map, table->data(), sizeof info->map);
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

// Builds the document from Expat's call-backs into the document's arena.
// Open elements are held as indices into document.elements, the innermost
// last; the tree is never walked recursively, so any nesting Expat accepts
// is safe up to the depth limit.
class DocumentBuilder {
 public:
  // Room is made for elementsAhead elements, and for the strings of as
  // many bytes, in one block of the document's arena.
  DocumentBuilder(XmlDocument& document, std::size_t bytes, std::size_t elementsAhead)
      : document_(document) {
    document_.arena = std::make_shared<toolkit::Arena>(ArenaSizeFor(bytes, elementsAhead));
    arena_ = document_.arena.get();
    document_.elements =
        toolkit::ArenaVector<XmlElement>(toolkit::ArenaAllocator<XmlElement>(arena_));
    document_.elements.reserve(elementsAhead);
    parser_ = XML_ParserCreate(nullptr);
    if (!parser_) return;
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &DocumentBuilder::OnStart, &DocumentBuilder::OnEnd);
    XML_SetCharacterDataHandler(parser_, &DocumentBuilder::OnText);
    XML_SetCdataSectionHandler(parser_, &DocumentBuilder::OnCdataStart,
                               &DocumentBuilder::OnCdataEnd);
    XML_SetUnknownEncodingHandler(parser_, &OnUnknownEncoding, nullptr);
    // No external entity handler is set, so references to external entities
    // are skipped and nothing outside the file is ever read; parameter
    // entities (which could pull in an external DTD) are not parsed at all.
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    open_.reserve(64);
  }
  DocumentBuilder(const DocumentBuilder&) = delete;
  DocumentBuilder& operator=(const DocumentBuilder&) = delete;
  ~DocumentBuilder() {
    if (parser_) XML_ParserFree(parser_);
  }

  // Passes one piece of the data on; returns false once parsing has ended
  // with an error, after which nothing more is to be fed.
  bool Feed(const char* data, std::size_t size, bool isFinal) {
    if (ending_ == LineEnding::Undecided) FindLineEnding(data, size, isFinal);
    offset_ += size;
    return Parse(data, size, isFinal);
  }

  // The length of the next piece. Expat scans a token that is still
  // incomplete again from its start on every call, which makes a token of
  // many megabytes (a huge attribute) cost time by the square of its
  // length. While it waits for the rest of such a token, the next piece is
  // at least as long as what it holds, so each byte is scanned only a few
  // times.
  std::size_t NextPieceSize() const { return std::min(std::max(kChunkSize, waiting_), kMaxPiece); }

  // Completes the texts of elements left open by an error, and gives all
  // texts the file's line breaks.
  void Finish() {
    while (!open_.empty()) Close();
    if (ending_ == LineEnding::CrLf || ending_ == LineEnding::Cr) {
      for (XmlElement& element : document_.elements) {
        if (element.text.find('\n') != std::string_view::npos) {
          element.text = arena_->Keep(RestoreLineBreaks(element.text, ending_));
        }
      }
    }
  }

 private:
  static void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    static_cast<DocumentBuilder*>(data)->Start(name, attributes);
  }
  static void OnEnd(void* data, const XML_Char*) { static_cast<DocumentBuilder*>(data)->End(); }
  static void OnText(void* data, const XML_Char* text, int length) {
    static_cast<DocumentBuilder*>(data)->Text(text, length);
  }
  // CDATA sections are ignored: their content is no element's text.
  static void OnCdataStart(void* data) { static_cast<DocumentBuilder*>(data)->inCdata_ = true; }
  static void OnCdataEnd(void* data) { static_cast<DocumentBuilder*>(data)->inCdata_ = false; }

  void Start(const XML_Char* name, const XML_Char** attributes) {
    if (stopped_) return;
    // Levels 0 .. kMaxElementDepth - 1 are accepted; one level more is refused.
    if (open_.size() >= static_cast<std::size_t>(kMaxElementDepth)) {
      RecordError(kErrorTooDeep,
                  "elements nested more than " + std::to_string(kMaxElementDepth) + " levels deep",
                  XML_GetCurrentLineNumber(parser_), XML_GetCurrentColumnNumber(parser_));
      stopped_ = true;
      XML_StopParser(parser_, XML_FALSE);
      return;
    }
    XmlElement& element = document_.elements.emplace_back();
    element.name = Name(name);
    element.depth = static_cast<int>(open_.size());
    std::size_t count = 0;
    while (attributes[count]) count += 2;
    if (count > 0) {
      auto* kept = static_cast<XmlAttribute*>(
          arena_->Allocate(count / 2 * sizeof(XmlAttribute), alignof(XmlAttribute)));
      for (std::size_t i = 0; i < count; i += 2) {
        std::construct_at(kept + i / 2,
                          XmlAttribute{Name(attributes[i]), arena_->Keep(attributes[i + 1])});
      }
      element.attributes = {kept, count / 2};
    }
    open_.push_back(document_.elements.size() - 1);
    if (texts_.size() < open_.size()) texts_.emplace_back();
    texts_[open_.size() - 1].clear();
  }

  void End() {
    // After a stop Expat may still report the end of the refused element.
    if (stopped_ || open_.empty()) return;
    Close();
  }

  // The element's text is kept once it is complete; until then it grows in a
  // buffer of its level, which the next element of that level reuses.
  void Close() {
    document_.elements[open_.back()].text = arena_->Keep(Trimmed(texts_[open_.size() - 1]));
    open_.pop_back();
  }

  // Element and attribute names repeat throughout a document: the first few
  // distinct ones are kept once and shared.
  std::string_view Name(const XML_Char* name) {
    const std::string_view wanted(name);
    for (const std::string_view known : names_) {
      if (known == wanted) return known;
    }
    const std::string_view kept = arena_->Keep(wanted);
    if (names_.size() < kSharedNames) names_.push_back(kept);
    return kept;
  }

  void Text(const XML_Char* text, int length) {
    // Character data outside the document element belongs to no element.
    if (stopped_ || inCdata_ || open_.empty()) return;
    std::string& target = texts_[open_.size() - 1];
    std::size_t skip = 0;
    // Leading blanks would be trimmed anyway; not keeping them spares the
    // parents of many children from collecting all the indentation between.
    if (target.empty()) {
      while (
          skip < static_cast<std::size_t>(length) &&
          (text[skip] == ' ' || text[skip] == '\t' || text[skip] == '\r' || text[skip] == '\n')) {
        ++skip;
      }
    }
    target.append(text + skip, static_cast<std::size_t>(length) - skip);
  }

  bool Parse(const char* data, std::size_t size, bool isFinal) {
    if (!parser_) {
      RecordError(XML_ERROR_NO_MEMORY, XML_ErrorString(XML_ERROR_NO_MEMORY), 1, 0);
      return false;
    }
    passed_ += size;
    if (XML_Parse(parser_, data, static_cast<int>(size), isFinal ? XML_TRUE : XML_FALSE) ==
        XML_STATUS_OK) {
      const XML_Index parsed = XML_GetCurrentByteIndex(parser_);
      waiting_ = parsed >= 0 ? passed_ - static_cast<std::size_t>(parsed) : 0;
      return true;
    }
    // The depth refusal stopped the parser and has recorded its own error.
    if (!stopped_) {
      const XML_Error code = XML_GetErrorCode(parser_);
      RecordError(code, XML_ErrorString(code), XML_GetCurrentLineNumber(parser_),
                  XML_GetCurrentColumnNumber(parser_));
    }
    return false;
  }

  void RecordError(int code, std::string message, XML_Size line, XML_Size column) {
    document_.errorCode = code;
    document_.errorMessage = std::move(message);
    document_.errorLine = static_cast<long>(line);
    document_.errorColumn = static_cast<long>(column);
  }

  // Looks for the first line break in the raw data. UTF-16 data (known by its
  // byte order mark or its first "<") is looked at in 16-bit units, all other
  // encodings Expat reads byte by byte. A carriage return that ends a piece
  // waits for the next piece to tell CR from CR LF.
  void FindLineEnding(const char* data, std::size_t size, bool isFinal) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    if (offset_ == 0 && size >= 2) {
      if ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == '<' && bytes[1] == 0)) {
        unit_ = 2;
        bigEndian_ = false;
      } else if ((bytes[0] == 0xFE && bytes[1] == 0xFF) || (bytes[0] == 0 && bytes[1] == '<')) {
        unit_ = 2;
        bigEndian_ = true;
      }
    }
    std::size_t i = offset_ % unit_ == 0 ? 0 : unit_ - offset_ % unit_;
    for (; i + unit_ <= size; i += unit_) {
      const unsigned value = unit_ == 1 ? bytes[i]
                                        : (bigEndian_ ? (bytes[i] << 8) | bytes[i + 1]
                                                      : (bytes[i + 1] << 8) | bytes[i]);
      if (pendingCr_) {
        ending_ = value == '\n' ? LineEnding::CrLf : LineEnding::Cr;
        return;
      }
      if (value == '\n') {
        ending_ = LineEnding::Lf;
        return;
      }
      if (value == '\r') pendingCr_ = true;
    }
    if (pendingCr_ && isFinal) ending_ = LineEnding::Cr;
  }

  static constexpr std::size_t kSharedNames = 32;

  XmlDocument& document_;
  toolkit::Arena* arena_ = nullptr;
  XML_Parser parser_ = nullptr;
  std::vector<std::size_t> open_;
  std::vector<std::string> texts_;  // the texts of the open elements so far, by level
  std::vector<std::string_view> names_;
  bool stopped_ = false;
  bool inCdata_ = false;
  LineEnding ending_ = LineEnding::Undecided;
  bool pendingCr_ = false;
  std::size_t unit_ = 1;
  bool bigEndian_ = false;
  std::size_t offset_ = 0;   // bytes seen by FindLineEnding
  std::size_t passed_ = 0;   // bytes passed to Expat
  std::size_t waiting_ = 0;  // of those, bytes Expat still holds unparsed
};

// The bytes of memory the machine has; the largest number when unknown.
std::uintmax_t PhysicalMemory() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return std::numeric_limits<std::uintmax_t>::max();
  return static_cast<std::uintmax_t>(pages) * static_cast<std::uintmax_t>(pageSize);
}

// Reads until count bytes are in or the file ends; short reads are retried.
// A read error counts as the end of the data.
std::size_t ReadAll(int fd, char* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd, buffer + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Parses bytes held in memory, passing them on piece by piece.
// Running out of memory gives an empty document with Expat's error for it.
XmlDocument ParseBytes(std::string_view bytes) {
  try {
    XmlDocument document;
    DocumentBuilder builder(document, bytes.size(), ElementsAhead(bytes));
    bool going = true;
    for (std::size_t at = 0; going && at < bytes.size();) {
      const std::string_view piece = bytes.substr(at, builder.NextPieceSize());
      at += piece.size();
      going = builder.Feed(piece.data(), piece.size(), false);
    }
    if (going) builder.Feed("", 0, true);
    builder.Finish();
    return document;
  } catch (const std::bad_alloc&) {
    XmlDocument document;
    document.errorCode = XML_ERROR_NO_MEMORY;
    document.errorMessage = XML_ErrorString(XML_ERROR_NO_MEMORY);
    document.errorLine = 1;
    return document;
  }
}

}  // namespace

XmlLoadResult LoadXmlFile(const std::string& path, XmlDocument& document) {
  // O_NONBLOCK keeps a FIFO given as the database from blocking the open; it
  // is refused below like every other file that is not a regular one.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return XmlLoadResult::CannotOpen;
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0) {
    return XmlLoadResult::CannotOpen;
  }

  // The whole file is read at once into memory mapped in one call, and
  // parsed from there; the bytes go once the document is built.
  // A file larger than the machine's memory, or than the memory that can
  // be had, counts as one that cannot be opened.
  const auto wanted = static_cast<std::size_t>(status.st_size);
  if (static_cast<std::uintmax_t>(status.st_size) > PhysicalMemory()) {
    return XmlLoadResult::CannotOpen;
  }
  std::optional<toolkit::Arena> bytes;
  try {
    bytes.emplace(wanted);
  } catch (const std::bad_alloc&) {
    return XmlLoadResult::CannotOpen;
  }
  char* buffer = static_cast<char*>(bytes->Allocate(wanted, 1));
  const std::size_t size = ReadAll(file.Get(), buffer, wanted);
  // Nothing readable at all (a read error, or the file emptied since its
  // size was taken) counts as a file that cannot be opened: the old document
  // stays. A read error later ends the data there, and the parser reports
  // whatever is then missing.
  if (size == 0) return XmlLoadResult::CannotOpen;
  // From here on the file replaces the document, so the old one goes first:
  // a reload of a large database never holds both.
  document = XmlDocument{};
  document = ParseBytes(std::string_view(buffer, size));
  return XmlLoadResult::Parsed;
}

void ParseXmlBytes(std::string_view bytes, XmlDocument& document) {
  document = ParseBytes(bytes);
}

std::string XmlErrorMessage(const XmlDocument& document) {
  return "Error in the XML file:\rMessage: " + document.errorMessage +
         "\rLine: " + std::to_string(document.errorLine) +
         "   Character: " + std::to_string(document.errorColumn + 1);
}

}  // namespace library
