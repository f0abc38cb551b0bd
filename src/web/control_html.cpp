#include "web/control_html.h"

#include <algorithm>
#include <optional>

#include "calculator/key_filters.h"
#include "model/fields.h"
#include "view/accessibility_table.h"
#include "view/html_text.h"

namespace varostel::web {
namespace {

using ui::ControlKind;
using ui::ControlRow;

// Class names the page's style sheet knows, by font and by look.
std::string_view font_class(ui::FontCode font) {
  switch (font) {
    case ui::FontCode::Default:
      return "f-default";
    case ui::FontCode::Large:
      return "f-large";
    case ui::FontCode::Medium:
      return "f-medium";
    case ui::FontCode::Small:
      return "f-small";
    case ui::FontCode::SmallUnderlined:
      return "f-small f-underlined";
  }
  return {};
}

std::string_view look_class(ui::Look look) {
  switch (look) {
    case ui::Look::Plain:
      return {};
    case ui::Look::RedCentred:
      return " red centred";
    case ui::Look::Red:
      return " red";
    case ui::Look::Right:
      return " right";
    case ui::Look::Link:
      return " link";
    case ui::Look::Wrapped:
      return " wrapped";
  }
  return {};
}

std::string_view kind_class(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "label";
    case ControlKind::TextBox:
      return "box";
    case ControlKind::DropDown:
      return "list";
    case ControlKind::Button:
      return "button";
    case ControlKind::CheckBox:
      return "check";
    case ControlKind::Frame:
      return "frame";
    case ControlKind::Picture:
      return "picture";
  }
  return {};
}

bool takes_focus(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::DropDown ||
         kind == ControlKind::Button || kind == ControlKind::CheckBox;
}

// Number boxes bring up a keypad with digits; the identity number's box
// does not, since it takes the letter X too.
bool digits_only(FieldId box) {
  return std::any_of(kFilteredBoxes.begin(), kFilteredBoxes.end(),
                     [box](const FilteredBox& row) {
                       return row.box == box && row.filter == KeyFilter::Digits;
                     });
}

class Writer {
 public:
  Writer(const Form& form, const FieldNotes& notes) : form_(form), notes_(notes) {
    // The focus starts on the first control in tab order that can take it.
    int first = -1;
    for (const ControlRow& row : ui::kControlTable) {
      if (!takes_focus(row.kind) || !enabled(row)) continue;
      if (first < 0 || row.tab < first) {
        first = row.tab;
        first_focus_ = row.name;
      }
    }
  }

  void container(std::string_view name) {
    for (const ControlRow& row : ui::kControlTable) {
      if (row.container == name) control(row);
    }
  }

  [[nodiscard]] std::string take() { return std::move(out_); }

 private:
  [[nodiscard]] bool enabled(const ControlRow& row) const {
    const std::optional<FieldId> field = find_field(row.name);
    return field ? form_.enabled(*field) : row.enabled;
  }

  void attribute(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += escape_html(value);
    out_ += '"';
  }

  void geometry(const ControlRow& row) {
    out_ += " style=\"left:" + std::to_string(ui::twips_to_pixels(row.left)) +
            "px;top:" + std::to_string(ui::twips_to_pixels(row.top)) +
            "px;width:" + std::to_string(ui::twips_to_pixels(row.width)) +
            "px;height:" + std::to_string(ui::twips_to_pixels(row.height)) + "px\"";
  }

  void classes(const ControlRow& row, std::string_view extra = {}) {
    std::string names(kind_class(row.kind));
    names += ' ';
    names += font_class(row.font);
    names += look_class(row.look);
    names += extra;
    attribute("class", names);
  }

  // The control's element id, tab stop, accessible name and note.
  void common(const ControlRow& row, std::optional<FieldId> field, bool focusable) {
    attribute("id", row.name);
    if (focusable) attribute("tabindex", std::to_string(row.tab + 1));
    if (row.name == first_focus_) out_ += " autofocus";
    if (!field) return;
    if (const ui::CaptionPair* pair = ui::caption_pair_of(row.name); pair && pair->names_it) {
      attribute("aria-labelledby", pair->label);
    } else if (const std::string_view name = ui::spoken_name(*field);
               !name.empty() && row.kind != ControlKind::Picture) {
      attribute("aria-label", name);
    }
    if (ui::is_keyboard_link(*field)) attribute("role", "link");
    const std::string& note = notes_.note(*field);
    if (!note.empty()) {
      attribute("aria-description", note);
      if (*field != kVerdict) attribute("title", note);
    }
  }

