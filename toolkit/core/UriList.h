// File URIs and URI lists, as exchanged by drag and drop.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// "file://" followed by the absolute path, every byte outside the unreserved
// characters and "/" percent-encoded. Returns an empty text for a path that is
// not absolute.
std::string FileUriFromPath(std::string_view absolutePath);

// The local paths of the file URIs in a URI list (lines separated by CR LF or
// LF, "#" lines are comments). A file URI names the local host ("file:///p" or
// "file://localhost/p"); other URIs, other hosts and paths that would decode to
// a NUL byte or a line end are skipped.
std::vector<std::string> LocalPathsFromUriList(std::string_view uriList);

}  // namespace toolkit
