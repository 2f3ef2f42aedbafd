// The language file: every text it yields, in every language and as a
// tooltip, is valid UTF-8 that a label or tooltip takes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "library/core/UiTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  library::UiTexts texts;
  texts.Parse(fuzz::Bytes(data, size));
  FUZZ_CHECK(texts.Loaded());
  for (const auto& [identifier, item] : texts.Items()) {
    FUZZ_CHECK(fuzz::IsValidUtf8(identifier));
    for (const char* code : {"de", "en", "fr", "", "xx"}) {
      for (const bool tooltip : {false, true}) {
        const std::string text = texts.Lookup(identifier, tooltip, code);
        FUZZ_CHECK(fuzz::IsValidUtf8(text));
        for (const std::string& selectorItem : library::SelectorItems(text, 4)) {
          FUZZ_CHECK(fuzz::IsValidUtf8(selectorItem));
          FUZZ_CHECK(selectorItem.find('\t') == std::string::npos);
        }
      }
    }
  }
  // Identifiers the windows look up exist or give an empty text.
  FUZZ_CHECK(fuzz::IsValidUtf8(texts.Lookup("#Cnf_LabelLib", false, "fr")));
  return 0;
}
