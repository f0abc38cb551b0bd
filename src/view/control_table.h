// The main window's controls as data: one row per control, with its kind,
// container, place and size in twips, tab index, font and look. The window
// is built from this table alone. No toolkit types, so it is checked
// without one.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "version.h"

namespace varostel::ui {

// A twip is 1/1440 inch; 15 of them make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

enum class ControlKind : std::uint8_t {
  Label,
  TextBox,
  DropDown,
  Button,
  CheckBox,
  Frame,
  Picture
};

// The four settings of the Song face; Default is the window's own font.
enum class FontCode : std::uint8_t {
  Default,
  Large,           // 14.25 pt: frame captions, field captions, scores
  Medium,          // 10.5 pt: the employer check box, the contact lines
  Small,           // 7.5 pt: the version line
  SmallUnderlined  // 7.5 pt, underlined: the site link
};

// How a control's text is drawn. Plain is left-aligned in system colours.
enum class Look : std::uint8_t {
  Plain,
  RedCentred,  // score values, sex and birth date
  Red,         // contact values
  Right,       // contact captions
  Link,        // the system highlight colour
  Wrapped,     // breaks into lines within its width
};

enum class Picture : std::uint8_t { None, Banner, QrCode };

struct ControlRow {
  std::string_view name;  // also the widget's object name
  ControlKind kind;
  std::string_view container;    // empty: the window's client area
  int left, top, width, height;  // twips, from the container's outer corner
  int tab;
  FontCode font = FontCode::Default;
  Look look = Look::Plain;
  // Captions of the static controls. A control that is a field of the form
  // shows the form's text instead, so its caption here stays empty.
  std::string_view caption = {};
  Picture picture = Picture::None;
  bool enabled = true;
};

// Containers come before what they hold, and within a container a later row
// lies above an earlier one: the check box 公司申办 follows Frame2, whose top
// edge it covers as the frame's title, and ID covers the end of Label20.
// clang-format off
inline constexpr std::array<ControlRow, 70> kControlTable = {{
    // name          kind        container  left   top    width  height tab  font
    {"logo",         ControlKind::Picture,  "",        -120,  80,    5295,  1290,  30, FontCode::Default, Look::Plain, {}, Picture::Banner},
    {"Label1",       ControlKind::Label,    "",        240,   1440,  735,   300,   0,  FontCode::Large, Look::Plain, "学历"},
    {"选择学历",     ControlKind::DropDown, "",        1080,  1440,  3615,  300,   1},
    {"学历得分",     ControlKind::Label,    "",        4800,  1440,  500,   255,   2,  FontCode::Large, Look::RedCentred},
    {"个人",         ControlKind::Frame,    "",        120,   1800,  5175,  2655,  31, FontCode::Large, Look::Plain, "个人"},
    {"社保",         ControlKind::Frame,    "",        120,   4560,  5175,  2655,  3,  FontCode::Large, Look::Plain, "社保"},
    {"Frame1",       ControlKind::Frame,    "",        120,   7320,  5175,  2655,  46, FontCode::Large, Look::Plain, "试算结果"},
    {"Morvith",      ControlKind::Label,    "",        240,   10080, 855,   255,   69, FontCode::SmallUnderlined, Look::Link},
    {"ver",          ControlKind::Label,    "",        3720,  10080, 1575,  255,   49, FontCode::Small, Look::Plain, "Kelvane " VAROSTEL_VERSION},

    {"Label20",      ControlKind::Label,    "个人",    120,   360,   1700,  300,   52, FontCode::Large, Look::Plain, "身份证号码"},
    {"ID",           ControlKind::TextBox,  "个人",    1680,  360,   3255,  270,   50},
    {"Label22",      ControlKind::Label,    "个人",    120,   840,   735,   300,   54, FontCode::Large, Look::Plain, "性别"},
    {"性别",         ControlKind::Label,    "个人",    840,   840,   615,   300,   55, FontCode::Large, Look::RedCentred},
    {"Label21",      ControlKind::Label,    "个人",    1680,  840,   1215,  300,   53, FontCode::Large, Look::Plain, "出生日期"},
    {"出生日期",     ControlKind::Label,    "个人",    2880,  840,   2055,  300,   56, FontCode::Large, Look::RedCentred},
    {"Label13",      ControlKind::Label,    "个人",    120,   1320,  600,   300,   32, FontCode::Large, Look::Plain, "年龄"},
    {"年龄",         ControlKind::TextBox,  "个人",    840,   1320,  600,   270,   35, FontCode::Default, Look::Plain, {}, Picture::None, false},
    {"年龄得分",     ControlKind::Label,    "个人",    2280,  1320,  495,   300,   43, FontCode::Large, Look::RedCentred},
    {"身份证解读",   ControlKind::Button,   "个人",    2880,  1320,  2055,  255,   51},
    {"Label15",      ControlKind::Label,    "个人",    120,   1800,  600,   300,   34, FontCode::Large, Look::Plain, "住房"},
    {"房产状况",     ControlKind::DropDown, "个人",    840,   1800,  1250,  300,   37},
    {"房产得分",     ControlKind::Label,    "个人",    2280,  1800,  495,   300,   44, FontCode::Large, Look::RedCentred},
    {"Label17",      ControlKind::Label,    "个人",    2880,  1800,  1200,  300,   40, FontCode::Large, Look::Plain, "居住时长"},
    {"居住时长",     ControlKind::TextBox,  "个人",    4080,  1800,  495,   270,   41, FontCode::Default, Look::Plain, {}, Picture::None, false},
    {"Label18",      ControlKind::Label,    "个人",    4680,  1800,  300,   300,   42, FontCode::Large, Look::Plain, "日"},
    {"Label14",      ControlKind::Label,    "个人",    120,   2280,  600,   300,   33, FontCode::Large, Look::Plain, "生育"},
    {"生育状况",     ControlKind::DropDown, "个人",    840,   2280,  1250,  300,   36},
    {"生育得分",     ControlKind::Label,    "个人",    2280,  2280,  495,   300,   45, FontCode::Large, Look::RedCentred},
    {"Label16",      ControlKind::Label,    "个人",    2880,  2280,  1200,  300,   38, FontCode::Large, Look::Plain, "个人得分"},
    {"个人得分",     ControlKind::Label,    "个人",    4080,  2280,  495,   300,   39, FontCode::Large, Look::RedCentred},

    {"Label3",       ControlKind::Label,    "社保",    120,   360,   600,   300,   5,  FontCode::Large, Look::Plain, "养老"},
    {"养老月数",     ControlKind::TextBox,  "社保",    840,   360,   600,   270,   11},
    {"Label7",       ControlKind::Label,    "社保",    1560,  360,   600,   300,   14, FontCode::Large, Look::Plain, "个月"},
    {"养老得分",     ControlKind::Label,    "社保",    2280,  360,   495,   300,   21, FontCode::Large, Look::RedCentred},
    {"统一月数",     ControlKind::TextBox,  "社保",    2880,  360,   375,   270,   24},
    {"统一月",       ControlKind::Button,   "社保",    3360,  360,   1215,  255,   25},
    {"Label4",       ControlKind::Label,    "社保",    120,   840,   600,   300,   6,  FontCode::Large, Look::Plain, "医疗"},
    {"医疗月数",     ControlKind::TextBox,  "社保",    840,   840,   600,   270,   10},
    {"Label8",       ControlKind::Label,    "社保",    1560,  840,   600,   300,   15, FontCode::Large, Look::Plain, "个月"},
    {"医疗得分",     ControlKind::Label,    "社保",    2280,  840,   495,   300,   20, FontCode::Large, Look::RedCentred},
    {"统一年数",     ControlKind::TextBox,  "社保",    2880,  840,   375,   270,   26},
    {"统一年",       ControlKind::Button,   "社保",    3360,  840,   1215,  255,   27},
    {"Label2",       ControlKind::Label,    "社保",    120,   1320,  600,   300,   4,  FontCode::Large, Look::Plain, "工伤"},
    {"工伤月数",     ControlKind::TextBox,  "社保",    840,   1320,  600,   270,   9},
    {"Label9",       ControlKind::Label,    "社保",    1560,  1320,  600,   300,   16, FontCode::Large, Look::Plain, "个月"},
    {"工伤得分",     ControlKind::Label,    "社保",    2280,  1320,  495,   300,   19, FontCode::Large, Look::RedCentred},
    {"Frame2",       ControlKind::Frame,    "社保",    2880,  1320,  2055,  855,   58},
    {"公司申办",     ControlKind::CheckBox, "社保",    3120,  1320,  1215,  255,   57, FontCode::Medium},
    {"Label6",       ControlKind::Label,    "社保",    120,   1800,  600,   300,   8,  FontCode::Large, Look::Plain, "生育"},
    {"生育险月数",   ControlKind::TextBox,  "社保",    840,   1800,  600,   270,   12},
    {"Label10",      ControlKind::Label,    "社保",    1560,  1800,  600,   300,   17, FontCode::Large, Look::Plain, "个月"},
    {"生育险得分",   ControlKind::Label,    "社保",    2280,  1800,  495,   300,   22, FontCode::Large, Look::RedCentred},
    {"Label5",       ControlKind::Label,    "社保",    120,   2280,  600,   300,   7,  FontCode::Large, Look::Plain, "失业"},
    {"失业月数",     ControlKind::TextBox,  "社保",    840,   2280,  600,   270,   13},
    {"Label11",      ControlKind::Label,    "社保",    1560,  2280,  600,   300,   18, FontCode::Large, Look::Plain, "个月"},
    {"失业得分",     ControlKind::Label,    "社保",    2280,  2280,  495,   300,   23, FontCode::Large, Look::RedCentred},
    {"Label12",      ControlKind::Label,    "社保",    2880,  2280,  1200,  300,   28, FontCode::Large, Look::Plain, "社保得分"},
    {"社保得分",     ControlKind::Label,    "社保",    4080,  2280,  495,   300,   29, FontCode::Large, Look::RedCentred},

    {"Label23",      ControlKind::Label,    "Frame2",  120,   360,   1800,  420,   59, FontCode::Default, Look::Wrapped, "连续在同一家公司交满一年的五险可加10分"},

    {"Label19",      ControlKind::Label,    "Frame1",  120,   360,   1200,  300,   47, FontCode::Large, Look::Plain, "合计得分"},
    {"合计得分",     ControlKind::Label,    "Frame1",  1320,  360,   500,   300,   48, FontCode::Large, Look::RedCentred},
    {"评分结果",     ControlKind::Button,   "Frame1",  360,   840,   2100,  255,   68},
    {"重置",         ControlKind::Button,   "Frame1",  360,   1200,  2100,  255,   67},
    {"在线咨询",     ControlKind::Button,   "Frame1",  360,   1560,  2100,  375,   65},
    {"扫一扫",       ControlKind::Frame,    "Frame1",  2880,  240,   2175,  2295,  60},
    // The two contact values are placeholders, plainly not real numbers.
    {"Label27",      ControlKind::Label,    "Frame1",  120,   2040,  1200,  255,   64, FontCode::Medium, Look::Right, "TarnelQQ:"},
    {"Label28",      ControlKind::Label,    "Frame1",  1320,  2040,  1335,  255,   66, FontCode::Medium, Look::Red, "000000000"},
    {"Label24",      ControlKind::Label,    "Frame1",  120,   2280,  1200,  255,   62, FontCode::Medium, Look::Right, "Tarnel电话:"},
    {"Label25",      ControlKind::Label,    "Frame1",  1320,  2280,  1575,  255,   63, FontCode::Medium, Look::Red, "000-0000-0000"},

    {"Picture1",     ControlKind::Picture,  "扫一扫",  120,   240,   1935,  1935,  61, FontCode::Default, Look::Plain, {}, Picture::QrCode},
}};
// clang-format on

// The control of a given name, or nullptr.
[[nodiscard]] constexpr const ControlRow* find_control(std::string_view name) {
  for (const ControlRow& control : kControlTable) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

// Pixels at 96 dots per inch, rounded to the nearest pixel.
[[nodiscard]] constexpr int twips_to_pixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// The main window's client area, 359 by 685 pixels, and where it first
// appears on the screen.
inline constexpr int kWindowWidthTwips = 5385;
inline constexpr int kWindowHeightTwips = 10275;
inline constexpr int kWindowLeftTwips = 6675;
inline constexpr int kWindowTopTwips = 2100;

// The QR-code window: its client area, and where its one picture sits.
inline constexpr int kQrWindowWidthTwips = 4110;
inline constexpr int kQrWindowHeightTwips = 4095;
inline constexpr int kQrImageLeftTwips = 1080;
inline constexpr int kQrImageTopTwips = 960;
inline constexpr int kQrImageSizeTwips = 1920;

}  // namespace varostel::ui
