// The source location last passed, shown by the fatal-signal report.
#pragma once

namespace app {

// Records where the program is; the text must live for the whole run (a
// string literal). Safe to read from a signal handler.
void MarkSource(const char* location) noexcept;

// The last recorded location, "" before the first mark.
const char* LastSourceMark() noexcept;

}  // namespace app

#define ORVEX_STRINGIFY_DETAIL(x) #x
#define ORVEX_STRINGIFY(x) ORVEX_STRINGIFY_DETAIL(x)

// Records the current file and line, e.g. "app/Startup.cpp:42".
#define MARK_SOURCE() ::app::MarkSource(__FILE__ ":" ORVEX_STRINGIFY(__LINE__))
