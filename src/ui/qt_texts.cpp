#include "ui/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace varostel::ui {

bool load_qt_chinese_texts() {
  // qtbase alone holds every text the window can show (the widgets' and the
  // print dialog's); the qt_zh_CN catalogue would open the other modules'
  // files too, for nothing. Named in full, the file is found at the first try.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace varostel::ui
