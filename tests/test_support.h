// Small helpers shared by the tests.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brackle::test {

// A fresh folder under the system's temporary folder, removed when it goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
void WriteText(const std::filesystem::path& path, const std::string& text);
std::string ReadText(const std::filesystem::path& path);

// Runs fn in a child process and gives what it returned. With unprivileged,
// a child of root first becomes user and group nobody (65534), so permission
// checks mean something. With smallDisk, the child mounts a 64 KiB tmpfs on
// that folder in a mount namespace of its own first. The child is killed
// after ten seconds. nullopt, with why set, when the child could not be set up.
struct ChildSetup {
    bool unprivileged = false;
    std::optional<std::filesystem::path> smallDisk;
};
std::optional<std::string> RunInChild(const ChildSetup& setup, const std::function<std::string()>& fn,
                                      std::string& why);

}  // namespace brackle::test
