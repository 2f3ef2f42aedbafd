// The index search on a generated 30,000-entry database, without a display:
// one keystroke's search for a term that occurs nowhere (the whole index is
// scanned) in each search mode, against lowering every candidate text anew
// per keystroke; and building the lowered texts after a fill.
#include <benchmark/benchmark.h>

#include <clocale>
#include <string>

#include "bench/GeneratedLibrary.h"
#include "library/core/IndexFill.h"
#include "library/core/SearchCandidates.h"
#include "library/core/XmlParsing.h"
#include "toolkit/core/TextLowering.h"

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
