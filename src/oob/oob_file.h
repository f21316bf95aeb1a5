// The OOB file: byte layout, reader and writer, and the clean-up passes that
// run on the way in and out.
#pragma once

#include <chrono>
#include <filesystem>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "oob/records.h"

namespace brackle {

// "obat" + the number in three digits + ".obf".
std::string OOBFileName(int n);

// The entry of dir whose name equals name ignoring case (the exact name first).
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& dir,
                                                          const std::string& name);

// Whether file n exists in dir, under any case of its name.
bool OOBExists(const std::filesystem::path& dir, int n);

struct LoadResult {
    int code = 0;         // 0 success, 1 failure
    std::string caption;  // message box caption on failure
    std::string text;     // message box text on failure
    std::string reason;   // the path and the system's reason, for logs and the command line
    std::filesystem::path path;
    // Set on a successful load of a file longer than the buffer: what a save will drop.
    std::string warning;
};

struct SaveResult {
    bool ok = true;
    std::filesystem::path path;  // the file written (or that could not be written)
    std::string reason;          // the system's reason on failure
    // On failure: whether the new content had started to be written (false when
    // nothing could be created at all: a folder in the way, a read-only file, ...).
    bool created = false;
    // On success, what the user should know although the file was written: the
    // owner that could not be kept, a short file saved whole. Empty otherwise.
    std::string warning;
};

// Reads file n of dir into the tables and empties the undo history. On failure
// nothing changes: not the tables, not the buffer, not LoadedSize, not the history.
LoadResult LoadOOB(Oob& oob, const std::filesystem::path& dir, int n);
// The same for a file of any name.
LoadResult LoadOOBFromPath(Oob& oob, const std::filesystem::path& path);
// Loads the bytes of a file as LoadOOBFromPath does once it has read them: the
// first kBufferSize bytes become the buffer (the rest of it zero) and LoadedSize.
void LoadOOBFromBytes(Oob& oob, std::span<const std::uint8_t> bytes);

// Writes the tables to dir/OOBFileName(n) (an existing file of that name in
// another case is the one overwritten).
SaveResult SaveOOB(Oob& oob, int n, const std::filesystem::path& dir);
// Writes the tables to dir/name, name cut to its first 12 characters.
SaveResult SaveOOBAs(Oob& oob, const std::string& name, const std::filesystem::path& dir);
// Writes the tables to exactly this path.
SaveResult SaveOOBToPath(Oob& oob, const std::filesystem::path& path);

void CleanUnits(Oob& oob);
void CleanFormations(Oob& oob);

// The two halves of load and save, over OOBBuffer alone.
void ReadTablesFromBuffer(Oob& oob);
void WriteTablesToBuffer(Oob& oob);

// Writes bytes to path through a temporary file in the same folder, flushed to
// disk and renamed over the target, so a failure never leaves a half-written
// file behind. A symbolic link is followed and the file it names is replaced;
// the replaced file's permission bits (and owner and group, where allowed) are
// kept. Refused, with nothing written: an empty name, a read-only file, anything
// that is not a regular file, and a file with more than one hard link (replacing
// it would split the links).
// A save that succeeds also removes the temporary files earlier saves left in
// the folder when they were killed before their rename (see RemoveStaleTemporaries).
SaveResult WriteFileAtomically(const std::filesystem::path& path, const void* data, std::size_t size);

// Temporary files of a save older than this were left by a save that died.
inline constexpr std::chrono::hours kStaleTemporaryAge{1};
// Removes from dir the regular files named as a save names its temporary file
// (".brk", six of a-z and 0-9, ".tmp") that were last written longer ago than
// kStaleTemporaryAge. Anything else, and any error, is left alone.
void RemoveStaleTemporaries(const std::filesystem::path& dir);

}  // namespace brackle
