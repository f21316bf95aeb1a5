#include "oob/config.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "oob/oob_file.h"
#include "oob/text.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

std::string TrimBlanks(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r' || s[b] == '\n'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n'))
        --e;
    return s.substr(b, e - b);
}

std::string KeyOf(const std::string& section, const std::string& key)
{
    return Lower(section) + "\n" + Lower(key);
}

}  // namespace

namespace {

// Texts the system uses are at most this long; a longer value is cut on reading,
// so a runaway value in the file can never reach a list or a caption whole.
constexpr std::size_t kMaxIniText = 255;

// The lines of text, ended by LF, CRLF or a lone CR (as a file saved by any
// editor on any platform ends them), without their ends.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

IniFile IniFile::FromText(const std::string& text)
{
    IniFile ini;
    std::string_view body = text;
    if (body.substr(0, 3) == "\xEF\xBB\xBF")  // a UTF-8 byte order mark
        body.remove_prefix(3);
    std::string section;
    for (const std::string_view line : Lines(body)) {
        const std::string t = TrimBlanks(std::string(line));
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            const auto close = t.find(']');
            section = TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            continue;
        }
        const auto eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = TrimBlanks(t.substr(0, eq));
        if (key.empty())
            continue;
        const std::string value = TrimBlanks(TrimBlanks(t.substr(eq + 1)).substr(0, kMaxIniText));
        ini.values_.emplace(KeyOf(section, key), value);  // first one wins
    }
    return ini;
}

std::optional<IniFile> IniFile::FromPath(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return FromText(text.str());
}

std::optional<std::string> IniFile::Value(const std::string& section, const std::string& key) const
{
    const auto it = values_.find(KeyOf(section, key));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::string IniFile::String(const std::string& section, const std::string& key,
                            const std::string& fallback) const
{
    return Value(section, key).value_or(fallback);
}

long IniFile::Integer(const std::string& section, const std::string& key, long fallback) const
{
    const auto v = Value(section, key);
    if (!v || v->empty())
        return fallback;
    std::size_t i = 0;
    bool negative = false;
    if ((*v)[0] == '-' || (*v)[0] == '+') {
        negative = (*v)[0] == '-';
        i = 1;
    }
    if (i == v->size())
        return fallback;
    long n = 0;
    for (; i < v->size(); ++i) {
        const char c = (*v)[i];
        if (c < '0' || c > '9')
            return fallback;
        if (n < 100000000L)
            n = n * 10 + (c - '0');
    }
    return negative ? -n : n;
}

void readinifile(const IniFile* ini, Settings& settings, NameTables& names)
{
    static const IniFile kEmpty;
    const IniFile& f = ini ? *ini : kEmpty;
    settings.TransparentColour =
        static_cast<int>(std::clamp(f.Integer("Brackle", "TransparentColour", 240), 0L, 255L));
    settings.Hints = f.Integer("Brackle", "Hints", 1) == 1;
    if (settings.Hints) {
        const long delay = std::clamp(f.Integer("Brackle", "HintDelay", 1), 0L, 1000L);
        settings.HintTimeMs = static_cast<int>(delay * 500);
    }
    settings.ForumURL = f.String("Brackle", "ForumURL", settings.ForumURL);
    for (int n = 1; n <= kNations; ++n)
        names.NationNames[static_cast<std::size_t>(n)] =
            f.String("NationNames", "obat" + std::to_string(n), kNoIniFile);
    for (int n = 0; n < kUnitClasses; ++n)
        names.UnitClassNames[static_cast<std::size_t>(n)] =
            f.String("UnitClassNames", "UnitClass" + std::to_string(n), kNoIniFile);
}

fs::path DeriveGameRoot(const fs::path& currentDir)
{
    const std::string text = currentDir.string();
    const std::string lower = Lower(text);
    // The last occurrence: the game may itself sit below a folder whose name
    // holds the word (a checkout of the editor's sources, say).
    const auto at = lower.rfind("brackle");
    if (at == std::string::npos)
        return currentDir;
    std::string root = text.substr(0, at);
    // Drop the separator before the editor's folder name.
    if (!root.empty() && (root.back() == '/' || root.back() == '\\'))
        root.pop_back();
    if (root.empty())
        root = text.substr(0, at);  // "/brackle" keeps its root "/"
    return fs::path(root);
}

fs::path JoinIgnoringCase(const fs::path& root, std::initializer_list<const char*> parts)
{
    fs::path p = root;
    for (const char* part : parts) {
        const auto found = FindFileIgnoringCase(p, part);
        p = found ? *found : p / part;
    }
    return p;
}

GameFolders FoldersOf(const fs::path& root)
{
    GameFolders g;
    g.GameRoot = root;
    g.OOBDir = JoinIgnoringCase(root, {"game data", "oobs"});
    g.GraphicsDir = JoinIgnoringCase(root, {"game data", "graphics"});
    g.PicturesDir = JoinIgnoringCase(root, {"game data", "pictures"});
    return g;
}

}  // namespace brackle
