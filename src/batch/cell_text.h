// A worksheet cell's stored value as the text Excel shows: numbers in General
// format, date serials as dates, the _xHHHH_ escapes of strings undone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varostel::batch {

// A number as Excel's General format writes it out in full (as a CSV copy
// does), independent of column width:
// - rounded to 15 significant digits, trailing zeros and a bare point dropped
//   (13.200000000000001 → "13.2", 0.1+0.2 → "0.3", -0 → "0");
// - plain decimals for 1E-9 <= |value| < 1E+15, so identity-like integers of
//   up to 15 digits keep all their digits and 0.0001 stays "0.0001";
// - otherwise exponent form with a signed exponent of at least two digits:
//   110101199003071233 → "1.10101199003071E+17", 1E-10 → "1E-10".
// NaN and infinities, which a workbook cannot hold, read "#NUM!".
[[nodiscard]] std::string general_number_text(double value);

// A date serial as YYYY-MM-DD, the time of day dropped. In the 1900 system
// serial 1 is 1900-01-01 and serial 60 the 1900-02-29 that Excel counts
// (so later serials match Excel's dates); in the 1904 system serial 0 is
// 1904-01-01. Nothing for a serial outside 0001..9999-12-31 of the system
// (serial 0 of the 1900 system included), which then reads as a number.
[[nodiscard]] std::optional<std::string> date_text(double serial, bool date1904);

// Whether a number format shows a date: a built-in id of a date or time
// format (14–22 and 45–47, and 27–36 and 50–58, the built-in date formats
// of Chinese, Japanese and Korean Excel), or a custom format code with a
// d, m, y, h or s outside quotes, brackets and escapes.
[[nodiscard]] bool is_builtin_date_format(unsigned id);
[[nodiscard]] bool is_date_format_code(std::string_view code);

// Undoes the _xHHHH_ escapes Excel writes for characters XML cannot carry
// (_x000D_ is a carriage return, _x005F_ an underscore); UTF-16 surrogate
// pairs join, and anything not a well-formed escape stays as it is.
[[nodiscard]] std::string decode_escapes(std::string_view text);

// The other way, for text written to a workbook: an underscore that starts
// what would read as an escape becomes _x005F_, so "_x0041_" stays itself
// rather than reading "A".
[[nodiscard]] std::string escape_underscores(std::string_view text);

}  // namespace varostel::batch
