#include "ui/desktop_page_opener.h"

#include <QDesktopServices>
#include <QUrl>
#include <cstdio>

namespace varostel::ui {

void DesktopPageOpener::open_page(std::string_view address, WindowMode mode) {
  // The desktop's URL handler chooses the browser's window; the mode the
  // calculator asks for has no counterpart there.
  static_cast<void>(mode);
  const std::string text(address);
  const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
  if (url.isValid() && QDesktopServices::openUrl(url)) return;
  std::fprintf(stderr, "varostel: no browser could be started for %s; open it by hand\n",
               text.c_str());
  if (report_) report_(text);
}

}  // namespace varostel::ui
