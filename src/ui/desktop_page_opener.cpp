#include "ui/desktop_page_opener.h"

#include <QDesktopServices>
#include <QUrl>
#include <iostream>

namespace varostel::ui {

void DesktopPageOpener::open_page(std::string_view address, WindowMode mode) {
  // The desktop's URL handler chooses the browser's window; the mode the
  // calculator asks for has no counterpart there.
  static_cast<void>(mode);
  const std::string text(address);
  const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
  if (url.isValid() && QDesktopServices::openUrl(url)) return;
  std::cerr << "varostel: no browser could be started for " << text << "; open it by hand\n";
  if (report_) report_(text);
}

}  // namespace varostel::ui
