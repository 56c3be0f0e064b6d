// Qt's own libraries are not built with ThreadSanitizer, so the synchronisation
// inside them (thread pool, font and image loaders) is invisible to it. Reports
// whose stacks run through Qt are suppressed; our code is instrumented in full.
// Linked into the test programs of a ThreadSanitizer build only.

extern "C" const char* __tsan_default_suppressions() {
  return "race:libQt6Core.so\n"
         "race:libQt6Gui.so\n"
         "race:libQt6Widgets.so\n"
         "race:libfontconfig.so\n"
         "race:libglib-2.0.so\n";
}
