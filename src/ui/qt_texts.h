// Qt's own texts (the text boxes' edit menu, the print dialog, the buttons of
// its dialogs) in Simplified Chinese, as the form is, whatever the locale.
#pragma once

namespace varostel::ui {

// Loads Qt's Simplified Chinese translation of its own texts into the
// running application. False when the translation is not installed (Debian
// package qt6-translations-l10n): Qt's texts then stay in English.
[[nodiscard]] bool load_qt_chinese_texts();

}  // namespace varostel::ui
