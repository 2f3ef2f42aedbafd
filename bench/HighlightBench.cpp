// The highlighter range scanner on a generated code file of 20,000 lines
// (about 895 KB): the whole scan with each kind of keyword marking, and the
// line index that turns the ranges into text-buffer positions.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/GeneratedCode.h"
#include "codeview/core/HighlightRanges.h"

namespace {

constexpr std::size_t kLines = 20000;

const std::string& Code() {
  static const std::string code = bench::GenerateCodeFile(kLines);
  return code;
}

void Counters(benchmark::State& state, const codeview::HighlightRanges& result) {
  std::size_t ranges = 0;
  for (const auto& ofTag : result.ranges) ranges += ofTag.size();
  state.counters["ranges"] = static_cast<double>(ranges);
  state.counters["names"] = static_cast<double>(result.procedureNames.size());
  state.counters["links"] = static_cast<double>(result.links.size());
  state.counters["KB"] = static_cast<double>(Code().size()) / 1000.0;
}

// CodeMarks 2 (bold and blue keywords) is the default setting.
void ScanHighlightRanges(benchmark::State& state) {
  const std::string& code = Code();
  const auto codeMarks = static_cast<library::CodeMarking>(state.range(0));
  codeview::HighlightRanges result;
  for (auto _ : state) {
    result = codeview::ScanHighlightRanges(code, codeMarks);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * code.size()));
  Counters(state, result);
}
BENCHMARK(ScanHighlightRanges)->Arg(2)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void BuildLineIndex(benchmark::State& state) {
  const std::string& code = Code();
  for (auto _ : state) {
    codeview::LineIndex index(code);
    benchmark::DoNotOptimize(index);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * code.size()));
}
BENCHMARK(BuildLineIndex)->Unit(benchmark::kMillisecond);

// What the GTK layer does before applying the tags: both ends of every range
// turned into a line and byte index.
void LocateAllRanges(benchmark::State& state) {
  const std::string& code = Code();
  const codeview::HighlightRanges result =
      codeview::ScanHighlightRanges(code, library::CodeMarking::BlueBold);
  const codeview::LineIndex index(code);
  for (auto _ : state) {
    long sum = 0;
    for (const auto& ofTag : result.ranges) {
      for (const codeview::TextRange& range : ofTag) {
        sum += index.Locate(range.start).index + index.Locate(range.end).line;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  Counters(state, result);
}
BENCHMARK(LocateAllRanges)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
