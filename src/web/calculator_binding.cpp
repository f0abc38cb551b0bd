// The calculator for the web page, through embind: the user's actions and
// the program writes go in, the fields' texts, flags and notes come out, and
// every change is announced so the page redraws only that control. The page
// computes nothing itself; every rule, text and filter is the core's.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <utility>

#include "calculator/calculator.h"
#include "model/clock.h"
#include "model/page_opener.h"
#include "view/result_sheet.h"
#include "web/typed_text.h"

namespace varostel::web {
namespace {

using emscripten::val;

// Hands every page opening to the page's script with the address and the
// mode by name; the script decides how a browser shows it.
class ScriptPageOpener final : public PageOpener {
 public:
  explicit ScriptPageOpener(val open) : open_(std::move(open)) {}
  void open_page(std::string_view address, WindowMode mode) override {
    open_(std::string(address), std::string(mode == WindowMode::Hidden ? "hidden" : "normal"));
  }

 private:
  val open_;
};

std::optional<FieldId> field_at(int index) {
  if (index < 0 || index >= static_cast<int>(kFieldCount)) return std::nullopt;
  return FieldId{static_cast<std::uint8_t>(index)};
}

// What the page redraws after a change: the form's three properties, then
// the note beside the field.
constexpr int kNoteChanged = 3;

class PageCalculator {
 public:
  explicit PageCalculator(val open_page)
      : opener_(std::move(open_page)), calculator_(opener_, clock_) {}

  // `changed(index, what)` after every change: 0 text, 1 value, 2 enabled
  // flag, 3 note.
  void set_observer(val changed) {
    observer_ = std::move(changed);
    calculator_.form().set_observer([this](FieldId field, FieldProperty property) {
      observer_(static_cast<int>(field.index), static_cast<int>(property));
    });
    calculator_.notes().set_observer(
        [this](FieldId field) { observer_(static_cast<int>(field.index), kNoteChanged); });
  }

  void fix_year(int year) { clock_.fix_year(year); }

  [[nodiscard]] std::string text(int index) const {
    const auto field = field_at(index);
    return field ? form().text(*field) : std::string();
  }
  [[nodiscard]] int value(int index) const {
    const auto field = field_at(index);
    return field ? form().value(*field) : 0;
  }
  [[nodiscard]] bool enabled(int index) const {
    const auto field = field_at(index);
    return field && form().enabled(*field);
  }
  [[nodiscard]] std::string note(int index) const {
    const auto field = field_at(index);
    return field ? calculator_.notes().note(*field) : std::string();
  }
  [[nodiscard]] std::string identity_hint() const { return calculator_.identity_hint(); }
  [[nodiscard]] std::string points_gap() const { return calculator_.points_gap(); }

  bool choose(int index, const std::string& item) {
    const auto field = field_at(index);
    return field && calculator_.form().choose(*field, item);
  }
  // A user's edit leaving the box with `before` and `after` either side of
  // the cursor. The form cuts what is too long from the end of what was
  // inserted; the part before the cursor that remains comes back, for the
  // cursor's new place.
  std::string edit(int index, const std::string& before, const std::string& after) {
    const auto field = field_at(index);
    if (!field) return before;
    const TextAroundCursor kept = fit_text_box(before, after);
    std::string head(kept.before_cursor);
    calculator_.form().edit(*field, head + std::string(kept.after_cursor));
    return head;
  }
  // What typing `typed` inserts, after the box's key filter.
  std::string typed(int index, const std::string& typed) {
    const auto field = field_at(index);
    return field ? typed_text(calculator_.form(), *field, typed) : std::string();
  }
  int key_press(int index, int code) {
    const auto field = field_at(index);
    return field ? calculator_.form().key_press(*field, static_cast<std::int16_t>(code)) : 0;
  }
  void click(int index) {
    if (const auto field = field_at(index)) calculator_.form().click(*field);
  }
  // The program write by the field's kind, as the scenario files make it.
  bool write(int index, const std::string& text) {
    const auto field = field_at(index);
    return field && calculator_.form().write_as_text(*field, text);
  }

  [[nodiscard]] std::string sheet_text() const {
    return varostel::sheet_text(make_result_sheet(form(), clock_.today()));
  }
  // With `icon_source` not empty, the title carries the program's icon
  // from there, as on the window's printed page.
  [[nodiscard]] std::string sheet_html(const std::string& icon_source) const {
    return varostel::sheet_html(make_result_sheet(form(), clock_.today()), icon_source);
  }

 private:
  [[nodiscard]] const Form& form() const { return calculator_.form(); }

  ScriptPageOpener opener_;
  // The browser's local date (Emscripten reads it through JavaScript's
  // Date), or a fixed year for the test hook.
  SettableClock clock_;
  Calculator calculator_;
  val observer_ = val::undefined();
};

int field_count() { return static_cast<int>(kFieldCount); }

std::string field_name(int index) {
  const auto field = field_at(index);
  return field ? std::string(field_row(*field).name) : std::string();
}

val list_items(int index) {
  val items = val::array();
  if (const auto field = field_at(index)) {
    for (const std::string_view item : field_row(*field).items) items.call<void>("push", std::string(item));
  }
  return items;
}

}  // namespace
}  // namespace varostel::web

EMSCRIPTEN_BINDINGS(varostel_calculator) {
  using varostel::web::PageCalculator;
  emscripten::class_<PageCalculator>("Calculator")
      .constructor<emscripten::val>()
      .function("setObserver", &PageCalculator::set_observer)
      .function("fixYear", &PageCalculator::fix_year)
      .function("text", &PageCalculator::text)
      .function("value", &PageCalculator::value)
      .function("enabled", &PageCalculator::enabled)
      .function("note", &PageCalculator::note)
      .function("identityHint", &PageCalculator::identity_hint)
      .function("pointsGap", &PageCalculator::points_gap)
      .function("choose", &PageCalculator::choose)
      .function("edit", &PageCalculator::edit)
      .function("typed", &PageCalculator::typed)
      .function("keyPress", &PageCalculator::key_press)
      .function("click", &PageCalculator::click)
      .function("write", &PageCalculator::write)
      .function("sheetText", &PageCalculator::sheet_text)
      .function("sheetHtml", &PageCalculator::sheet_html);
  emscripten::function("fieldCount", &varostel::web::field_count);
  emscripten::function("fieldName", &varostel::web::field_name);
  emscripten::function("listItems", &varostel::web::list_items);
}
