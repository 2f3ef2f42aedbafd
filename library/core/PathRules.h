// How the program splits and joins paths: file and directory parts, and the
// join of a folder with a name.
#pragma once

#include <string>
#include <string_view>

namespace library {

// The text after the last "/"; the whole text when it holds none.
std::string FilePart(std::string_view path);

// The text up to and including the last "/"; empty when it holds none.
std::string DirectoryPart(std::string_view path);

// The text without its leading "/" characters.
std::string StripLeadingSlashes(std::string_view path);

// left followed by right, with one "/" inserted between them when left is not
// empty, does not end in "/" and right does not begin with "/". Folders that
// already carry their "/" give exactly left + right.
std::string JoinPath(std::string_view left, std::string_view right);

// The file on disk of a library entry: the library main path joined with the
// entry's file value without its leading "/" characters.
std::string CodeFilePath(std::string_view libraryPath, std::string_view file);

}  // namespace library
