// The result sheet a user copies or prints: every input and score as the
// window shows it, the date and the rules' version, as aligned plain text
// and as an HTML table. Computed here so the window only hands it on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/clock.h"
#include "model/form.h"

namespace varostel {

struct SheetRow {
  std::string label;
  std::string value;  // exactly the text the window shows for the field
  std::string note;   // empty, or why the value is what it is
  bool key = false;   // the total and the verdict, which the HTML sets in bold
};

struct SheetSection {
  std::string title;
  std::vector<SheetRow> rows;
};

struct ResultSheet {
  std::string title;
  std::vector<SheetSection> sections;
  std::string date_line;
  std::string estimate_line;
};

inline constexpr std::string_view kSheetTitle = "积分入户试算结果";
inline constexpr std::string_view kEmployerTicked = "是";
inline constexpr std::string_view kEmployerNotTicked = "否";
inline constexpr std::string_view kPlaceholderNote = "尚未试算：请先填写或选择";

// The sheet of the form as it stands on `today`.
[[nodiscard]] ResultSheet make_result_sheet(const Form& form, Date today);

// The note on the social-insurance subtotal when the cap lowered it, else
// empty: the shown subtotal is the cap and the five fund scores plus the
// employer bonus exceed it.
[[nodiscard]] std::string insurance_cap_note(const Form& form);

// Columns a text takes in a monospaced CJK terminal or editor: 2 for a wide
// or full-width character, 0 for a combining mark or a zero-width one, 1 for
// the rest (invalid bytes count as one replacement character each).
[[nodiscard]] std::size_t display_width(std::string_view utf8);

// One item a line: the values start in one column, notes follow two spaces
// after the value. Control characters in a value become spaces, so a pasted
// line break cannot split an item.
[[nodiscard]] std::string sheet_text(const ResultSheet& sheet);

// A whole HTML document holding the sheet as a table of two columns, every
// text escaped; a note follows its value, in small type.
// With `icon_source` not empty, the title carries an image of that source
// (the printed page's program icon); the clipboard's copy has none.
[[nodiscard]] std::string sheet_html(const ResultSheet& sheet, std::string_view icon_source = {});

}  // namespace varostel
