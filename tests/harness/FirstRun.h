// The first-run marker. While it is missing, every main dialog opens the
// About box before it shows; the tests run with it present (the environment
// that each test executable links makes it), and a test of the first run
// takes it away for itself.
#pragma once

extern const char OPTION_KEY[];     // HKEY_CURRENT_USER, holds the marker
extern const char MARKER_KEY[];     // the marker itself

// The marker as a confirmed About box leaves it, the option stored as on.
void MakeFirstRunMarker();

// No marker and no option from construction to end; then the marker again.
struct FirstRunScope {
    FirstRunScope();
    ~FirstRunScope();
};
