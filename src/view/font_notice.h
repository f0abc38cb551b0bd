// What the program says when no installed font can draw its captions: they
// are all Chinese, and without a CJK face each shows as a row of boxes.
#pragma once

#include <string_view>

namespace varostel {

// One line for standard error, naming the Debian package of the free Song
// face the window is drawn for. The window still opens.
inline constexpr std::string_view kNoCjkFaceLine =
    "varostel: no installed font has Chinese characters, so the window's captions show as "
    "empty boxes; install the package fonts-arphic-uming (sudo apt install fonts-arphic-uming)\n";

}  // namespace varostel
