// The calculator's whole state: the fields of the main window, and the
// events their writes raise. A write made by the program raises the same
// event as an edit by the user, and the handler runs, nested, before the
// write returns.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/field.h"
#include "model/field_table.h"

namespace varostel {

// The most characters (Unicode code points) a text box holds. Anything
// longer is cut, as a text box's maximum length cuts a paste: a long paste
// then costs no more than a short one, in the form and in the window.
inline constexpr std::size_t kTextBoxMaxLength = 1000;

// A text box's text split at the cursor.
struct TextAroundCursor {
  std::string_view before_cursor;
  std::string_view after_cursor;
};

// What a text box keeps of a text split at the cursor, just after an
// insertion that ended at the cursor: whatever is too much goes from just
// before the cursor, that is from the end of what was inserted, and never
// part of a character. A whole text is all before the cursor, so it is cut
// at its end.
[[nodiscard]] TextAroundCursor fit_text_box(std::string_view before_cursor,
                                            std::string_view after_cursor = {});

// What changed in a field, for whoever shows the form (the window).
enum class FieldProperty : std::uint8_t { Text, Value, Enabled };

class Form {
 public:
  using Handler = std::function<void()>;
  // Receives the typed character's code; setting it to 0 discards it.
  using KeyPressHandler = std::function<void(std::int16_t&)>;
  using Observer = std::function<void(FieldId, FieldProperty)>;

  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  [[nodiscard]] FieldKind kind(FieldId id) const { return field_row(id).kind; }
  // Caption, text or displayed text, by kind; empty for a picture.
  [[nodiscard]] const std::string& text(FieldId id) const { return fields_[id.index].text; }
  // Check box value: 1 ticked, anything else not ticked.
  [[nodiscard]] int value(FieldId id) const { return fields_[id.index].value; }
  [[nodiscard]] bool enabled(FieldId id) const { return fields_[id.index].enabled; }

  // --- Writes made by the program ---

  // Writes a label's or a button's caption or a text box's text (cut by
  // fit_text_box). A label or text box then raises Change, even when the
  // text is the same; a button raises nothing. Ignored for other kinds.
  void write(FieldId id, std::string_view text);
  // Selects the item with exactly this text and raises Click. Returns false,
  // changing nothing, when the list has no such item.
  [[nodiscard]] bool select(FieldId list, std::string_view item);
  // Sets a check box's value; raises Click only when the value changes.
  void write_value(FieldId box, int value);
  void set_enabled(FieldId id, bool enabled);
  // The program write by the field's kind, from text: write() for labels,
  // text boxes and buttons, select() for lists, "0" or "1" for the check
  // box. Returns false, changing nothing, when the text does not fit.
  [[nodiscard]] bool write_as_text(FieldId id, std::string_view text);

  // --- Edits made by the user ---

  // One typed character, at the end of an enabled text box, after its
  // KeyPress handler; Backspace (8) removes the last character. Control
  // characters other than Backspace insert nothing, and neither does any
  // character in a full box. Returns whether the text changed.
  bool type(FieldId box, char32_t character);
  // A user's edit that leaves an enabled text box holding `text`: a paste,
  // a cut, an undo, or a character the window has already put through
  // key_press(). No key filter here; the text is cut by fit_text_box, then
  // one Change when it differs. Returns whether the text changed.
  bool edit(FieldId box, std::string_view text);
  // Runs the box's KeyPress handler on a typed character's code and returns
  // the code to insert; 0 means the character is discarded.
  [[nodiscard]] std::int16_t key_press(FieldId box, std::int16_t code);
  // Picks an item of an enabled list; false when it is not one of its items.
  [[nodiscard]] bool choose(FieldId list, std::string_view item);
  // A click: raises Click of an enabled button, label or picture; toggles
  // the check box. Clicks on text boxes and lists do nothing.
  void click(FieldId id);

  // --- Wiring ---

  // Sets the event's handler. There is one per event: a second call for the
  // same event stops the program with a message instead of replacing it.
  void on(FieldId id, Event event, Handler handler);
  // Adds `step` to the end of the event's handler, so a unit can follow up
  // on a rule another unit installed; alone when there is none yet.
  void append(FieldId id, Event event, Handler step);
  void on_key_press(FieldId box, KeyPressHandler handler);
  // Called after every change of a text, value or enabled flag, before the
  // event that the change raises.
  void set_observer(Observer observer) { observer_ = std::move(observer); }

 private:
  struct State {
    std::string text;
    int value = 0;
    bool enabled = true;
  };
  struct Handlers {
    Handler change;
    Handler click;
    KeyPressHandler key_press;
  };

  // Keeps what the field holds of `text`: for a text box, what fits.
  void store_text(FieldId id, std::string_view text);
  void raise(FieldId id, Event event);
  void notify(FieldId id, FieldProperty property);

  std::array<State, kFieldCount> fields_;
  std::array<Handlers, kFieldCount> handlers_;
  Observer observer_;
};

}  // namespace varostel
