#include "app/platform_failure.h"

#include <unistd.h>

#include <QMutex>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <vector>

namespace varostel::app {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

struct Watch {
  QMutex mutex;
  QtMessageHandler next = nullptr;
  bool started = false;
  DisplaySettings settings;
  std::string command;
  std::vector<HeldMessage> held;
  PlatformFailureSigns signs;
};

Watch& watch() {
  static Watch instance;
  return instance;
}

void pass_on(QtMessageHandler next, QtMsgType type, const char* category, const QString& text) {
  const QMessageLogContext context(nullptr, 0, nullptr, category);
  if (next != nullptr) next(type, context, text);
}

// Qt says which of its platform attempts failed only in these warnings;
// their wording is all there is to tell the problems apart. Unrecognised
// wording falls back to the general line with Qt's messages after it.
void note_sign(PlatformFailureSigns& signs, const QByteArray& category, const QString& text) {
  const QLatin1String not_found("Could not find the Qt platform plugin \"");
  if (category == "qt.qpa.plugin" && text.startsWith(not_found) && signs.missing_platform.empty()) {
    signs.missing_platform =
        text.mid(not_found.size()).section(QLatin1Char('"'), 0, 0).toStdString();
  }
  if (category == "qt.qpa.xcb" && text.startsWith(QLatin1String("could not connect to display"))) {
    signs.display_not_connected = true;
  }
}

[[noreturn]] void fail(Watch& w) {
  const DisplayProblem problem = classify_platform_failure(w.settings, w.signs);
  const std::string line = display_problem_line(problem, w.settings, w.command, w.signs);
  std::fputs(line.c_str(), stderr);
  // Recognised problems are told in full by our line; otherwise Qt's own
  // platform messages are the details.
  if (problem == DisplayProblem::PlatformFailed) {
    for (const HeldMessage& message : w.held) {
      std::fprintf(stderr, "%s: %s\n", message.category.constData(), qPrintable(message.text));
    }
  }
  std::fflush(stderr);
  // Not exit(): Qt is half-constructed and its static destructors must not
  // run; not abort(): no core dump for a missing display.
  _exit(1);
}

void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  Watch& w = watch();
  QMutexLocker lock(&w.mutex);
  if (!w.started) {
    if (type == QtFatalMsg) fail(w);
    const QByteArray category(context.category != nullptr ? context.category : "");
    if (category.startsWith("qt.qpa.")) {
      note_sign(w.signs, category, text);
      w.held.push_back({type, category, text});
      return;
    }
  }
  const QtMessageHandler next = w.next;
  lock.unlock();
  if (next != nullptr) next(type, context, text);
}

}  // namespace

void catch_platform_failure(const DisplaySettings& settings, const std::string& command) {
  Watch& w = watch();
  w.settings = settings;
  w.command = command;
  w.next = qInstallMessageHandler(handle);
}

void platform_started() {
  Watch& w = watch();
  std::vector<HeldMessage> held;
  {
    QMutexLocker lock(&w.mutex);
    w.started = true;
    held.swap(w.held);
  }
  for (const HeldMessage& message : held) {
    pass_on(w.next, message.type, message.category.constData(), message.text);
  }
}

}  // namespace varostel::app
