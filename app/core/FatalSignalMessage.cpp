// The text of the report shown after a fatal signal.
#include "app/core/FatalSignalMessage.h"

#include <csignal>

namespace app {
namespace {

// Appends to a fixed buffer without allocating; keeps one byte for the terminator.
class FixedWriter {
 public:
  FixedWriter(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {}

  void Append(const char* text) noexcept {
    while (text && *text && length_ + 1 < capacity_) buffer_[length_++] = *text++;
  }

  void AppendDecimal(int value) noexcept {
    char digits[12];
    std::size_t count = 0;
    unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[count++] = '-';
    while (count > 0 && length_ + 1 < capacity_) buffer_[length_++] = digits[--count];
  }

  std::size_t Finish() noexcept {
    if (capacity_ > 0) buffer_[length_] = '\0';
    return length_;
  }

 private:
  char* buffer_;
  std::size_t capacity_;
  std::size_t length_ = 0;
};

}  // namespace

const char* SignalDescription(int signalNumber) noexcept {
  switch (signalNumber) {
    case SIGFPE:
      return "Floating-point exception";
    case SIGSEGV:
      return "Segmentation violation";
    case SIGBUS:
      return "BUS Error";
    case SIGABRT:
      return "Abort signal";
    case SIGTRAP:
      return "Trace trap";
    case SIGSYS:
      return "Bad system call";
    case SIGILL:
      return "Illegal instruction";
    default:
      return "Unknown error code";
  }
}

std::size_t FormatFatalSignalMessage(char* buffer, std::size_t capacity, int signalNumber,
                                     const char* sourceLocation) noexcept {
  FixedWriter writer(buffer, capacity);
  writer.Append("A program error was detected:\n\n");
  writer.Append("Error Message:   ");
  writer.Append(SignalDescription(signalNumber));
  writer.Append("\nError Code:      ");
  writer.AppendDecimal(signalNumber);
  writer.Append("\nSourcecode line: ");
  writer.Append(sourceLocation);
  writer.Append("\n");
  return writer.Finish();
}

std::string FatalSignalMessage(int signalNumber, const char* sourceLocation) {
  char buffer[1024];
  const std::size_t length =
      FormatFatalSignalMessage(buffer, sizeof buffer, signalNumber, sourceLocation);
  return std::string(buffer, length);
}

}  // namespace app
