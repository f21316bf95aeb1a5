// Text helpers shared by the pages: number filtering, clamping, trimming.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brackle {

// Keeps the digits and minus signs of text, in order; "0" when nothing is kept.
std::string DigitsOnly(std::string_view text);

// Filters text with DigitsOnly and clamps the number into low..high. Gives
// nothing when the kept characters are no integer ("-", "1-2", "--3"); a digit
// string too long for an int counts as above any high bound.
std::optional<std::string> ClampText(long low, long high, std::string_view text);

// ClampText as a number.
std::optional<long> ClampValue(long low, long high, std::string_view text);

// Removes bytes <= 0x20 at both ends.
std::string Trim(std::string_view text);

// The text with ASCII letters in lower case (for names compared ignoring case).
std::string Lower(std::string text);

// Says that a field's text is no number: The Cost field holds "1-2", which is not a number.
std::string NotANumberText(std::string_view title, std::string_view text);

// The text as a decimal number with at least three digits ("007").
std::string Pad3(int n);

// A count and its noun: "1 unit", "3 units", "0 units".
std::string Counted(int n, std::string_view noun);

// The calendar year of a year field's text ("40" -> "1940"): years are an index
// 0..120 from 1900. Empty for a text that is no plain number or out of that range.
std::string CalendarYearText(std::string_view indexText);

}  // namespace brackle
