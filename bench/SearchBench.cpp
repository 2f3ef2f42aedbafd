// The index search on a generated 30,000-entry database, without a display:
// one keystroke's search for a term that occurs nowhere (the whole index is
// scanned) in each search mode, against lowering every candidate text anew
// per keystroke; and building the lowered texts after a fill. The code scope
// also searches a generated code file of each entry (about 10 MiB in all),
// against lowering every candidate and every file's text per keystroke; and
// the code index is built from the files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/CodeSearchIndex.h"
#include "bench/GeneratedLibrary.h"
#include "codeview/core/CodeFileText.h"
#include "library/core/IndexFill.h"
#include "library/core/SearchCandidates.h"
#include "library/core/XmlParsing.h"
#include "toolkit/core/TextLowering.h"
#include "toolkit/core/WholeFile.h"

namespace {

constexpr std::size_t kEntries = 30000;

// Terms found nowhere: one holding letters the texts lack, and two made of
// the commonest letters and word joins only, which make the scan stop and
// compare often.
constexpr const char* kTerms[] = {"xyzzy quux", "liste liste", "e li"};

const library::IndexFill& Index() {
  static const library::IndexFill fill = [] {
    library::XmlDocument document;
    library::ParseXmlBytes(bench::GenerateDatabase(kEntries), document);
    return library::BuildIndex(document, library::IndexFillOptions{});
  }();
  return fill;
}

library::SearchScope Scope(const benchmark::State& state) {
  return library::ScopeOfSearchMode(static_cast<library::SearchMode>(state.range(0)));
}

void Build(library::SearchCandidates& candidates, library::SearchScope scope) {
  const library::IndexFill& fill = Index();
  candidates.Build(
      fill.rows.size(), [&fill](std::size_t i) -> std::string_view { return fill.rows[i].text; },
      fill.entries, scope, library::Language::German);
}

void BuildLoweredTexts(benchmark::State& state) {
  library::SearchCandidates candidates;
  for (auto _ : state) Build(candidates, Scope(state));
}
BENCHMARK(BuildLoweredTexts)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void KeystrokeFromLoweredTexts(benchmark::State& state) {
  library::SearchCandidates candidates;
  Build(candidates, Scope(state));
  const char* term = kTerms[state.range(1)];
  if (candidates.Find(term, 0)) state.SkipWithError("the term occurs");
  for (auto _ : state) benchmark::DoNotOptimize(candidates.Find(term, 0));
}
BENCHMARK(KeystrokeFromLoweredTexts)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

// The search as it would be without the lowered texts: each keystroke builds
// and lowers every candidate.
void KeystrokeLoweringEveryCandidate(benchmark::State& state) {
  const library::IndexFill& fill = Index();
  const library::SearchScope scope = Scope(state);
  const toolkit::TextLowering lowering;
  const std::string term = lowering.Lower(kTerms[state.range(1)]);
  for (auto _ : state) {
    std::size_t found = fill.rows.size();
    for (std::size_t i = 0; i < fill.rows.size(); ++i) {
      const std::string candidate = lowering.Lower(library::SearchCandidate(
          fill.rows[i].text, fill.entries[i], scope, library::Language::German));
      if (candidate.find(term) != std::string::npos) {
        found = i;
        break;
      }
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(KeystrokeLoweringEveryCandidate)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// The code files of the generated database's entries, written once into a
// folder of their own that goes at the end.
class CodeLibrary {
 public:
  CodeLibrary() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvex-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    folder_ = pattern;
    const library::IndexFill& fill = Index();
    bytes_ = bench::WriteCodeLibrary(folder_, kEntries);
    files_ = {folder_ + "/", {}, nullptr};
    for (std::size_t i = 0; i < fill.rows.size(); ++i) {
      files_.files.push_back(i < fill.entries.size() ? fill.entries[i].file : std::string_view());
    }
  }
  CodeLibrary(const CodeLibrary&) = delete;
  CodeLibrary& operator=(const CodeLibrary&) = delete;
  ~CodeLibrary() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  bool Ok() const { return bytes_ > 0; }
  const app::CodeFiles& Files() const { return files_; }

 private:
  std::string folder_;
  std::size_t bytes_ = 0;
  app::CodeFiles files_;
};

const CodeLibrary& Code() {
  static const CodeLibrary code;
  return code;
}

// The code index from the files (in the page cache after the first run), as
// the worker builds it after start-up.
void BuildCodeIndex(benchmark::State& state) {
  if (!Code().Ok()) state.SkipWithError("the code files could not be written");
  const toolkit::TextLowering lowering;
  for (auto _ : state) benchmark::DoNotOptimize(app::IndexCode(Code().Files(), lowering, {}));
}
BENCHMARK(BuildCodeIndex)->Unit(benchmark::kMillisecond);

void KeystrokeInCodeScope(benchmark::State& state) {
  if (!Code().Ok()) state.SkipWithError("the code files could not be written");
  library::SearchCandidates candidates;
  Build(candidates, library::SearchScope::IndexDescriptionAndCode);
  const std::optional<library::LoweredTexts> code =
      app::IndexCode(Code().Files(), candidates.Lowering(), {});
  const char* term = kTerms[state.range(0)];
  if (candidates.Find(term, 0, *code)) state.SkipWithError("the term occurs");
  for (auto _ : state) benchmark::DoNotOptimize(candidates.Find(term, 0, *code));
}
BENCHMARK(KeystrokeInCodeScope)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The code scope without an index: each keystroke lowers every candidate and
// every file's text (decoded once and kept, so no file is read per
// keystroke).
void KeystrokeLoweringEveryFile(benchmark::State& state) {
  if (!Code().Ok()) state.SkipWithError("the code files could not be written");
  const library::IndexFill& fill = Index();
  const app::CodeFiles& files = Code().Files();
  std::vector<std::string> texts;
  for (const std::string_view file : files.files) {
    const std::optional<std::string> bytes =
        file.empty() ? std::nullopt : toolkit::ReadWholeFile(files.libraryPath + std::string(file));
    texts.push_back(bytes ? codeview::DecodeCodeFile(*bytes).text : std::string());
  }
  const toolkit::TextLowering lowering;
  const std::string term = lowering.Lower(kTerms[state.range(0)]);
  for (auto _ : state) {
    std::size_t found = fill.rows.size();
    for (std::size_t i = 0; i < fill.rows.size(); ++i) {
      const std::string candidate = lowering.Lower(library::SearchCandidate(
          fill.rows[i].text, fill.entries[i], library::SearchScope::IndexDescriptionAndCode,
          library::Language::German));
      if (candidate.find(term) != std::string::npos ||
          lowering.Lower(texts[i]).find(term) != std::string::npos) {
        found = i;
        break;
      }
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(KeystrokeLoweringEveryFile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Lower-casing follows the user's locale, as in the viewer.
  std::setlocale(LC_ALL, "");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
