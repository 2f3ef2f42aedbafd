// Colouring the code view: the text tags of the highlighter ranges, the
// declared names, and the topic-link labels.
#pragma once

#include <gtk/gtk.h>

#include <string_view>

namespace app {
struct AppState;
}
namespace toolkit {
class Gadget;
class TextAreaGadget;
}  // namespace toolkit

namespace codeview {

// Colours the text the code view holds, pass by pass, letting the toolkit
// redraw between the passes, and turns topic-link comments into link labels.
void HighlightCode(app::AppState& app, toolkit::TextAreaGadget& code);

// Queues a redraw of the gadget and runs the toolkit's pending work.
void FlushEvents(toolkit::Gadget& gadget);

// Whether activating a topic link may open its target: only web addresses
// (http and https) are opened; a code file could name anything else.
bool IsOpenableTopicLink(std::string_view target);

// Handler of a link label's "activate-link" signal: lets the toolkit open a
// web address and swallows every other target.
gboolean OnTopicLinkActivated(GtkLabel* label, const gchar* uri, gpointer data);

}  // namespace codeview
