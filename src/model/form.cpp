#include "model/form.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "model/key_filter.h"
#include "model/utf8.h"

namespace varostel {
namespace {

// C0 controls, DEL and the C1 controls: typed, they insert nothing, as in
// the window's text boxes.
bool is_control_character(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

TextAroundCursor fit_text_box(std::string_view before_cursor, std::string_view after_cursor) {
  const std::size_t after_length = utf8::length(after_cursor);
  // Only when the text after the cursor is too long by itself (never after
  // an insertion) is it cut too.
  if (after_length >= kTextBoxMaxLength) {
    return {{}, utf8::first_characters(after_cursor, kTextBoxMaxLength)};
  }
  return {utf8::first_characters(before_cursor, kTextBoxMaxLength - after_length), after_cursor};
}

Form::Form() {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    fields_[i].text = std::string(kFieldTable[i].start_text);
    fields_[i].enabled = kFieldTable[i].start_enabled;
  }
}

void Form::write(FieldId id, std::string_view text) {
  const FieldKind k = kind(id);
  if (k != FieldKind::Label && k != FieldKind::TextBox && k != FieldKind::Button) return;
  store_text(id, text);
  if (raises_change(k)) raise(id, Event::Change);
}

bool Form::select(FieldId list, std::string_view item) {
  if (kind(list) != FieldKind::DropDown || !is_item_of(field_row(list).items, item)) return false;
  store_text(list, item);
  raise(list, Event::Click);
  return true;
}

void Form::write_value(FieldId box, int value) {
  if (kind(box) != FieldKind::CheckBox || fields_[box.index].value == value) return;
  fields_[box.index].value = value;
  notify(box, FieldProperty::Value);
  raise(box, Event::Click);
}

void Form::set_enabled(FieldId id, bool enabled) {
  if (fields_[id.index].enabled == enabled) return;
  fields_[id.index].enabled = enabled;
  notify(id, FieldProperty::Enabled);
}

bool Form::write_as_text(FieldId id, std::string_view text) {
  switch (kind(id)) {
    case FieldKind::Label:
    case FieldKind::TextBox:
    case FieldKind::Button:
      write(id, text);
      return true;
    case FieldKind::DropDown:
      return select(id, text);
    case FieldKind::CheckBox:
      if (text != "0" && text != "1") return false;
      write_value(id, text == "1" ? 1 : 0);
      return true;
    case FieldKind::Picture:
      return false;
  }
  return false;
}

bool Form::type(FieldId box, char32_t character) {
  if (kind(box) != FieldKind::TextBox || !enabled(box)) return false;
  const std::int16_t code = key_press(box, key_code(character));
  if (code == 0) return false;

  std::string text = fields_[box.index].text;
  const bool full = utf8::length(text) >= kTextBoxMaxLength;
  if (code == kBackspaceCode) {
    if (text.empty()) return false;
    utf8::pop_back(text);
  } else {
    // A handler may replace the character by another one.
    const char32_t typed = code == key_code(character)
                               ? character
                               : static_cast<char32_t>(static_cast<std::uint16_t>(code));
    if (is_control_character(typed) || full) return false;
    utf8::append(text, typed);
  }
  store_text(box, text);
  raise(box, Event::Change);
  return true;
}

bool Form::edit(FieldId box, std::string_view text) {
  if (kind(box) != FieldKind::TextBox || !enabled(box)) return false;
  const std::string_view kept = fit_text_box(text).before_cursor;
  if (fields_[box.index].text == kept) return false;
  store_text(box, kept);
  raise(box, Event::Change);
  return true;
}

std::int16_t Form::key_press(FieldId box, std::int16_t code) {
  if (const auto& handler = handlers_[box.index].key_press) handler(code);
  return code;
}

bool Form::choose(FieldId list, std::string_view item) {
  if (!enabled(list)) return false;
  return select(list, item);
}

void Form::click(FieldId id) {
  if (!enabled(id)) return;
  switch (kind(id)) {
    case FieldKind::CheckBox:
      write_value(id, value(id) == 1 ? 0 : 1);
      break;
    case FieldKind::Button:
    case FieldKind::Label:
    case FieldKind::Picture:
      raise(id, Event::Click);
      break;
    case FieldKind::TextBox:
    case FieldKind::DropDown:
      break;
  }
}

void Form::on(FieldId id, Event event, Handler handler) {
  auto& slot = event == Event::Change ? handlers_[id.index].change : handlers_[id.index].click;
  // Two units claiming one event is a wiring mistake: replacing would drop a
  // rule without a trace, so the program stops where it was made.
  if (slot) {
    std::fprintf(stderr, "varostel: a second handler for field %u's %s event; use append()\n",
                 static_cast<unsigned>(id.index), event == Event::Change ? "change" : "click");
    std::abort();
  }
  slot = std::move(handler);
}

void Form::append(FieldId id, Event event, Handler step) {
  auto& slot = event == Event::Change ? handlers_[id.index].change : handlers_[id.index].click;
  if (!slot) {
    slot = std::move(step);
    return;
  }
  slot = [first = std::move(slot), then = std::move(step)] {
    first();
    then();
  };
}

void Form::on_key_press(FieldId box, KeyPressHandler handler) {
  handlers_[box.index].key_press = std::move(handler);
}

void Form::store_text(FieldId id, std::string_view text) {
  fields_[id.index].text = kind(id) == FieldKind::TextBox ? fit_text_box(text).before_cursor : text;
  notify(id, FieldProperty::Text);
}

void Form::raise(FieldId id, Event event) {
  // Handlers may re-enter the form, but never replace handlers while running,
  // so calling through the stored function is safe.
  const auto& handler =
      event == Event::Change ? handlers_[id.index].change : handlers_[id.index].click;
  if (handler) handler();
}

void Form::notify(FieldId id, FieldProperty property) {
  if (observer_) observer_(id, property);
}

}  // namespace varostel
