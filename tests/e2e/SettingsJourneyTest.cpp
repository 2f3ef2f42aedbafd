// The settings window used as a user uses it, across restarts: what is
// changed there and saved comes back the next time the program starts, in the
// preferences file, in the main window and in the settings window itself.
// The window's place, size and splitter are stored only when the user asks
// for it, only by Save, and then come back exactly.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "E2eSupport.h"
#include "support/TempDirectory.h"

namespace {

namespace fs = std::filesystem;

using e2e::GeometryOf;

// The font dialog carries the application's name as its title.
constexpr const char* kFontDialog = "^Orvex-Linux-API-Viewer$";
// Generous: the program runs under the sanitizers on a loaded machine.
constexpr int kAnswerMs = 10000;

// A point on the splitter between the index and the code at its default place.
constexpr int kSplitterX = 351;
constexpr int kSplitterY = 300;

// A control of the settings window: its place and size inside the window.
struct Place {
  int x, y, width, height;
  int MiddleX() const { return x + width / 2; }
  int MiddleY() const { return y + height / 2; }
};
constexpr Place kLanguageBox{240, 200, 290, 32};
constexpr Place kFontNameDisplay{240, 232, 290, 30};
constexpr Place kFontSizeDisplay{535, 236, 40, 22};
constexpr Place kFontButton{578, 234, 46, 26};
constexpr Place kHintBox{240, 294, 290, 32};
constexpr Place kTitleBox{240, 326, 290, 32};
constexpr Place kMarkingBox{240, 358, 290, 32};
// The check boxes' squares, without their labels.
constexpr Place kNewsSquare{15, 397, 22, 24};
constexpr Place kDarkSquare{340, 397, 22, 24};
constexpr Place kGeometrySquare{15, 427, 22, 24};
constexpr Place kSaveButton{322, 470, 307, 36};

// The code view and the index tree of a main window of the default size.
constexpr Place kCodeView{360, 80, 430, 500};
constexpr Place kIndexTree{10, 40, 335, 540};

// The text with the value of each of the given setting lines replaced.
std::string WithValues(std::string text, const std::map<std::string, std::string>& values) {
  for (const auto& [key, value] : values) {
    const std::size_t line = text.find("\n" + key + "=");
    if (line == std::string::npos) return "<no line for " + key + ">";
    const std::size_t start = line + key.size() + 2;
    text.replace(start, text.find('\n', start) - start, value);
  }
  return text;
}

// Pixels of screenshots, compared as raw RGB bytes.
class Screenshots {
 public:
  explicit Screenshots(std::string folder) : folder_(std::move(folder)) {}

  // Takes a screenshot of the window with the pointer out of the way, so
  // that no control is drawn hovered.
  void Take(unsigned long window) {
    e2e::Run("xdotool mousemove 1 1000 sleep 0.3");
    shot_ = folder_ + "/shot-" + std::to_string(++count_) + ".png";
    e2e::Run("import -window " + std::to_string(window) + " " + shot_);
  }

  // The RGB bytes of a part of the last screenshot.
  std::string Crop(const Place& place) const {
    const std::string pixels = folder_ + "/crop.rgb";
    fs::remove(pixels);
    e2e::Run("convert " + shot_ + " -crop " + std::to_string(place.width) + "x" +
             std::to_string(place.height) + "+" + std::to_string(place.x) + "+" +
             std::to_string(place.y) + " +repage -depth 8 rgb:" + pixels);
    return TempDirectory::Read(pixels);
  }

  // How many pixels of a part of the last screenshot have each colour ("#RRGGBB").
  std::map<std::string, int> Colours(const Place& place) const {
    const std::string rgb = Crop(place);
    std::map<std::string, int> colours;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
      std::string colour = "#";
      for (std::size_t c = i; c < i + 3; ++c) {
        const auto byte = static_cast<unsigned char>(rgb[c]);
        colour += kHex[byte >> 4];
        colour += kHex[byte & 0x0f];
      }
      ++colours[colour];
    }
    return colours;
  }

 private:
  std::string folder_;
  std::string shot_;
  int count_ = 0;
};

int CountOf(const std::map<std::string, int>& colours, const std::string& colour) {
  const auto found = colours.find(colour);
  return found == colours.end() ? 0 : found->second;
}

// The controls of the settings window whose look shows a stored setting.
struct SettingsLook {
  std::string language, fontName, fontSize, title, marking, news, dark, geometry;
};

