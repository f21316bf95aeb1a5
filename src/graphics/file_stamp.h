// What says that a file read earlier is still the file on disk: its time and
// size. A cached copy is used only while both are unchanged.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace brackle {

struct FileStamp {
    std::filesystem::file_time_type written{};
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of file now, or nothing (with the system's reason in ec) when it is gone or cannot be looked at.
inline std::optional<FileStamp> StampOf(const std::filesystem::path& file, std::error_code& ec)
{
    FileStamp s;
    s.written = std::filesystem::last_write_time(file, ec);
    if (ec)
        return std::nullopt;
    s.size = std::filesystem::file_size(file, ec);
    if (ec)
        return std::nullopt;
    return s;
}

}  // namespace brackle
