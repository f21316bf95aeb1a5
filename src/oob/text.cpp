#include "oob/text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace brackle {

std::string DigitsOnly(std::string_view text)
{
    std::string kept;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-')
            kept.push_back(c);
    }
    return kept.empty() ? std::string("0") : kept;
}

std::optional<long> ClampValue(long low, long high, std::string_view text)
{
    const std::string kept = DigitsOnly(text);
    bool negative = false;
    std::size_t i = 0;
    if (kept[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == kept.size())
        return std::nullopt;  // a lone minus sign
    // Accumulate with saturation: an overlong digit string is simply huge.
    constexpr long kHuge = 1L << 40;
    long v = 0;
    for (; i < kept.size(); ++i) {
        const char c = kept[i];
        if (c < '0' || c > '9')
            return std::nullopt;  // a minus sign after the first character
        if (v < kHuge)
            v = v * 10 + (c - '0');
    }
    if (negative)
        v = -v;
    if (v > high)
        return high;
    if (v < low)
        return low;
    return v;
}

std::optional<std::string> ClampText(long low, long high, std::string_view text)
{
    const auto v = ClampValue(low, high, text);
    if (!v)
        return std::nullopt;
    return std::to_string(*v);
}

std::string Trim(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20)
        --e;
    return std::string(text.substr(b, e - b));
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string NotANumberText(std::string_view title, std::string_view text)
{
    std::string m = "The ";
    m += title;
    m += " field holds \"";
    m += text;
    m += "\", which is not a number.";
    return m;
}

std::string Pad3(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.3d", n);
    return buf;
}

std::string Counted(int n, std::string_view noun)
{
    return std::to_string(n) + " " + std::string(noun) + (n == 1 ? "" : "s");
}

std::string CalendarYearText(std::string_view indexText)
{
    const std::string t = Trim(indexText);
    if (t.empty() || t.size() > 3 || t.find_first_not_of("0123456789") != std::string::npos)
        return {};
    const int index = std::stoi(t);
    return index <= 120 ? std::to_string(1900 + index) : std::string();
}

}  // namespace brackle
