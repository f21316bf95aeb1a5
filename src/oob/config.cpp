#include "oob/config.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>
#include <system_error>
#include <fstream>
#include <sstream>

#include "oob/oob_file.h"
#include "oob/text.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

std::string KeyOf(const std::string& section, const std::string& key)
{
    return Lower(section) + "\n" + Lower(key);
}

}  // namespace

namespace {

// Calls fn(line) for each line of text: lines end at CR LF, LF or a lone CR.
template <typename Fn>
void ForEachLine(const std::string& text, Fn fn)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) {
            fn(std::string_view(text).substr(at));
            return;
        }
        fn(std::string_view(text).substr(at, end - at));
        at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

std::string_view TrimView(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

IniFile IniFile::FromText(const std::string& text)
{
    IniFile ini;
    std::string section;
    bool first = true;
    ForEachLine(text, [&](std::string_view line) {
        if (first) {
            first = false;
            if (line.substr(0, 3) == "\xEF\xBB\xBF")  // a UTF-8 byte order mark
                line.remove_prefix(3);
        }
        const std::string_view t = TrimView(line);
        if (t.empty() || t[0] == ';')
            return;
        if (t[0] == '[') {
            const auto close = t.find(']');
            section = std::string(TrimView(t.substr(1, close == std::string_view::npos ? close : close - 1)))
                          .substr(0, kMaxIniText);
            return;
        }
        const auto eq = t.find('=');
        if (eq == std::string_view::npos)
            return;
        const std::string_view key = TrimView(t.substr(0, eq));
        if (key.empty() || key.size() > kMaxIniText)
            return;
        // Texts are at most kMaxIniText characters wherever they are used: a
        // longer value is cut here, before anything copies or shows it.
        ini.values_.emplace(KeyOf(section, std::string(key)),
                            std::string(TrimView(t.substr(eq + 1)).substr(0, kMaxIniText)));  // first one wins
    });
    return ini;
}

std::optional<IniFile> IniFile::FromPath(const fs::path& path)
{
    return FromPath(path, nullptr);
}

std::optional<IniFile> IniFile::FromPath(const fs::path& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = path.string() + ": " + why;
        return std::nullopt;
    };
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return fail(ec.message());
    if (fs::is_directory(status))
        return fail("it is a folder, not a file");
    if (!fs::is_regular_file(status))
        return fail("it is not a regular file (a pipe, a device or a socket)");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(std::generic_category().message(errno ? errno : EIO));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return fail(std::generic_category().message(errno ? errno : EIO));
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
