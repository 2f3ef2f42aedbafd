// Preloaded into the viewer by end-to-end tests: appends the text of every
// message dialog, followed by a record separator (0x1E), to the file named
// by ORVEX_MESSAGE_LOG. The viewer's message boxes pass their text through
// "%s", which is kept.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
typedef void* (*Create)(void*, int, int, int, const char*, ...);
void* gtk_message_dialog_new(void* parent, int flags, int type, int buttons, const char* format,
                             ...) {
  static Create real;
  if (!real) real = (Create)dlsym(RTLD_NEXT, "gtk_message_dialog_new");
  char* text = NULL;
  if (format) {
    va_list args;
    va_start(args, format);
    if (vasprintf(&text, format, args) < 0) text = NULL;
    va_end(args);
  }
  const char* log = getenv("ORVEX_MESSAGE_LOG");
  if (log && text) {
    FILE* file = fopen(log, "a");
    if (file) {
      fputs(text, file);
      fputc(0x1e, file);
      fclose(file);
    }
  }
  void* dialog = real(parent, flags, type, buttons, text ? "%s" : NULL, text);
  free(text);
  return dialog;
}