SettingsLook LookOf(const Screenshots& shots) {
  return {shots.Crop(kLanguageBox), shots.Crop(kFontNameDisplay), shots.Crop(kFontSizeDisplay),
          shots.Crop(kTitleBox),    shots.Crop(kMarkingBox),      shots.Crop(kNewsSquare),
          shots.Crop(kDarkSquare),  shots.Crop(kGeometrySquare)};
}

// Turns the mouse wheel over a control: down chooses the next item of a
// combo box, up the one before.
void Wheel(unsigned long window, const Place& place, bool down) {
  e2e::Run("xdotool mousemove --window " + std::to_string(window) + " " +
           std::to_string(place.MiddleX()) + " " + std::to_string(place.MiddleY()) +
           " sleep 0.15 click " + (down ? "5" : "4") + " sleep 0.15");
}

// Chooses a font face and size in the font dialog that the settings
// window's "..." button opens; the dialog's size entry and Select button sit
// at fixed distances from its bottom right corner.
void ChooseFont(pid_t pid, unsigned long settings, const std::string& face, int size) {
  ASSERT_TRUE(e2e::ClickAt(settings, kFontButton.MiddleX(), kFontButton.MiddleY()));
  const unsigned long dialog = e2e::WaitForWindowOf(pid, kFontDialog, kAnswerMs);
  ASSERT_NE(dialog, 0u) << "the font dialog did not open";
  // The search field has the keyboard; the face's full name leaves one row.
  ASSERT_TRUE(e2e::TypeText(dialog, face));
  e2e::Pause(800);
  ASSERT_TRUE(e2e::PressKeys("Down"));
  const e2e::Geometry geometry = GeometryOf(dialog);
  ASSERT_TRUE(e2e::ClickAt(dialog, geometry.width - 124, geometry.height - 66));
  ASSERT_TRUE(e2e::PressKeys("ctrl+a"));
  ASSERT_TRUE(e2e::Run("xdotool type " + std::to_string(size)) == 0);
  ASSERT_TRUE(e2e::PressKeys("Tab"));
  ASSERT_TRUE(e2e::ClickAt(dialog, geometry.width - 51, geometry.height - 25));
  ASSERT_TRUE(e2e::WaitUntilHidden(dialog)) << "the font dialog stayed open";
}

class SettingsJourney : public e2e::Journey {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Journey::SetUp());
    seeded_ = Preferences();
    ASSERT_FALSE(seeded_.empty());
  }

  std::string seeded_;
};

