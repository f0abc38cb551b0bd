// The C locale for reading and writing numbers, whatever locale the process
// runs in: Qt sets LC_NUMERIC from the user's, and under de_DE.UTF-8 the C
// library's strtod would read "1,5" and printf would write a comma.
#pragma once

#include <locale.h>

namespace varostel {

// Makes the calling thread use the C locale until the end of the scope, then
// gives it back the locale it had.
class CLocaleScope {
 public:
  CLocaleScope();
  ~CLocaleScope();
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

}  // namespace varostel
