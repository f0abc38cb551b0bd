#include "model/page_opener.h"

#ifndef VAROSTEL_CONSULTATION_HOST
#error "the build sets VAROSTEL_CONSULTATION_HOST"
#endif
#ifndef VAROSTEL_SITE_HOST
#error "the build sets VAROSTEL_SITE_HOST"
#endif

namespace varostel {

std::string page_address(Page page) {
  switch (page) {
    case Page::Consultation:
      return std::string("http://") + VAROSTEL_CONSULTATION_HOST + "/leyu.html";
    case Page::Calculator:
      return std::string("http://") + VAROSTEL_SITE_HOST + "/jsq/index.html";
  }
  return {};
}

}  // namespace varostel
