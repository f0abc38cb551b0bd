#include "view/screen_fit.h"

#include <algorithm>

namespace varostel {
namespace {

bool inside(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

// The nearest start of a span of `length` that lies in [low, high), or
// `low` when it cannot: the top-left corner (title bar, close box) must
// stay on the screen before anything else.
int clamp_start(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

WindowFit fit_window(const FitRequest& r) {
  const FrameMargins& m = r.margins;
  const ScreenRect design{r.frame_left, r.frame_top, r.form_width + m.left + m.right,
                          r.form_height + m.top + m.bottom};
  if (inside(design, r.available))
    return {r.frame_left, r.frame_top, r.form_width, r.form_height, false};

  const int room_width = std::max(1, r.available.width - m.left - m.right);
  const int room_height = std::max(1, r.available.height - m.top - m.bottom);
  // A scroll bar in one direction narrows the room in the other, which may
  // then need its own bar: two rounds settle it.
  bool horizontal = r.form_width > room_width;
  bool vertical = r.form_height > room_height;
  for (int round = 0; round < 2; ++round) {
    horizontal = r.form_width + (vertical ? r.scroll_bar_extent : 0) > room_width;
    vertical = r.form_height + (horizontal ? r.scroll_bar_extent : 0) > room_height;
  }
  WindowFit fit{r.frame_left, r.frame_top, r.form_width, r.form_height, horizontal || vertical};
  if (fit.scrolls) {
    fit.client_width = std::min(room_width, r.form_width + (vertical ? r.scroll_bar_extent : 0));
    fit.client_height =
        std::min(room_height, r.form_height + (horizontal ? r.scroll_bar_extent : 0));
  }
  if (r.may_move) {
    fit.frame_left = clamp_start(r.frame_left, fit.client_width + m.left + m.right,
                                 r.available.left, r.available.right());
    fit.frame_top = clamp_start(r.frame_top, fit.client_height + m.top + m.bottom, r.available.top,
                                r.available.bottom());
  }
  return fit;
}

}  // namespace varostel
