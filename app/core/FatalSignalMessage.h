// The text of the report shown after a fatal signal.
#pragma once

#include <cstddef>
#include <string>

namespace app {

// The description of a fatal signal: "Segmentation violation" and so on,
// "Unknown error code" for a signal outside the handled set.
const char* SignalDescription(int signalNumber) noexcept;

// Writes the report into buffer (always terminated, cut when it does not fit)
// and returns its length. Async-signal-safe: no allocation, no locale.
std::size_t FormatFatalSignalMessage(char* buffer, std::size_t capacity, int signalNumber,
                                     const char* sourceLocation) noexcept;

// The same report as a string, for callers outside a signal handler.
std::string FatalSignalMessage(int signalNumber, const char* sourceLocation);

}  // namespace app
