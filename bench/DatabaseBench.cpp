// Loading the database without a display: Expat alone with empty handlers
// (the floor), our parse into the document model, and building the rows and
// entries from it, on a generated 30,000-entry database.
#include <benchmark/benchmark.h>
#include <expat.h>

#include <memory>
#include <string>

#include "bench/GeneratedLibrary.h"
#include "library/core/IndexFill.h"
#include "library/core/XmlParsing.h"

namespace {

constexpr std::size_t kEntries = 30000;
constexpr std::size_t kChunk = 16384;

const std::string& Database() {
  static const std::string database = bench::GenerateDatabase(kEntries);
  return database;
}

void ExpatWithEmptyHandlers(benchmark::State& state) {
  const std::string& xml = Database();
  for (auto _ : state) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetElementHandler(
        parser, [](void*, const XML_Char*, const XML_Char**) {}, [](void*, const XML_Char*) {});
    XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
    for (std::size_t at = 0; at < xml.size(); at += kChunk) {
      const std::size_t size = std::min(kChunk, xml.size() - at);
      XML_Parse(parser, xml.data() + at, static_cast<int>(size), XML_FALSE);
    }
    XML_Parse(parser, "", 0, XML_TRUE);
    XML_ParserFree(parser);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(ExpatWithEmptyHandlers)->Unit(benchmark::kMillisecond);

void ParseIntoDocument(benchmark::State& state) {
  const std::string& xml = Database();
  for (auto _ : state) {
    auto document = std::make_unique<library::XmlDocument>();
    library::ParseXmlBytes(xml, *document);
    benchmark::DoNotOptimize(document->elements.data());
    // Loading builds a document; freeing the one it replaces is not timed.
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(ParseIntoDocument)->Unit(benchmark::kMillisecond);

void BuildIndexRowsAndEntries(benchmark::State& state) {
  library::XmlDocument document;
  library::ParseXmlBytes(Database(), document);
  for (auto _ : state) {
    library::IndexFill fill = library::BuildIndex(document, library::IndexFillOptions{});
    benchmark::DoNotOptimize(fill.rows.data());
  }
}
BENCHMARK(BuildIndexRowsAndEntries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
