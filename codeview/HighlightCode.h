// Colouring the code view: the text tags of the highlighter ranges, the
// declared names, and the topic-link labels.
#pragma once

#include <gtk/gtk.h>

#include <string_view>

namespace app {
struct AppState;
}
namespace toolkit {
class TextAreaGadget;
}  // namespace toolkit

namespace codeview {

// Colours the text the code view holds and turns topic-link comments into
// link labels: the lines the view shows at once, the rest in slices while
// the main loop is idle, lines scrolled to before they are drawn. A change
// of the text (another file, a drop, clearing) ends the colouring of the
// old one.
void HighlightCode(app::AppState& app, toolkit::TextAreaGadget& code);

// Whether part of the view's text is still waiting to be coloured.
bool ColouringPending(toolkit::TextAreaGadget& code);
// Colours the rest of the view's text at once.
void FinishColouring(toolkit::TextAreaGadget& code);

// Whether activating a topic link may open its target: only web addresses
// (http and https) are opened; a code file could name anything else.
bool IsOpenableTopicLink(std::string_view target);

// Handler of a link label's "activate-link" signal: lets the toolkit open a
// web address and swallows every other target.
gboolean OnTopicLinkActivated(GtkLabel* label, const gchar* uri, gpointer data);

}  // namespace codeview
