// The main window's placement: unchanged where it fits, moved just enough
// where only its place does not, and scrolling where its size does not.
#include "view/screen_fit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace varostel {

void PrintTo(const WindowFit& fit, std::ostream* out) {
  *out << "frame at " << fit.frame_left << "," << fit.frame_top << ", client " << fit.client_width
       << "x" << fit.client_height << (fit.scrolls ? ", scrolls" : "");
}

namespace {

// The form's size and design position; openbox's frame (a 1 px border and
// a 22 px title bar, so 359 x 685 becomes 361 x 708 from 445,140).
constexpr int kWidth = 359;
constexpr int kHeight = 685;
constexpr FrameMargins kFrame{1, 22, 1, 1};
constexpr int kBar = 16;

struct Row {
  std::string name;
  ScreenRect available;
  WindowFit expected;
  int left = 445;
  int top = 140;
  FrameMargins margins = kFrame;
  bool may_move = true;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class FitWindow : public testing::TestWithParam<Row> {};

TEST_P(FitWindow, PlacesAndSizesTheFrame) {
  const Row& row = GetParam();
  const FitRequest request{row.left,    row.top,       kWidth, kHeight,
                           row.margins, row.available, kBar,   row.may_move};
  EXPECT_EQ(fit_window(request), row.expected);
}

const std::vector<Row> kRows = {
    // The frame is 361 x 708 at 445,140: it ends before column 806, row 848.
    // The desktop matrix shows it at its design place on 1920 x 1080, moved
    // up on 1366 x 768 and scrolling at scale 2; here the edges between.
    {"frame_touching_every_edge_unchanged",
     {445, 140, 361, 708},
     {445, 140, kWidth, kHeight, false}},
    {"one_column_short_moves_left_by_one", {0, 0, 805, 848}, {444, 140, kWidth, kHeight, false}},
    {"one_row_short_moves_up_by_one", {0, 0, 806, 847}, {445, 139, kWidth, kHeight, false}},
    {"panel_above_design_top_moves_down", {0, 141, 1920, 939}, {445, 141, kWidth, kHeight, false}},
    {"exact_frame_height_moves_to_top", {0, 0, 1024, 708}, {445, 0, kWidth, kHeight, false}},
    // A screen exactly the frame's size: room for the form, none for a bar.
    {"screen_exactly_the_frame_moves_to_its_corner", {0, 0, 361, 708}, {0, 0, kWidth, kHeight, false}},
    // One row less than the frame: the client shrinks and scrolls, with a
    // vertical bar beside the form.
    {"one_row_less_than_frame_scrolls", {0, 0, 1024, 707}, {445, 0, kWidth + kBar, 684, true}},
    // Too narrow as well: both bars, each the whole room.
    {"too_narrow_and_too_low_scrolls_both_ways", {0, 0, 300, 400}, {0, 0, 298, 377, true}},
    // The 690 rows of room hold the form but not it and a horizontal bar,
    // which the short width needs: a vertical bar too.
    {"horizontal_bar_needs_vertical_bar", {0, 0, 300, 713}, {0, 0, 298, 690, true}},
    // Just wide enough for the form, but not for it and a vertical bar.
    {"vertical_bar_needs_horizontal_bar", {0, 0, kWidth + 2, 600}, {0, 0, kWidth, 577, true}},
    {"bar_fits_beside_form", {0, 0, kWidth + 2 + kBar, 600}, {0, 0, kWidth + kBar, 577, true}},
    // A second screen left of the first.
    {"screen_at_negative_coordinates", {-1366, 0, 1366, 768}, {-361, 60, kWidth, kHeight, false}},
    // A window system that places windows itself: the size alone is fitted.
    {"wayland_keeps_position_when_scrolling",
     {0, 0, 960, 540},
     {445, 140, kWidth + kBar, 517, true},
     445,
     140,
     kFrame,
     false},
    // No frame known yet (before the window manager frames the window).
    {"no_frame_exact_fit", {0, 0, 804, 825}, {445, 140, kWidth, kHeight, false}, 445, 140, {}},
    // A screen too small for even a pixel of room keeps one.
    {"degenerate_screen_keeps_one_pixel", {0, 0, 10, 10}, {0, 0, 8, 1, true}},
};

INSTANTIATE_TEST_SUITE_P(Screens, FitWindow, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
}  // namespace varostel
