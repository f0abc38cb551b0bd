#include "app/command_line.h"

#include <QCommandLineParser>

#include "view/start_up_texts.h"

namespace varostel::app {
namespace {

CommandLineOutcome ending(int status, std::string out, std::string err) {
  return {false, status, std::move(out), std::move(err)};
}

// The unknown option as the user wrote it ("-x", "--xy", "-xy"), without a
// value after "=".
QString as_typed(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--")) break;
    const QString option = argument.section(QLatin1Char('='), 0, 0);
    QString bare = option;
    while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
    if (option.startsWith(QLatin1Char('-')) && bare == name) return option;
  }
  return QStringLiteral("--") + name;
}

}  // namespace

CommandLineOutcome read_command_line(const QStringList& arguments) {
  // The usual start, from a menu or a desktop entry: nothing to read, and
  // the parser's code need not be loaded.
  if (arguments.size() <= 1) return {};
  QCommandLineParser parser;
  // Qt's own "-platform" is then one unknown option, not eight unknown letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  parser.addOption(help);
  parser.addOption(version);

  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
      return ending(2, {},
                    unknown_option_line(as_typed(arguments, unknown.constFirst()).toStdString()));
    }
    // Qt's sentence ends with a full stop; the line goes on after it.
    QString reason = parser.errorText();
    if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
    return ending(2, {}, bad_command_line_line(reason.toStdString()));
  }
  if (parser.isSet(help)) return ending(0, help_text(), {});
  if (parser.isSet(version)) return ending(0, version_line(), {});
  if (!parser.positionalArguments().isEmpty()) {
    return ending(2, {},
                  stray_argument_line(parser.positionalArguments().constFirst().toStdString()));
  }
  return {};
}

}  // namespace varostel::app
