// The main window's controls as data: one row per control, with its kind,
// container, place and size in twips, tab index, font and look. The window
// is built from this table alone. No toolkit types, so it is checked
// without one.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

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
  L,           // 14.25 pt
  M,           // 10.5 pt
  S,           // 7.5 pt
  SUnderlined  // 7.5 pt, underlined
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

struct ControlSpec {
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

using K = ControlKind;
using F = FontCode;

// Containers come before what they hold, and within a container a later row
// lies above an earlier one: the check box 公司申办 follows Frame2, whose top
// edge it covers as the frame's title, and ID covers the end of Label20.
// clang-format off
inline constexpr std::array<ControlSpec, 70> kControlTable = {{
    // name          kind        container  left   top    width  height tab  font
    {"logo",         K::Picture,  "",        -120,  80,    5295,  1290,  30, F::Default, Look::Plain, {}, Picture::Banner},
    {"Label1",       K::Label,    "",        240,   1440,  735,   300,   0,  F::L, Look::Plain, "学历"},
    {"选择学历",     K::DropDown, "",        1080,  1440,  3615,  300,   1},
    {"学历得分",     K::Label,    "",        4800,  1440,  500,   255,   2,  F::L, Look::RedCentred},
    {"个人",         K::Frame,    "",        120,   1800,  5175,  2655,  31, F::L, Look::Plain, "个人"},
    {"社保",         K::Frame,    "",        120,   4560,  5175,  2655,  3,  F::L, Look::Plain, "社保"},
    {"Frame1",       K::Frame,    "",        120,   7320,  5175,  2655,  46, F::L, Look::Plain, "试算结果"},
    {"Morvith",      K::Label,    "",        240,   10080, 855,   255,   69, F::SUnderlined, Look::Link},
    {"ver",          K::Label,    "",        3720,  10080, 1575,  255,   49, F::S, Look::Plain, "Kelvane 0.1.5"},

    {"Label20",      K::Label,    "个人",    120,   360,   1700,  300,   52, F::L, Look::Plain, "身份证号码"},
    {"ID",           K::TextBox,  "个人",    1680,  360,   3255,  270,   50},
    {"Label22",      K::Label,    "个人",    120,   840,   735,   300,   54, F::L, Look::Plain, "性别"},
    {"性别",         K::Label,    "个人",    840,   840,   615,   300,   55, F::L, Look::RedCentred},
    {"Label21",      K::Label,    "个人",    1680,  840,   1215,  300,   53, F::L, Look::Plain, "出生日期"},
    {"出生日期",     K::Label,    "个人",    2880,  840,   2055,  300,   56, F::L, Look::RedCentred},
    {"Label13",      K::Label,    "个人",    120,   1320,  600,   300,   32, F::L, Look::Plain, "年龄"},
    {"年龄",         K::TextBox,  "个人",    840,   1320,  600,   270,   35, F::Default, Look::Plain, {}, Picture::None, false},
    {"年龄得分",     K::Label,    "个人",    2280,  1320,  495,   300,   43, F::L, Look::RedCentred},
    {"身份证解读",   K::Button,   "个人",    2880,  1320,  2055,  255,   51},
    {"Label15",      K::Label,    "个人",    120,   1800,  600,   300,   34, F::L, Look::Plain, "住房"},
    {"房产状况",     K::DropDown, "个人",    840,   1800,  1250,  300,   37},
    {"房产得分",     K::Label,    "个人",    2280,  1800,  495,   300,   44, F::L, Look::RedCentred},
    {"Label17",      K::Label,    "个人",    2880,  1800,  1200,  300,   40, F::L, Look::Plain, "居住时长"},
    {"居住时长",     K::TextBox,  "个人",    4080,  1800,  495,   270,   41, F::Default, Look::Plain, {}, Picture::None, false},
    {"Label18",      K::Label,    "个人",    4680,  1800,  300,   300,   42, F::L, Look::Plain, "日"},
    {"Label14",      K::Label,    "个人",    120,   2280,  600,   300,   33, F::L, Look::Plain, "生育"},
    {"生育状况",     K::DropDown, "个人",    840,   2280,  1250,  300,   36},
    {"生育得分",     K::Label,    "个人",    2280,  2280,  495,   300,   45, F::L, Look::RedCentred},
    {"Label16",      K::Label,    "个人",    2880,  2280,  1200,  300,   38, F::L, Look::Plain, "个人得分"},
    {"个人得分",     K::Label,    "个人",    4080,  2280,  495,   300,   39, F::L, Look::RedCentred},

    {"Label3",       K::Label,    "社保",    120,   360,   600,   300,   5,  F::L, Look::Plain, "养老"},
    {"养老月数",     K::TextBox,  "社保",    840,   360,   600,   270,   11},
    {"Label7",       K::Label,    "社保",    1560,  360,   600,   300,   14, F::L, Look::Plain, "个月"},
    {"养老得分",     K::Label,    "社保",    2280,  360,   495,   300,   21, F::L, Look::RedCentred},
    {"统一月数",     K::TextBox,  "社保",    2880,  360,   375,   270,   24},
    {"统一月",       K::Button,   "社保",    3360,  360,   1215,  255,   25},
    {"Label4",       K::Label,    "社保",    120,   840,   600,   300,   6,  F::L, Look::Plain, "医疗"},
    {"医疗月数",     K::TextBox,  "社保",    840,   840,   600,   270,   10},
    {"Label8",       K::Label,    "社保",    1560,  840,   600,   300,   15, F::L, Look::Plain, "个月"},
    {"医疗得分",     K::Label,    "社保",    2280,  840,   495,   300,   20, F::L, Look::RedCentred},
    {"统一年数",     K::TextBox,  "社保",    2880,  840,   375,   270,   26},
    {"统一年",       K::Button,   "社保",    3360,  840,   1215,  255,   27},
    {"Label2",       K::Label,    "社保",    120,   1320,  600,   300,   4,  F::L, Look::Plain, "工伤"},
    {"工伤月数",     K::TextBox,  "社保",    840,   1320,  600,   270,   9},
    {"Label9",       K::Label,    "社保",    1560,  1320,  600,   300,   16, F::L, Look::Plain, "个月"},
    {"工伤得分",     K::Label,    "社保",    2280,  1320,  495,   300,   19, F::L, Look::RedCentred},
    {"Frame2",       K::Frame,    "社保",    2880,  1320,  2055,  855,   58},
    {"公司申办",     K::CheckBox, "社保",    3120,  1320,  1215,  255,   57, F::M},
    {"Label6",       K::Label,    "社保",    120,   1800,  600,   300,   8,  F::L, Look::Plain, "生育"},
    {"生育险月数",   K::TextBox,  "社保",    840,   1800,  600,   270,   12},
    {"Label10",      K::Label,    "社保",    1560,  1800,  600,   300,   17, F::L, Look::Plain, "个月"},
    {"生育险得分",   K::Label,    "社保",    2280,  1800,  495,   300,   22, F::L, Look::RedCentred},
    {"Label5",       K::Label,    "社保",    120,   2280,  600,   300,   7,  F::L, Look::Plain, "失业"},
    {"失业月数",     K::TextBox,  "社保",    840,   2280,  600,   270,   13},
    {"Label11",      K::Label,    "社保",    1560,  2280,  600,   300,   18, F::L, Look::Plain, "个月"},
    {"失业得分",     K::Label,    "社保",    2280,  2280,  495,   300,   23, F::L, Look::RedCentred},
    {"Label12",      K::Label,    "社保",    2880,  2280,  1200,  300,   28, F::L, Look::Plain, "社保得分"},
    {"社保得分",     K::Label,    "社保",    4080,  2280,  495,   300,   29, F::L, Look::RedCentred},

    {"Label23",      K::Label,    "Frame2",  120,   360,   1800,  420,   59, F::Default, Look::Wrapped, "连续在同一家公司交满一年的五险可加10分"},

    {"Label19",      K::Label,    "Frame1",  120,   360,   1200,  300,   47, F::L, Look::Plain, "合计得分"},
    {"合计得分",     K::Label,    "Frame1",  1320,  360,   500,   300,   48, F::L, Look::RedCentred},
    {"评分结果",     K::Button,   "Frame1",  360,   840,   2100,  255,   68},
    {"重置",         K::Button,   "Frame1",  360,   1200,  2100,  255,   67},
    {"在线咨询",     K::Button,   "Frame1",  360,   1560,  2100,  375,   65},
    {"扫一扫",       K::Frame,    "Frame1",  2880,  240,   2175,  2295,  60},
    // The two contact values are placeholders, plainly not real numbers.
    {"Label27",      K::Label,    "Frame1",  120,   2040,  1200,  255,   64, F::M, Look::Right, "TarnelQQ:"},
    {"Label28",      K::Label,    "Frame1",  1320,  2040,  1335,  255,   66, F::M, Look::Red, "000000000"},
    {"Label24",      K::Label,    "Frame1",  120,   2280,  1200,  255,   62, F::M, Look::Right, "Tarnel电话:"},
    {"Label25",      K::Label,    "Frame1",  1320,  2280,  1575,  255,   63, F::M, Look::Red, "000-0000-0000"},

    {"Picture1",     K::Picture,  "扫一扫",  120,   240,   1935,  1935,  61, F::Default, Look::Plain, {}, Picture::QrCode},
}};
// clang-format on

// The control of a given name, or nullptr.
[[nodiscard]] constexpr const ControlSpec* find_control(std::string_view name) {
  for (const ControlSpec& control : kControlTable) {
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
