// Modal message boxes and their results.
#pragma once

#include <string>

namespace toolkit {

enum class MessageButtons { Ok, YesNo, YesNoCancel };

// Results: OK and Yes give the same value.
namespace message_result {
inline constexpr int kClosed = 0;  // closed any other way
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kOk = 6;
inline constexpr int kNo = 7;
}  // namespace message_result

// Maps a dialog response of the toolkit to a message-box result.
int MessageResultOfResponse(int response);

// Shows a modal information box without parent, with the title and the text
// as plain text (neither is markup or a format), and waits for an answer.
// After the box is gone, pending toolkit events are processed.
int ShowMessageBox(const std::string& title, const std::string& text,
                   MessageButtons buttons = MessageButtons::Ok);

}  // namespace toolkit
