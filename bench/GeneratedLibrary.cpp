// Large inputs for the benchmarks, generated the same way on every run.
#include "bench/GeneratedLibrary.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/GeneratedCode.h"

namespace bench {
namespace {

constexpr std::size_t kPerCategory = 500;  // entries in each category

constexpr std::array<const char*, 8> kWordsDe = {
    "Größe", "Fenster", "Schaltfläche", "Menü", "Zeichenfläche", "Übersicht", "Liste", "Ereignis"};
constexpr std::array<const char*, 8> kWordsEn = {"size",         "window",   "button", "menu",
                                                 "drawing area", "overview", "list",   "event"};
constexpr std::array<const char*, 8> kWordsFr = {
    "taille", "fenêtre", "bouton", "menu", "zone de dessin", "aperçu", "liste", "événement"};

template <std::size_t N>
std::string Phrase(const std::array<const char*, N>& words, std::size_t seed, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) text += ' ';
    text += words[(seed * 7 + i * 3) % N];
  }
  return text;
}

}  // namespace

std::string GenerateDatabase(std::size_t entryCount) {
  std::string xml;
  xml.reserve(entryCount * 360 + 4096);
  xml += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += "<library Name=\"Generated library\">Generated library 2026-12-08 for benchmarks\n";
  for (std::size_t i = 0; i < entryCount; ++i) {
    const std::size_t category = i / kPerCategory;
    if (i % kPerCategory == 0) {
      if (i) xml += "  </category>\n";
      xml += "  <category Name=\"Kategorie " + std::to_string(category) +
             "\">Beschreibung der Kategorie / description of the category\n";
    }
    const char* mark = i % 97 == 0 ? "\u2730" : (i % 89 == 0 ? "\u21BA" : "");
    xml += "    <entry theme_de=\"" + std::string(mark) + Phrase(kWordsDe, i, 3) + " " +
           std::to_string(i) + "\" theme_en=\"" + Phrase(kWordsEn, i, 3) + " " + std::to_string(i) +
           "\" theme_fr=\"" + Phrase(kWordsFr, i, 3) + " " + std::to_string(i) +
           "\" descript_de=\"" + Phrase(kWordsDe, i + 1, 6) + "\" descript_en=\"" +
           Phrase(kWordsEn, i + 2, 6) + "\" descript_fr=\"" + Phrase(kWordsFr, i + 3, 6) +
           "\" File=\"Kategorie" + std::to_string(category) + "/Example" + std::to_string(i) +
           ".ox\"/>\n";
  }
  if (entryCount) xml += "  </category>\n";
  xml += "</library>\n";
  return xml;
}

std::size_t WriteCodeLibrary(const std::string& folder, std::size_t entryCount) {
  const std::string code = GenerateCodeFile();
  std::vector<std::size_t> lineStarts{0};
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] == '\n') lineStarts.push_back(i + 1);
  }
  const std::size_t lineCount = lineStarts.size() - 1;
  std::size_t written = 0;
  std::size_t line = 0;
  for (std::size_t i = 0; i < entryCount; ++i) {
    const std::filesystem::path category =
        std::filesystem::path(folder) / ("Kategorie" + std::to_string(i / kPerCategory));
    if (i % kPerCategory == 0) std::filesystem::create_directories(category);
    const std::size_t lines = 2 + (i * 7) % 13;
    if (line + lines > lineCount) line = 0;
    const std::string_view text(code.data() + lineStarts[line],
                                lineStarts[line + lines] - lineStarts[line]);
    line += lines;
    std::ofstream out(category / ("Example" + std::to_string(i) + ".ox"), std::ios::binary);
    out << "\xEF\xBB\xBF" << text;
    if (!out.good()) return 0;
    written += 3 + text.size();
  }
  return written;
}

}  // namespace bench
