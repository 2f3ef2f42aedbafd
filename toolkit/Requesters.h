// Modal requesters for a file, a folder and a font.
#pragma once

#include <string>

namespace toolkit {

// Asks for an existing file. presetPath is selected when it exists, else its
// folder is opened. patternList is a pattern list ("XML files (*.xml)|*.xml");
// patternIndex chooses the filter shown first. Returns the chosen path, or ""
// when cancelled.
std::string OpenFileRequester(const std::string& title, const std::string& presetPath,
                              const std::string& patternList, int patternIndex);

// Asks for a folder, starting at presetPath. Returns the chosen folder ending
// in "/", or "" when cancelled.
std::string PathRequester(const std::string& title, const std::string& presetPath);

struct FontChoice {
  bool chosen = false;
  std::string name;  // family name
  int size = 0;      // points
};

// Asks for a font, preset with name and size.
FontChoice FontRequester(const std::string& name, int size);

}  // namespace toolkit
