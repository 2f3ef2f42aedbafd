// The database loader: bytes to document, document to index rows and
// entries under every fill option, and the expand-all count.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "library/core/IndexFill.h"
#include "library/core/XmlDocument.h"
#include "library/core/XmlParsing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  library::XmlDocument document;
  library::ParseXmlBytes(fuzz::Bytes(data, size), document);

  if (document.errorCode != 0) {
    FUZZ_CHECK(!library::XmlErrorMessage(document).empty());
    FUZZ_CHECK(document.errorLine >= 0 && document.errorColumn >= 0);
  }
  for (const library::XmlElement& element : document.elements) {
    FUZZ_CHECK(element.depth >= 0 && element.depth <= library::kMaxElementDepth);
  }

  for (long language = 0; language < 3; ++language) {
    library::IndexFillOptions options;
    options.language = static_cast<library::Language>(language);
    options.marksShown = language != 1;
    options.darkColours = language == 2;
    const library::IndexFill fill = library::BuildIndex(document, options);
    FUZZ_CHECK(fill.rows.size() == fill.entries.size());
    FUZZ_CHECK(fill.versionWord.has_value() == document.HasRoot());
    if (fill.helpEntryIndex) {
      FUZZ_CHECK(*fill.helpEntryIndex >= 0 &&
                 static_cast<std::size_t>(*fill.helpEntryIndex) < fill.rows.size());
    }
    int previousLevel = -1;
    for (const library::IndexRow& row : fill.rows) {
      FUZZ_CHECK(fuzz::IsValidUtf8(row.text));
      FUZZ_CHECK(row.level >= 0);
      // A tree row is at most one level below the one before it.
      FUZZ_CHECK(row.level <= previousLevel + 1);
      previousLevel = row.level;
    }

    const library::IndexCounts counts =
        library::CountIndex(fill.rows, fill.entries, options.viewerChapterTitle);
    FUZZ_CHECK(counts.topicCount >= 0 && counts.entryCount >= 0);
    FUZZ_CHECK(static_cast<std::size_t>(counts.topicCount + counts.entryCount) <= fill.rows.size());
  }
  return 0;
}
