#include "model/c_locale.h"

namespace varostel {
namespace {

// Made once and kept for the life of the process. Should the C library be
// unable to make it (out of memory), the thread's own locale stays in use.
locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

CLocaleScope::CLocaleScope()
    : previous_(c_locale() != static_cast<locale_t>(nullptr) ? uselocale(c_locale())
                                                              : static_cast<locale_t>(nullptr)) {}

CLocaleScope::~CLocaleScope() {
  if (previous_ != static_cast<locale_t>(nullptr)) uselocale(previous_);
}

}  // namespace varostel
