// The vocabulary of the form model: what kinds of field exist, which events
// they raise, and the small handle by which rules name a field.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varostel {

enum class FieldKind : std::uint8_t {
  Label,     // caption; Change when written, Click
  TextBox,   // text and enabled flag; Change, KeyPress
  DropDown,  // fixed items, displayed text; Click when an item is selected
  CheckBox,  // value 1 ticked, anything else not ticked; Click when it changes
  Button,    // caption; Click
  Picture,   // an image; Click
};

enum class Event : std::uint8_t { Change, Click };

// Index of a field in the field table. Obtained at compile time from the
// field's name with field_id(), so a misspelt name does not compile.
struct FieldId {
  std::uint8_t index;
  friend constexpr bool operator==(FieldId, FieldId) = default;
};

[[nodiscard]] constexpr bool raises_change(FieldKind kind) {
  return kind == FieldKind::Label || kind == FieldKind::TextBox;
}

}  // namespace varostel
