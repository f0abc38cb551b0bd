#include "ui/message_filter.h"

#include <QtGlobal>
#include <cstdio>

namespace varostel::ui {
namespace {

QStringList& dropped_prefixes() {
  static QStringList prefixes;
  return prefixes;
}

void print_unless_dropped(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  for (const QString& prefix : dropped_prefixes()) {
    if (message.startsWith(prefix)) return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

void drop_qt_messages_starting_with(const QStringList& prefixes) {
  dropped_prefixes() = prefixes;
  qInstallMessageHandler(print_unless_dropped);
}

}  // namespace varostel::ui
