#include "calculator/links.h"

namespace varostel {

void install_links(Form& form, PageOpener& opener) {
  for (const Link& link : kLinks) {
    form.on(link.field, Event::Click,
            [&opener, &link] { opener.open_page(page_address(link.page), link.mode); });
  }
}

}  // namespace varostel
