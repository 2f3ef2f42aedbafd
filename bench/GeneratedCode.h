// A large Orvex code file for the benchmarks, generated the same way on
// every run: header comments with topic links, constants, an import block,
// structures and procedures with declarations, calls to earlier
// procedures, strings holding ";" and "#", comments after code, and a few
// non-ASCII letters. 20,000 lines make about 895 KB (550 procedures).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

namespace generated_code_detail {

// A small linear congruential generator, so the text is the same with
// every standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::size_t Below(std::size_t bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::size_t>((state_ >> 33) % bound);
  }

 private:
  std::uint64_t state_;
};

inline constexpr std::array<const char*, 12> kVerbs = {"Create", "Update", "Draw",  "Load",
                                                       "Save",   "Show",   "Hide",  "Fill",
                                                       "Clear",  "Read",   "Write", "Build"};
inline constexpr std::array<const char*, 12> kNouns = {"Window", "Button", "Tree",  "Row",
                                                       "Text",   "Menu",   "Label", "Entry",
                                                       "Icon",   "Frame",  "Table", "Grid"};
inline constexpr std::array<const char*, 10> kGtkCalls = {
    "gtk_widget_show_all(*widget)",
    "gtk_container_add(*box, *child)",
    "gtk_window_set_title(*window, title)",
    "gtk_label_set_text(*label, text$)",
    "gtk_widget_set_size_request(*widget, width, height)",
    "g_signal_connect_data(*widget, \"clicked\", @OnClicked(), 0, 0, 0)",
    "gtk_box_pack_start(*box, *child, #True, #True, 0)",
    "gtk_tree_view_expand_all(*tree)",
    "gtk_text_buffer_set_text(*buffer, text$, -1)",
    "gtk_widget_destroy(*widget)"};
inline constexpr std::array<const char*, 8> kComments = {
    "; Größe des Fensters in Pixeln",
    "; the toolkit owns the widget from here on",
    "; \"quoted\" words in a comment",
    "; TODO: handle the error case; it is rare",
    "; a # in a comment is no constant",
    "; keep in step with EndProcedure below",
    "; Übersicht: If x Then y (no keywords here)",
    "; zone de dessin, fenêtre principale"};

inline std::string ProcedureName(std::size_t index) {
  return std::string(kVerbs[index % kVerbs.size()]) +
         kNouns[(index / kVerbs.size()) % kNouns.size()] + "_" + std::to_string(index);
}

}  // namespace generated_code_detail

// lineCount lines of Orvex code, each ending with LF.
inline std::string GenerateCodeFile(std::size_t lineCount = 20000) {
  using namespace generated_code_detail;
  Random random(0x0DE5C0DEull);
  std::vector<std::string> lines;
  lines.reserve(lineCount + 64);
  const auto add = [&](std::string line) { lines.push_back(std::move(line)); };

  add("; ==================================================================");
  add(";  Generated example: windows, buttons and trees with GTK 3");
  add("; ==================================================================");
  add("; Link to topic:   https://example.org/orvex/gtk3/generated");
  add("");
  add("EnableExplicit");
  add("XIncludeFile \"../Basics/GtkCommon.oxi\"");
  add("");
  add("#GTK_WINDOW_TOPLEVEL = 0");
  add("#GTK_ORIENTATION_VERTICAL = 1");
  add("#DEFAULT_WIDTH  = 640 ; pixels");
  add("#DEFAULT_HEIGHT = 480 ; pixels");
  add("");
  add("ImportC \"-lgtk-3\"");
  for (const char* call : kGtkCalls) add(std::string("  ") + call);
  add("EndImport");
  add("");

  std::size_t procedures = 0;
  while (lines.size() < lineCount) {
    const std::size_t kind = random.Below(20);
    if (kind == 0) {
      // A section comment with a topic link.
      add("");
      add("; ------------------------------------------------------------------");
      add(";  Section " + std::to_string(procedures) + ": " + kNouns[random.Below(kNouns.size())] +
          " handling");
      add("; Link to topic:   https://example.org/orvex/gtk3/" +
          std::string(kNouns[random.Below(kNouns.size())]) + "-" + std::to_string(procedures));
      add("; ------------------------------------------------------------------");
      continue;
    }
    if (kind == 1) {
      const std::string name =
          std::string(kNouns[random.Below(kNouns.size())]) + "Info" + std::to_string(procedures);
      add("Structure " + name);
      add("  *widget");
      add("  width.l : height.l");
      add("  title.s");
      add("EndStructure");
      add("");
      continue;
    }
    // A procedure.
    const std::string name = ProcedureName(procedures);
    const char* declaration = random.Below(8) == 0 ? "ProcedureC" : "Procedure";
    const char* type = random.Below(3) == 0 ? ".s" : (random.Below(2) == 0 ? ".i" : "");
    add(std::string(declaration) + type + " " + name +
        "(*widget, title.s = \"Titel; Größe\", width.l = 400)");
    add("  Protected result.i, i.i, text$ = \"#\" + title ; the \"#\" is not a constant");
    const std::size_t bodyLines = 6 + random.Below(30);
    for (std::size_t i = 0; i < bodyLines; ++i) {
      switch (random.Below(10)) {
        case 0:
          add("    If width > #DEFAULT_WIDTH And result <> 0 ; too wide for the screen");
          add("      width = #DEFAULT_WIDTH : height = #DEFAULT_HEIGHT");
          add("    EndIf");
          break;
        case 1:
          add("    For i = 0 To 10 : result + i : Next");
          break;
        case 2:
        case 3:
          if (procedures > 0) {
            add("    result = " + ProcedureName(random.Below(procedures)) +
                "(*widget, \"text; with semicolon\", " + std::to_string(random.Below(1000)) + ")");
          } else {
            add("    result = 0");
          }
          break;
        case 4:
          add(std::string("    ") + kComments[random.Below(kComments.size())]);
          break;
        case 5:
          add(std::string("    ") + kGtkCalls[random.Below(kGtkCalls.size())] + " ; toolkit");
          break;
        case 6:
          add("    Select result");
          add("      Case 1 : text$ = \"one\" : height = #DEFAULT_HEIGHT");
          add("      Default : text$ = \"other \" + Str(result) + \"; or more\"");
          add("    EndSelect");
          break;
        case 7:
          add("    text$ + \" Größe: \" + Str(width) + \" x \" + Str(height) + \" ✰\"");
          break;
        default:
          add("    result = result * 2 + width / 3");
          break;
      }
    }
    add("  ProcedureReturn result");
    add("EndProcedure");
    add("");
    ++procedures;
  }
  lines.resize(lineCount);

  std::string text;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 1;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace bench
