// BRVX.ini: the editor's settings and the nation and unit class names, and the
// folders the editor finds from where it was started.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "oob/records.h"

namespace brackle {

// The longest text the system keeps from BRVX.ini: a longer value (a name, a
// setting) is cut to its first kMaxIniText characters; a longer key is no key.
inline constexpr std::size_t kMaxIniText = 255;

// An INI file read as a Windows INI reader reads it: sections and keys ignore
// case, a value is the whole text after "=" with surrounding blanks removed
// (cut to kMaxIniText characters), and the first entry of a key wins. Lines
// end at CR LF, LF or a lone CR.
class IniFile {
public:
    static IniFile FromText(const std::string& text);
    // nullopt when the file cannot be read; error, when given, then gets the
    // path and the system's reason.
    static std::optional<IniFile> FromPath(const std::filesystem::path& path);
    static std::optional<IniFile> FromPath(const std::filesystem::path& path, std::string* error);

    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    std::string String(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The value as an integer; fallback when absent or not a number.
    long Integer(const std::string& section, const std::string& key, long fallback) const;

private:
    std::map<std::string, std::string> values_;  // "section\nkey", lower case
};

struct Settings {
    int TransparentColour = 240;
    bool Hints = true;
    int HintTimeMs = 3000;
    std::string ForumURL = "https://forum.brackle.example/vornex";
};

constexpr const char* kNoIniFile = "*NO INI FILE!*";

// Reads settings and name tables from the INI (a missing file: every default).
void readinifile(const IniFile* ini, Settings& settings, NameTables& names);

// The folder above the editor's own: the current directory cut before the
// last "BRACKLE" (found ignoring case, the rest kept as it is).
std::filesystem::path DeriveGameRoot(const std::filesystem::path& currentDir);

struct GameFolders {
    std::filesystem::path GameRoot;
    std::filesystem::path OOBDir;
    std::filesystem::path GraphicsDir;
    std::filesystem::path PicturesDir;
};

// The game's folders below root, each found ignoring the case of its names.
GameFolders FoldersOf(const std::filesystem::path& root);

// root/a/b/..., each part matched ignoring case where such an entry exists.
std::filesystem::path JoinIgnoringCase(const std::filesystem::path& root,
                                       std::initializer_list<const char*> parts);

}  // namespace brackle
