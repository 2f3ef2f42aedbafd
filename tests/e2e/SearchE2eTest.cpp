// Searching the staged program's index with real typing: the take-back of
// an unmatched character, search-next with F3 and Return, the shake when
// nothing more is found, and Delete clearing the term.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "E2eSupport.h"

namespace {

// In German with the description searched, "zeitgeber" is found in these
// three entries, in this order.
constexpr const char* kFirst = "^Linux OX-ZUR-Erirada-Vuvazo ~ Widgets/ProgressBar\\.ox$";
constexpr const char* kSecond = "^Linux OX-ZUR-Erirada-Vuvazo ~ Drawing/CairoAnimation\\.ox$";
constexpr const char* kThird = "^Linux OX-ZUR-Erirada-Vuvazo ~ System/Timeout\\.ox$";

int GeometryValue(const std::string& geometry, const std::string& name) {
  const std::size_t at = geometry.find(name + "=");
  return at == std::string::npos ? 0 : std::atoi(geometry.c_str() + at + name.size() + 1);
}

// The search field's text, copied through the clipboard. The clipboard is
// emptied first by an xclip that ends when the field takes the clipboard
// over, or after a few seconds.
std::string FieldText(unsigned long window) {
  e2e::Run("timeout 5 xclip -quiet -selection clipboard </dev/null >/dev/null 2>&1 & sleep 0.1");
  if (!e2e::SendKeys(window, "ctrl+a ctrl+c End")) return "<no keys>";
  std::string text;
  for (int i = 0; i < 20 && text.empty(); ++i) {
    e2e::Run("sleep 0.05");
    text = e2e::Output("xclip -o -selection clipboard 2>/dev/null");
  }
  return text;
}

// Waits until the search field holds the text.
bool FieldBecomes(unsigned long window, const std::string& expected) {
  for (int i = 0; i < 10; ++i) {
    if (FieldText(window) == expected) return true;
  }
  return false;
}

// The window's x positions seen while an xdotool action runs and for about
// a second after it: a shake shows as x + 5 and x - 5.
std::set<int> PositionsDuring(unsigned long window, const std::string& action) {
  const std::string id = std::to_string(window);
  const std::string samples =
      e2e::Output("( for i in $(seq 50); do xdotool getwindowgeometry --shell " + id +
                  " | sed -n 's/^X=//p'; sleep 0.01; done ) & p=$!; sleep 0.02; xdotool " + action +
                  "; wait $p");
  std::set<int> positions;
  std::istringstream lines(samples);
  for (int x = 0; lines >> x;) positions.insert(x);
  return positions;
}

bool Shook(const std::set<int>& positions, int x) {
  return positions.count(x + 5) == 1 && positions.count(x - 5) == 1;
}

// Pixel counts by colour over the index tree.
std::map<std::string, int> TreeColours(unsigned long window, const std::string& shot) {
  const std::string geometry =
      e2e::Output("xdotool getwindowgeometry --shell " + std::to_string(window));
  const int x = GeometryValue(geometry, "X") + 10;
  const int y = GeometryValue(geometry, "Y") + 40;
  e2e::Run("import -window root -crop 340x500+" + std::to_string(x) + "+" + std::to_string(y) +
           " " + shot);
  std::istringstream lines(e2e::Output("convert " + shot + " -format %c histogram:info:-"));
  std::map<std::string, int> colours;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t hash = line.find('#');
    if (hash == std::string::npos) continue;
    colours[line.substr(hash, 7)] += std::atoi(line.c_str());
  }
  return colours;
}

class SearchE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(stage_.Ok());
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    window_ = e2e::WaitForWindowOf(program_->Pid(), "^Linux OX-ZUR-Erirada-Vuvazo( ~ .*)?$");
    ASSERT_NE(window_, 0u);
    // The search field has the keyboard at start.
    ASSERT_TRUE(e2e::TypeText(window_, "zeitgeber"));
    ASSERT_TRUE(Shows(kFirst));
    x_ = GeometryValue(e2e::Output("xdotool getwindowgeometry --shell " + std::to_string(window_)),
                       "X");
  }

  bool Shows(const char* title) { return e2e::WaitForWindowOf(program_->Pid(), title) != 0; }

  e2e::StagedCopy stage_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long window_ = 0;
  int x_ = 0;
};

TEST_F(SearchE2e, UnmatchedCharacterIsTakenBackAndTheShorterTermSelectedAgain) {
  EXPECT_TRUE(Shook(PositionsDuring(window_, "type x"), x_));
  EXPECT_TRUE(FieldBecomes(window_, "zeitgeber"));
  // The shorter term's match is selected again: search-next goes on after it.
  ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
  EXPECT_TRUE(Shows(kSecond));
}

TEST_F(SearchE2e, UnmatchedTextTypedInsideTheTermStaysAndNothingIsSelected) {
  const std::string shots = stage_.Root() + "/";
  const std::map<std::string, int> selected = TreeColours(window_, shots + "selected.png");
  ASSERT_TRUE(e2e::SendKeys(window_, "Home Right Right"));
  EXPECT_TRUE(Shook(PositionsDuring(window_, "type q"), x_));
  EXPECT_TRUE(FieldBecomes(window_, "zeqitgeber"));
  // The selected row's highlight, a colour covering a whole row, is gone.
  const std::map<std::string, int> cleared = TreeColours(window_, shots + "cleared.png");
  int vanished = 0;
  for (const auto& [colour, count] : selected) {
    const auto now = cleared.find(colour);
    if (count > 2000 && (now == cleared.end() || now->second < 100)) ++vanished;
  }
  EXPECT_GE(vanished, 1);
}

TEST_F(SearchE2e, SearchNextStepsThroughTheMatchesAndStartsOverAfterTheHint) {
  ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
  EXPECT_TRUE(Shows(kSecond));
  ASSERT_TRUE(e2e::SendKeys(window_, "Return"));
  EXPECT_TRUE(Shows(kThird));
  // Past the last match: the hint, the term unchanged; then from the top.
  EXPECT_TRUE(Shook(PositionsDuring(window_, "key F3"), x_));
  EXPECT_TRUE(FieldBecomes(window_, "zeitgeber"));
  ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
  EXPECT_TRUE(Shows(kFirst));
  ASSERT_TRUE(e2e::SendKeys(window_, "KP_Enter"));
  EXPECT_TRUE(Shows(kSecond));

  // Delete clears the term: search-next then has nothing to look for.
  ASSERT_TRUE(e2e::SendKeys(window_, "Delete"));
  e2e::Run("sleep 0.3");
  ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
  e2e::Run("sleep 0.5");
  EXPECT_NE(e2e::WindowTitle(window_).find("Drawing/CairoAnimation.ox"),
            std::string::npos);
}

}  // namespace
