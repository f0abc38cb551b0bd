// Keeps known, harmless Qt warnings out of a program's standard error, so
// that what it does print is worth reading.
#pragma once

#include <QStringList>

namespace varostel::ui {

// From now on drops every Qt message that starts with one of `prefixes` and
// prints the others as Qt would. Call it once, before the QApplication.
void drop_qt_messages_starting_with(const QStringList& prefixes);

}  // namespace varostel::ui
