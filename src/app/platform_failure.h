// Turns Qt's failure to open a display into the program's own one line and
// exit status 1, instead of Qt's abort (exit 134, a core) with its
// five-line message about reinstalling.
#pragma once

#include <string>

#include "view/start_up_texts.h"

namespace varostel::app {

// Installs a Qt message handler in front of the current one. Until
// platform_started() it holds back Qt's platform (qt.qpa.*) messages and, on
// Qt's fatal message, prints our line and ends the process with status 1.
// Call it right before the QApplication; `command` is argv[0].
void catch_platform_failure(const DisplaySettings& settings, const std::string& command);

// The QApplication exists: passes the held messages on, as Qt would have
// printed them, and lets every later message through.
void platform_started();

}  // namespace varostel::app