TEST_F(SettingsJourney, ChangedSettingsAreSavedAndComeBackAfterARestart) {
  // The staged program starts in German, marks keywords in blue and bold,
  // shows the file's folder in the title, light colours, Monospace 10.
  const auto seeded = e2e::SettingsOf(seeded_);
  ASSERT_EQ(seeded.at("Language"), "0");
  ASSERT_EQ(seeded.at("CodeMarks"), "2");
  ASSERT_EQ(seeded.at("SourceInTitle"), "1");
  ASSERT_EQ(seeded.at("DarkMode"), "0");
  ASSERT_EQ(seeded.at("FontName"), "Monospace");
  ASSERT_EQ(seeded.at("FontSize"), "10");
  Screenshots shots(stage_.Root());
  SettingsLook saved;
  SettingsLook initial;
  {
    ASSERT_NO_FATAL_FAILURE(Start());
    unsigned long settings = OpenSettings();
    ASSERT_NE(settings, 0u);
    shots.Take(settings);
    initial = LookOf(shots);

    Wheel(settings, kLanguageBox, true);  // English
    Wheel(settings, kTitleBox, true);     // full path and file name
    Wheel(settings, kMarkingBox, false);  // bold keywords, grey comments
    ASSERT_TRUE(e2e::ClickAt(settings, kDarkSquare.MiddleX(), kDarkSquare.MiddleY()));
    ASSERT_NO_FATAL_FAILURE(ChooseFont(Pid(), settings, "DejaVu Sans Mono Book", 14));
    ASSERT_TRUE(e2e::ClickAt(settings, kSaveButton.MiddleX(), kSaveButton.MiddleY()));
    // The dark colours reach the code view only after a restart, and say so.
    const unsigned long note = WaitForMessageBox();
    ASSERT_NE(note, 0u) << "no restart note";
    EXPECT_EQ(Preferences(), seeded_) << "written before the note was answered";
    ASSERT_TRUE(e2e::SendKeys(note, "Return"));
    ASSERT_TRUE(e2e::WaitUntilHidden(settings));

    const std::string expected = WithValues(seeded_, {{"Language", "1"},
                                                      {"CodeMarks", "1"},
                                                      {"SourceInTitle", "2"},
                                                      {"DarkMode", "1"},
                                                      {"FontName", "DejaVu Sans Mono"},
                                                      {"FontSize", "14"}});
    EXPECT_TRUE(e2e::Eventually([&] { return Preferences() == expected; }))
        << "expected:\n"
        << expected << "\nwritten:\n"
        << Preferences();

    // What the window shows once saved, to compare with the next start.
    settings = OpenSettings();
    ASSERT_NE(settings, 0u);
    shots.Take(settings);
    saved = LookOf(shots);
    ASSERT_TRUE(e2e::SendKeys(settings, "Escape"));
    ASSERT_TRUE(e2e::WaitUntilHidden(settings));
    ASSERT_NO_FATAL_FAILURE(End());
    EXPECT_EQ(Preferences(), expected) << "the end wrote the file";
  }
  // Every control whose setting changed looks different now.
  EXPECT_NE(saved.language, initial.language);
  EXPECT_NE(saved.fontName, initial.fontName);
  EXPECT_NE(saved.fontSize, initial.fontSize);
  EXPECT_NE(saved.title, initial.title);
  EXPECT_NE(saved.marking, initial.marking);
  EXPECT_NE(saved.dark, initial.dark);

  ASSERT_NO_FATAL_FAILURE(Start());
  // English index titles are searched, and the title shows the database's
  // folder before the file.
  ASSERT_TRUE(e2e::TypeText(main_, "Hello world with"));
  EXPECT_TRUE(Shows("../Basics/HelloWorld.ox")) << Title();

  // The index shows the dark category bands. The end of the code, where
  // constants and calls are, shows them in their dark colours, with grey
  // comments and without blue keywords.
  // Until the view is drawn at the end, its top shows, which has no constants.
  // The click into the view and the key are sent again while the top shows:
  // on a loaded machine the first ones can reach the window before the
  // search typed above has settled, with the focus still in the field.
  std::map<std::string, int> code;
  e2e::Eventually(
      [&] {
        if (!e2e::ClickAt(main_, kCodeView.MiddleX(), kCodeView.y + kCodeView.height - 20) ||
            !e2e::SendKeys(main_, "ctrl+End")) {
          return false;
        }
        shots.Take(main_);
        code = shots.Colours(kCodeView);
        return CountOf(code, "#6B8E23") > 20;
      },
      20000);
  const auto index = shots.Colours(kIndexTree);
  EXPECT_GT(CountOf(index, "#B0B0B0"), 1000) << "dark odd category bands";
  EXPECT_GT(CountOf(index, "#A1A1A1"), 1000) << "dark even category bands";
  // Not as bands: a few edge pixels may come close.
  EXPECT_LT(CountOf(index, "#F0F0F0") + CountOf(index, "#E8E8E8"), 500) << "light bands";
  EXPECT_GT(CountOf(code, "#909090"), 20) << "grey comments";
  EXPECT_GT(CountOf(code, "#6B8E23"), 20) << "constants in the dark colour";
  EXPECT_GT(CountOf(code, "#0099CC"), 20) << "calls in the dark colour";
  EXPECT_EQ(CountOf(code, "#007F00"), 0) << "constants in the light colour";
  EXPECT_EQ(CountOf(code, "#0000DC") + CountOf(code, "#00BFFF"), 0) << "blue keywords";

  // The settings window shows the saved choices again.
  const unsigned long settings = OpenSettings();
  ASSERT_NE(settings, 0u);
  shots.Take(settings);
  const SettingsLook restarted = LookOf(shots);
  EXPECT_EQ(restarted.language, saved.language);
  EXPECT_EQ(restarted.fontName, saved.fontName);
  EXPECT_EQ(restarted.fontSize, saved.fontSize);
  EXPECT_EQ(restarted.title, saved.title);
  EXPECT_EQ(restarted.marking, saved.marking);
  // Ticked like the news box, unlike the geometry box.
  EXPECT_EQ(restarted.dark, restarted.news);
  EXPECT_NE(restarted.dark, restarted.geometry);
  ASSERT_TRUE(e2e::SendKeys(settings, "Escape"));
  ASSERT_TRUE(e2e::WaitUntilHidden(settings));
  End();
}

// Drags the splitter between the index and the code to the right.
void DragSplitter(unsigned long main, int distance) {
  std::string steps;
  for (int moved = 0; moved < distance; moved += 20) steps += " mousemove_relative 20 0 sleep 0.1";
  e2e::Run("xdotool mousemove --window " + std::to_string(main) + " " + std::to_string(kSplitterX) +
           " " + std::to_string(kSplitterY) + " sleep 0.2 mousedown 1 sleep 0.2" + steps +
           " sleep 0.2 mouseup 1");
}

