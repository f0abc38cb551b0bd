// Where the main window goes on the screen it opens on, and how large its
// client area may be there: pure geometry, in the toolkit's logical pixels.
#pragma once

namespace varostel {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  [[nodiscard]] constexpr int right() const { return left + width; }   // one past the last column
  [[nodiscard]] constexpr int bottom() const { return top + height; }  // one past the last row
  friend constexpr bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The window manager's frame around the client area: the title bar is top.
struct FrameMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend constexpr bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

struct WindowFit {
  // The frame's top-left corner; the frame is the client area plus the margins.
  int frame_left = 0;
  int frame_top = 0;
  // The client area: the form's size when it fits, else no larger than the
  // screen allows, the form then scrolling inside it.
  int client_width = 0;
  int client_height = 0;
  bool scrolls = false;
  friend constexpr bool operator==(const WindowFit&, const WindowFit&) = default;
};

struct FitRequest {
  int frame_left = 0;  // where the frame is put by design
  int frame_top = 0;
  int form_width = 0;  // the form's fixed client size
  int form_height = 0;
  FrameMargins margins;
  ScreenRect available;  // the screen less its panels
  // The width of a vertical scroll bar, and the height of a horizontal one.
  int scroll_bar_extent = 0;
  // False where the window system places windows itself (Wayland): the
  // position is then left alone and only the size is fitted.
  bool may_move = true;
};

// A frame that lies wholly inside the available area stays exactly as it
// is. Otherwise it moves just enough to fit (when it may), and where even
// its size does not fit, the client area shrinks to what the area holds,
// with room for the scroll bars the form then needs.
[[nodiscard]] WindowFit fit_window(const FitRequest& request);

}  // namespace varostel
