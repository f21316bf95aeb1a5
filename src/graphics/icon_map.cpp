#include "graphics/icon_map.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace brackle {
namespace {

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
        s.remove_suffix(1);
    return s;
}

bool ParseInt(std::string_view s, long low, long high, long* out)
{
    s = TrimBlanks(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty() || v < low || v > high)
        return false;
    *out = v;
    return true;
}

// A line as the message shows it: printable ASCII only, cut to a sensible length.
std::string Shown(std::string_view line)
{
    std::string out;
    for (char c : line.substr(0, 60))
        out += (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) ? c : '?';
    if (line.size() > 60)
        out += "...";
    return out;
}

// Every entry written out with long image numbers stays far below this.
constexpr std::uintmax_t kMaxIconMapFileBytes = 4 * 1024 * 1024;

}  // namespace

IconImages BuiltInIconImages(int icon)
{
    if (icon <= 0 || icon > kMaxIcon)
        return {};
    return {static_cast<std::int16_t>(2 * icon), static_cast<std::int16_t>(2 * icon + 1)};
}

IconMap::IconMap() : entries_(kIconMapSize)
{
    for (int i = 0; i < kIconMapSize; ++i)
        entries_[static_cast<std::size_t>(i)] = BuiltInIconImages(i);
}

IconImages IconMap::At(int icon) const
{
    return entries_[static_cast<std::size_t>(std::clamp(icon, 0, kMaxIcon))];
}

std::vector<std::string> IconMap::ApplyOverrides(std::string_view csv)
{
    std::vector<std::string> messages;
    int lineNumber = 0;
    while (!csv.empty()) {
        std::size_t end = csv.find('\n');
        std::string_view line = csv.substr(0, end);
        csv = end == std::string_view::npos ? std::string_view{} : csv.substr(end + 1);
        ++lineNumber;
        std::string_view text = TrimBlanks(line);
        if (text.empty() || text.front() == '#')
            continue;
        std::string_view fields[3];
        int count = 0;
        std::string_view rest = text;
        for (;;) {
            std::size_t comma = rest.find(',');
            if (count < 3)
                fields[count] = rest.substr(0, comma);
            ++count;
            if (comma == std::string_view::npos)
                break;
            rest = rest.substr(comma + 1);
        }
        long icon = 0, hull = 0, turret = 0;
        bool ok = count == 3 && ParseInt(fields[0], 0, kMaxIcon, &icon) && ParseInt(fields[1], -32768, 32767, &hull) &&
                  ParseInt(fields[2], -32768, 32767, &turret);
        if (!ok) {
            // A first line naming the columns is no fault.
            if (lineNumber == 1 && count == 3 && TrimBlanks(fields[0]).find_first_of("0123456789") == std::string_view::npos)
                continue;
            messages.push_back("line " + std::to_string(lineNumber) + ": \"" + Shown(text) +
                               "\" is not icon,hull,turret (icon 0.." + std::to_string(kMaxIcon) +
                               ", images -32768..32767); skipped");
            continue;
        }
        entries_[static_cast<std::size_t>(icon)] = {static_cast<std::int16_t>(hull), static_cast<std::int16_t>(turret)};
    }
    return messages;
}

std::vector<std::string> ApplyIconMapFile(IconMap& map, const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return {};
    if (std::filesystem::file_size(file, ec) > kMaxIconMapFileBytes)
        return {file.string() + ": larger than any icon map (" + std::to_string(kMaxIconMapFileBytes) + " bytes); not used"};
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {file.string() + ": could not be read"};
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return {file.string() + ": could not be read"};
    std::vector<std::string> messages = map.ApplyOverrides(text.str());
    for (std::string& m : messages)
        m = file.filename().string() + " " + m;
    return messages;
}

std::string IconMapWarningText(const std::vector<std::string>& messages, std::size_t listed)
{
    if (messages.empty())
        return {};
    std::string text = std::string(kIconMapFileName) + " could not be used in full (the built-in entries stay):";
    for (std::size_t i = 0; i < messages.size() && i < listed; ++i)
        text += "\r\n" + messages[i];
    if (messages.size() > listed)
        text += "\r\n... and " + std::to_string(messages.size() - listed) + " more";
    return text;
}

}  // namespace brackle