  void control(const ControlRow& row) {
    const std::optional<FieldId> field = find_field(row.name);
    const std::string text = field ? form_.text(*field) : std::string(row.caption);
    const bool on = enabled(row);
    const bool link = field && ui::is_keyboard_link(*field);
    switch (row.kind) {
      case ControlKind::Label:
        out_ += "<div";
        classes(row);
        geometry(row);
        common(row, field, link);
        if (!on) attribute("aria-disabled", "true");
        out_ += '>' + escape_html(text) + "</div>\n";
        break;
      case ControlKind::TextBox: {
        const bool noted = field && !notes_.note(*field).empty();
        out_ += "<input type=\"text\"";
        classes(row, noted ? " has-note" : "");
        geometry(row);
        common(row, field, true);
        attribute("value", text);
        // A first, cheap cut in UTF-16 units, as in the window: the form's
        // own cut in characters follows every edit.
        attribute("maxlength", std::to_string(2 * kTextBoxMaxLength));
        out_ += " autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\"";
        if (field && digits_only(*field)) attribute("inputmode", "decimal");
        if (!on) out_ += " disabled";
        out_ += ">\n";
        break;
      }
      case ControlKind::DropDown:
        out_ += "<select";
        classes(row);
        geometry(row);
        common(row, field, true);
        if (!on) out_ += " disabled";
        out_ += '>';
        if (field) {
          for (const std::string_view item : field_row(*field).items) {
            out_ += item == text ? "<option selected>" : "<option>";
            out_ += escape_html(item) + "</option>";
          }
        }
        out_ += "</select>\n";
        break;
      case ControlKind::Button:
        out_ += "<button type=\"button\"";
        classes(row);
        geometry(row);
        common(row, field, true);
        if (!on) out_ += " disabled";
        out_ += '>' + escape_html(text) + "</button>\n";
        break;
      case ControlKind::CheckBox:
        // The box and its caption in one placed span; the caption is a label
        // of the box, so a click on it ticks the box.
        out_ += "<span";
        classes(row);
        geometry(row);
        out_ += "><input type=\"checkbox\"";
        common(row, field, true);
        if (field && form_.value(*field) == 1) out_ += " checked";
        if (!on) out_ += " disabled";
        out_ += "><label";
        attribute("for", row.name);
        out_ += '>' + escape_html(text) + "</label></span>\n";
        break;
      case ControlKind::Frame:
        out_ += "<div";
        classes(row);
        geometry(row);
        common(row, field, false);
        out_ += "><div class=\"edge\"></div>";
        if (!text.empty()) out_ += "<span class=\"caption\">" + escape_html(text) + "</span>";
        out_ += '\n';
        container(row.name);
        out_ += "</div>\n";
        break;
      case ControlKind::Picture:
        if (row.picture == ui::Picture::QrCode) {
          // Drawn from its modules in the page's own tree: sharp at any
          // zoom, and, unlike a drawing in an image, it costs the browser no
          // document of its own before the first frame. It says nothing a
          // listener could use, so it is hidden from them.
          out_ += "<svg";
          classes(row);
          geometry(row);
          common(row, field, link);
          out_ += " aria-hidden=\"true\" shape-rendering=\"crispEdges\">{{drawing:" +
                  std::string(picture_name(row.picture)) + "}}</svg>\n";
          break;
        }
        out_ += "<picture>{{sources:" + std::string(picture_name(row.picture)) + "}}<img";
        classes(row);
        geometry(row);
        common(row, field, link);
        attribute("alt", ui::picture_words(row.picture));
        out_ += " draggable=\"false\" decoding=\"async\" {{picture:" +
                std::string(picture_name(row.picture)) + "}}></picture>\n";
        break;
    }
  }

  const Form& form_;
  const FieldNotes& notes_;
  std::string_view first_focus_;
  std::string out_;
};

}  // namespace

std::string_view picture_name(ui::Picture picture) {
  switch (picture) {
    case ui::Picture::Banner:
      return "banner";
    case ui::Picture::QrCode:
      return "qr-code";
    case ui::Picture::None:
      break;
  }
  return {};
}

std::string controls_html(const Form& form, const FieldNotes& notes) {
  Writer writer(form, notes);
  writer.container({});
  return "<form class=\"calculator\" autocomplete=\"off\" style=\"width:" +
         std::to_string(ui::twips_to_pixels(ui::kWindowWidthTwips)) +
         "px;height:" + std::to_string(ui::twips_to_pixels(ui::kWindowHeightTwips)) + "px\">\n" +
         writer.take() + "</form>\n";
}

}  // namespace varostel::web
