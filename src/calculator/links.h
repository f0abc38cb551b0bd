// The three links out of the program: the banner and the site label open
// the calculator page hidden, the consultation button opens the
// consultation page in a normal window. One page opening per click.
#pragma once

#include <array>

#include "model/field_table.h"
#include "model/form.h"
#include "model/page_opener.h"

namespace varostel {

struct Link {
  FieldId field;
  Page page;
  WindowMode mode;
};

inline constexpr std::array<Link, 3> kLinks = {{
    {field_id("logo"), Page::Calculator, WindowMode::Hidden},
    {field_id("Morvith"), Page::Calculator, WindowMode::Hidden},
    {field_id("在线咨询"), Page::Consultation, WindowMode::Normal},
}};

// Installs the Click handlers of the three links.
void install_links(Form& form, PageOpener& opener);

}  // namespace varostel