constexpr const char* kGeometryKeys[] = {"WinX", "WinY", "WinWidth", "WinHight", "Splitter"};

TEST_F(SettingsJourney, WindowGeometryIsStoredOnlyWhenAskedAndComesBackExactly) {
  const auto seeded = e2e::SettingsOf(seeded_);
  ASSERT_EQ(seeded.at("SaveWinSetting"), "0");
  for (const char* key : kGeometryKeys) ASSERT_EQ(seeded.count(key), 0u) << key;

  // Moved and resized, then saved without the geometry box: the save shows
  // in the file by the other changed choice, and no geometry is stored.
  const std::string withoutGeometry = WithValues(seeded_, {{"SearchHint", "1"}});
  {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(e2e::PlaceWindow(main_, 60, 50, 900, 640)) << GeometryOf(main_);
    const unsigned long settings = OpenSettings();
    ASSERT_NE(settings, 0u);
    Wheel(settings, kHintBox, true);
    ASSERT_TRUE(e2e::ClickAt(settings, kSaveButton.MiddleX(), kSaveButton.MiddleY()));
    ASSERT_TRUE(e2e::WaitUntilHidden(settings));
    EXPECT_TRUE(e2e::Eventually([&] { return Preferences() == withoutGeometry; })) << Preferences();
    ASSERT_NO_FATAL_FAILURE(End());
    EXPECT_EQ(Preferences(), withoutGeometry) << "the end wrote the file";
  }

  // Nothing was stored, so the window opens at its default size; now the
  // geometry is saved with the box ticked, after moving the splitter too.
  e2e::Geometry placed;
  std::string stored;
  {
    ASSERT_NO_FATAL_FAILURE(Start());
    const e2e::Geometry opened = GeometryOf(main_);
    EXPECT_EQ(opened.width, 800);
    EXPECT_EQ(opened.height, 600);
    ASSERT_TRUE(e2e::PlaceWindow(main_, 60, 50, 900, 640)) << GeometryOf(main_);
    DragSplitter(main_, 100);
    placed = GeometryOf(main_);
    const unsigned long settings = OpenSettings();
    ASSERT_NE(settings, 0u);
    ASSERT_TRUE(e2e::ClickAt(settings, kGeometrySquare.MiddleX(), kGeometrySquare.MiddleY()));
    ASSERT_TRUE(e2e::ClickAt(settings, kSaveButton.MiddleX(), kSaveButton.MiddleY()));
    ASSERT_TRUE(e2e::WaitUntilHidden(settings));
    ASSERT_TRUE(e2e::Eventually([&] {
      return e2e::SettingsOf(Preferences()).count("Splitter") == 1;
    })) << Preferences();
    stored = Preferences();
    const auto values = e2e::SettingsOf(stored);
    EXPECT_TRUE(stored.starts_with(WithValues(withoutGeometry, {{"SaveWinSetting", "1"}})))
        << stored;
    EXPECT_EQ(values.at("WinWidth"), "900");
    EXPECT_EQ(values.at("WinHight"), "640");
    const int splitter = std::atoi(values.at("Splitter").c_str());
    EXPECT_GT(splitter, 345 + 50) << "the splitter was not moved";
    EXPECT_LT(splitter, 345 + 150);

    // Moved and resized once more after the save: the end stores nothing.
    ASSERT_TRUE(e2e::PlaceWindow(main_, 300, 200, 850, 620)) << GeometryOf(main_);
    ASSERT_NO_FATAL_FAILURE(End());
    EXPECT_EQ(Preferences(), stored) << "the end wrote the file";
  }

  // The window comes back where it was saved, with its size and splitter:
  // saving again unchanged stores exactly the same.
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(e2e::Eventually([&] { return GeometryOf(main_) == placed; }, 3000))
      << "saved at " << placed << ", opened at " << GeometryOf(main_);
  const auto written = fs::last_write_time(PreferencesPath());
  const unsigned long settings = OpenSettings();
  ASSERT_NE(settings, 0u);
  ASSERT_TRUE(e2e::ClickAt(settings, kSaveButton.MiddleX(), kSaveButton.MiddleY()));
  ASSERT_TRUE(e2e::WaitUntilHidden(settings));
  ASSERT_TRUE(e2e::Eventually([&] { return fs::last_write_time(PreferencesPath()) != written; }))
      << "Save did not write the file";
  EXPECT_EQ(Preferences(), stored);
  End();
}

}  // namespace
