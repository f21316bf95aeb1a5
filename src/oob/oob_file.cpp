#include "oob/oob_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <chrono>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "oob/changes.h"
#include "oob/file_calls.h"
#include "oob/oob_layout.h"
#include "oob/text.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

// Reads the name at offset up to its first NUL byte, at most width bytes.
std::string ReadName(const std::vector<std::uint8_t>& buf, std::size_t offset, std::size_t width)
{
    std::string name;
    for (std::size_t i = 0; i < width; ++i) {
        const auto c = buf[offset + i];
        if (c == 0)
            break;
        name.push_back(static_cast<char>(c));
    }
    return name;
}

void WriteName(std::vector<std::uint8_t>& buf, std::size_t offset, std::size_t width,
               const std::string& name)
{
    for (std::size_t i = 0; i < width; ++i)
        buf[offset + i] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
}

std::uint16_t ReadWord(const std::vector<std::uint8_t>& buf, std::size_t at)
{
    return static_cast<std::uint16_t>(buf[at] + 256 * buf[at + 1]);
}

void WriteWord(std::vector<std::uint8_t>& buf, std::size_t at, std::uint16_t v)
{
    buf[at] = static_cast<std::uint8_t>(v & 0xFF);
    buf[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Year indexes are written as 1..120, months as 1..12; a zero month becomes zeroMonth.
std::uint8_t ClampYear(std::uint8_t v) { return v > 120 ? 120 : (v == 0 ? 1 : v); }
std::uint8_t ClampMonth(std::uint8_t v, std::uint8_t zeroMonth)
{
    return v > 12 ? 12 : (v == 0 ? zeroMonth : v);
}

// Reads every number field of slot s's record from the buffer (names are read apart).
template <typename Record>
void ReadFields(const std::vector<std::uint8_t>& buf, Record& r, std::size_t s,
                std::span<const LayoutField<Record>> fields)
{
    for (const LayoutField<Record>& f : fields) {
        const std::size_t at = f.At(s);
        switch (f.How) {
        case Stored::Name:
            break;
        case Stored::SignedByte:
            f.Set(r, static_cast<std::int8_t>(buf[at]));
            break;
        case Stored::Word:
            f.Set(r, ReadWord(buf, at));
            break;
        case Stored::Byte:
        case Stored::Year:
        case Stored::Month:
        case Stored::MonthUntil:
            f.Set(r, buf[at]);
            break;
        }
    }
}

// Writes every number field of slot s's record, years and months clamped.
template <typename Record>
void WriteFields(std::vector<std::uint8_t>& buf, const Record& r, std::size_t s,
                 std::span<const LayoutField<Record>> fields)
{
    for (const LayoutField<Record>& f : fields) {
        const std::size_t at = f.At(s);
        switch (f.How) {
        case Stored::Name:
            break;
        case Stored::Byte:
        case Stored::SignedByte:
            buf[at] = static_cast<std::uint8_t>(f.Get(r));
            break;
        case Stored::Word:
            WriteWord(buf, at, static_cast<std::uint16_t>(f.Get(r)));
            break;
        case Stored::Year:
            buf[at] = ClampYear(static_cast<std::uint8_t>(f.Get(r)));
            break;
        case Stored::Month:
            buf[at] = ClampMonth(static_cast<std::uint8_t>(f.Get(r)), 1);
            break;
        case Stored::MonthUntil:
            // An open-ended formation runs to the end of its last year.
            buf[at] = ClampMonth(static_cast<std::uint8_t>(f.Get(r)), 12);
            break;
        }
    }
}

bool IsSizelessClass(std::uint8_t c)
{
    return c == 10 || c == 31 || c == 155 || c == 156 || c == 210 || c == 211;
}

std::string SystemReason(int err)
{
    return std::generic_category().message(err);
}

const char* const kNotRegular = "it is not a regular file (a pipe, a device or a socket)";

std::string HardLinkReason(const fs::path& file, std::uintmax_t links)
{
    return file.string() + " has " + std::to_string(links) +
           " hard links; saving would split it from the others, so nothing was written "
           "(save under another name, or remove the other links first)";
}

// Six characters for a temporary name, different on every call.
std::string TempTag()
{
    static std::mt19937_64 rng([] {
        std::random_device rd;
        return (static_cast<std::uint64_t>(rd()) << 32) ^ rd() ^
               static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }());
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string tag;
    for (int i = 0; i < 6; ++i)
        tag.push_back(kChars[rng() % 36]);
    return tag;
}

#ifndef _WIN32
// Gives the new file (open as fd) the owner and group of the file it replaces
// (st). Root may keep both, a member of the group the group; what could not be
// kept is said in the text given back (empty when both were kept).
std::string KeepOwner(int fd, const struct stat& st, const fs::path& target)
{
    if (SaveCalls().Fchown(fd, st.st_uid, st.st_gid) == 0)
        return "";
    const int ownerErr = errno;
    const bool groupKept = SaveCalls().Fchown(fd, static_cast<uid_t>(-1), st.st_gid) == 0;
    return "The owner " + std::string(groupKept ? "" : "and group ") + "of " + target.string() +
           " could not be kept (" + SystemReason(ownerErr) + "): the saved file belongs to the user who saved it.";
}
#endif

// Whether name is one of the temporary names a save gives: ".brk", six of
// a-z and 0-9, ".tmp".
bool IsOurTemporaryName(const std::string& name)
{
    if (name.size() != 14 || name.compare(0, 4, ".brk") != 0 || name.compare(10, 4, ".tmp") != 0)
        return false;
    return std::all_of(name.begin() + 4, name.begin() + 10,
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& dir)
{
    std::error_code ec;
    const auto cutoff = fs::file_time_type::clock::now() - kStaleTemporaryAge;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code one;
        if (!IsOurTemporaryName(it->path().filename().string()) || !it->is_regular_file(one) ||
            it->is_symlink(one))
            continue;
        const auto written = fs::last_write_time(it->path(), one);
        if (!one && written < cutoff)
            fs::remove(it->path(), one);
    }
}

std::string OOBFileName(int n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "obat%.3d.obf", n);
    return buf;
}

std::optional<fs::path> FindFileIgnoringCase(const fs::path& dir, const std::string& name)
{
    std::error_code ec;
    const fs::path exact = dir / name;
    if (fs::exists(exact, ec))
        return exact;
    const std::string wanted = Lower(name);
    fs::directory_iterator it(dir, ec);
    if (ec)
        return std::nullopt;
    for (const auto& entry : it) {
        if (Lower(entry.path().filename().string()) == wanted)
            return entry.path();
    }
    return std::nullopt;
}

bool OOBExists(const fs::path& dir, int n)
{
    if (n < 1 || n > 999)
        return false;
    const auto found = FindFileIgnoringCase(dir, OOBFileName(n));
    std::error_code ec;
    return found && fs::is_regular_file(*found, ec);
}

void CleanUnits(Oob& oob)
{
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& r = oob.UnitTable[static_cast<std::size_t>(u)];
        r.Name = Trim(r.Name);
        if (r.Name.empty() && r.Nation == oob.CurrentOOB && r.Class == 0) {
            r.Nation = 0;
            r.YrAvail = 0;
            r.YrUnavail = 0;
            r.MonthAvail = 0;
            r.MonthUnAvail = 0;
        }
    }
}

void CleanFormations(Oob& oob)
{
    for (int f = 1; f <= kFormationSlots; ++f) {
        FormationRecord& r = oob.FormationTable[static_cast<std::size_t>(f)];
        r.Name = Trim(r.Name);
        if (r.Name.empty() && r.Nation == oob.CurrentOOB) {
            r.Nation = 0;
            r.YrAvail = 0;
            r.YrUntil = 0;
            r.MonthAvail = 0;
            r.MonthUntil = 0;
        }
    }
}

void ReadTablesFromBuffer(Oob& oob)
{
    const auto& buf = oob.OOBBuffer;
    for (std::size_t s = 1; s <= kUnitSlots; ++s) {
        UnitRecord& r = oob.UnitTable[s];
        r.Name = Trim(ReadName(buf, kUnitNameOffset + s * kNameLength, kNameLength));
        ReadFields(buf, r, s, UnitLayout());
    }
    CleanUnits(oob);

    oob.OOBInfo = ReadName(buf, kInfoOffset, kInfoLength);
    for (std::size_t s = 1; s <= kWeaponSlots; ++s) {
        WeaponRecord& r = oob.WeaponTable[s];
        r.Name = ReadName(buf, kWeaponNameOffset + s * kNameLength, kNameLength);
        ReadFields(buf, r, s, WeaponLayout());
    }

    for (std::size_t s = 1; s <= kFormationSlots; ++s) {
        FormationRecord& r = oob.FormationTable[s];
        r.Name = ReadName(buf, kFormationNameOffset + s * kNameLength, kNameLength);
        ReadFields(buf, r, s, FormationLayout());
    }
    CleanFormations(oob);
}

void WriteTablesToBuffer(Oob& oob)
{
    CleanUnits(oob);
    CleanFormations(oob);
    auto& buf = oob.OOBBuffer;

    std::string info = oob.OOBInfo.substr(0, std::min(oob.OOBInfo.size(), kInfoLength));
    WriteName(buf, kInfoOffset, kInfoLength, info);
    for (std::size_t s = 1; s <= kWeaponSlots; ++s) {
        WeaponRecord& r = oob.WeaponTable[s];
        r.Name = Trim(r.Name);
        WriteName(buf, kWeaponNameOffset + s * kNameLength, kNameLength, r.Name);
        WriteFields(buf, r, s, WeaponLayout());
    }

    for (std::size_t s = 1; s <= kUnitSlots; ++s) {
        UnitRecord& r = oob.UnitTable[s];
        r.Name = Trim(r.Name);
        WriteName(buf, kUnitNameOffset + s * kNameLength, kNameLength, r.Name);
        // Crew, boats and minelet batteries have no size.
        if (IsSizelessClass(r.Class))
            r.Size = 0;
        WriteFields(buf, r, s, UnitLayout());
    }

    for (std::size_t s = 1; s <= kFormationSlots; ++s) {
        FormationRecord& r = oob.FormationTable[s];
        r.Name = Trim(r.Name);
        WriteName(buf, kFormationNameOffset + s * kNameLength, kNameLength, r.Name);
        WriteFields(buf, r, s, FormationLayout());
    }
}

namespace {

// Makes fresh (kBufferSize bytes, of which the first got came from the file) the
// loaded file and reads the tables from it.
void TakeLoadedBuffer(Oob& oob, std::vector<std::uint8_t>& fresh, std::size_t got)
{
    oob.OOBBuffer.swap(fresh);
    oob.LoadedSize = got;
    ReadTablesFromBuffer(oob);
    oob.FileLoaded = true;
    // The steps of the file before cannot apply to this one.
    oob.History.Clear();
    MarkSaved(oob);
}

}  // namespace

void LoadOOBFromBytes(Oob& oob, std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> fresh(kBufferSize, 0);
    const std::size_t got = std::min(bytes.size(), kBufferSize);
    std::copy_n(bytes.begin(), got, fresh.begin());
    TakeLoadedBuffer(oob, fresh, got);
}

LoadResult LoadOOBFromPath(Oob& oob, const fs::path& path)
{
    LoadResult result;
    result.path = path;
    const std::string name = path.filename().string();
    // A file that is not there is "Unable to find"; one that is there but
    // cannot be read says why.
    auto fail = [&](const std::string& why, bool missing = false) {
        result.code = 1;
        result.caption = "File Load Error";
        result.text = missing ? ("Unable to find " + name).substr(0, 27)
                              : "Unable to read " + path.string() + "\r\n\r\n" + why;
        result.reason = path.string() + ": " + why;
        return result;
    };

    // Read into a fresh zeroed buffer, so a short file never shows the previous
    // file's bytes as its own, and a failed read changes nothing.
    std::vector<std::uint8_t> fresh(kBufferSize, 0);
    std::size_t got = 0;
    std::uintmax_t fileSize = 0;
#ifdef _WIN32
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return fail(ec.message(), ec == std::errc::no_such_file_or_directory);
    if (fs::is_directory(status))
        return fail("it is a folder, not a file");
    if (!fs::is_regular_file(status))
        return fail(kNotRegular);
    errno = 0;
    std::FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return fail(SystemReason(errno ? errno : EIO));
    got = std::fread(fresh.data(), 1, kBufferSize, f);
    const bool readError = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (readError)
        return fail(SystemReason(err ? err : EIO));
    fileSize = fs::file_size(path, ec);
    if (ec)
        fileSize = got;
#else
    // Anything but a regular file (a pipe, a device) is refused before it is
    // opened: opening a pipe with no writer would wait forever.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        return fail(SystemReason(err), err == ENOENT);
    }
    if (S_ISDIR(st.st_mode))
        return fail("it is a folder, not a file");
    if (!S_ISREG(st.st_mode))
        return fail(kNotRegular);
    // Non-blocking in case something else was put there since the look.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(SystemReason(errno));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(kNotRegular);
    }
    fileSize = static_cast<std::uintmax_t>(st.st_size);
    while (got < kBufferSize) {
        const ssize_t n = ::read(fd, fresh.data() + got, kBufferSize - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return fail(SystemReason(err));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
#endif

    TakeLoadedBuffer(oob, fresh, got);
    if (got < LayoutEnd())
        result.warning = path.string() + " is only " + std::to_string(got) +
                         " bytes long, shorter than an OOB file (its last field ends at byte " +
                         std::to_string(LayoutEnd()) +
                         "): the records past its end read as empty. A save keeps this length unless "
                         "something past the end changes; then the whole file of " +
                         std::to_string(kBufferSize) + " bytes is written.";
    else if (fileSize > kBufferSize)
        result.warning = "Only the first " + std::to_string(kBufferSize) + " bytes of " + path.string() +
                         " are an OOB file; saving it will drop the other " + std::to_string(fileSize - kBufferSize) +
                         " bytes.";
    return result;
}

LoadResult LoadOOB(Oob& oob, const fs::path& dir, int n)
{
    const std::string name = OOBFileName(n);
    const auto found = FindFileIgnoringCase(dir, name);
    return LoadOOBFromPath(oob, found ? *found : dir / name);
}

SaveResult WriteFileAtomically(const fs::path& path, const void* data, std::size_t size)
{
    SaveResult result;
    result.path = path;
    auto fail = [&](const std::string& why) {
        result.ok = false;
        result.reason = why;
        return result;
    };
    if (path.empty() || !path.has_filename() || path.filename() == "." || path.filename() == "..")
        return fail("no file name given to save to");

#ifdef _WIN32
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        target = fs::weakly_canonical(path, ec);
        if (ec)
            return fail(ec.message());
    }
    const fs::file_status status = fs::status(target, ec);
    const bool exists = !ec && fs::exists(status);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return fail(ec.message());
    if (exists) {
        if (fs::is_directory(status))
            return fail("a folder of that name is in the way");
        if (!fs::is_regular_file(status))
            return fail(kNotRegular);
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
            return fail(target.string() + " is read-only");
        const auto links = fs::hard_link_count(target, ec);
        if (!ec && links > 1)
            return fail(HardLinkReason(target, links));
    }
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(dir, ec))
        return fail(ec ? dir.string() + ": " + ec.message() : "the folder " + dir.string() + " does not exist");
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = dir / (".brk" + TempTag() + ".tmp");
        fd = _wopen(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd < 0 && errno != EEXIST)
            return fail(SystemReason(errno));
    }
    if (fd < 0)
        return fail(SystemReason(EEXIST));
    result.created = true;
    const char* p = static_cast<const char*>(data);
    std::size_t left = size;
    int err = 0;
    while (left > 0 && err == 0) {
        const int n = _write(fd, p, static_cast<unsigned>(std::min<std::size_t>(left, 1u << 20)));
        if (n <= 0)
            err = errno ? errno : EIO;
        else {
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    if (err == 0 && _commit(fd) != 0)  // FlushFileBuffers
        err = errno ? errno : EIO;
    if (_close(fd) != 0 && err == 0)
        err = errno ? errno : EIO;
    if (err == 0 && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::string why = std::system_category().message(static_cast<int>(GetLastError()));
        fs::remove(temp, ec);
        return fail(why);
    }
    if (err != 0) {
        fs::remove(temp, ec);
        return fail(SystemReason(err));
    }
    RemoveStaleTemporaries(dir);
    return result;
#else
    // A symbolic link stays a link: the file it names is the one replaced, and
    // the temporary file goes beside that file so the rename stays in one folder.
    fs::path target = path;
    for (int hops = 0;; ++hops) {
        struct stat ls {};
        if (::lstat(target.c_str(), &ls) != 0 || !S_ISLNK(ls.st_mode))
            break;
        if (hops == 40)
            return fail(SystemReason(ELOOP));
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            return fail(target.string() + ": " + ec.message());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }

    struct stat st {};
    bool exists = true;
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return fail(SystemReason(errno));  // the real reason: not a directory, permission denied, ...
        exists = false;
    }
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return fail("a folder of that name is in the way");
        if (!S_ISREG(st.st_mode))
            return fail(kNotRegular);
        // The rename needs only the folder's permission; the file's own must be
        // asked for. Root may write anything, so a file nobody may write counts too.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return fail(target.string() + " is read-only");
        if (SaveCalls().Access(target.c_str(), W_OK) != 0) {
            const int e = errno;
            if (e == EROFS)
                return fail(SystemReason(e));
            if (e == EACCES || e == EPERM)
                return fail(target.string() + " is read-only: " + SystemReason(e));
        }
        if (st.st_nlink > 1)
            return fail(HardLinkReason(target, static_cast<std::uintmax_t>(st.st_nlink)));
    }
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    struct stat ds {};
    if (::stat(dir.c_str(), &ds) != 0) {
        const int e = errno;
        return fail(e == ENOENT ? "the folder " + dir.string() + " does not exist" : dir.string() + ": " + SystemReason(e));
    }
    if (!S_ISDIR(ds.st_mode))
        return fail(dir.string() + ": " + SystemReason(ENOTDIR));

    // A short unique name, so that a long target name still leaves room for it.
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = dir / (".brk" + TempTag() + ".tmp");
        fd = SaveCalls().Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(SystemReason(errno));
    }
    if (fd < 0)
        return fail(SystemReason(EEXIST));
    result.created = true;

    int err = 0;
    if (exists) {
        // Owner and group first; a change of owner may clear set-id bits, which
        // the chmod then restores.
        result.warning = KeepOwner(fd, st, target);
        if (SaveCalls().Fchmod(fd, st.st_mode & 07777) != 0)
            err = errno;
    }
    const char* p = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0 && err == 0) {
        const ssize_t n = SaveCalls().Write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            err = n < 0 ? errno : ENOSPC;
        else {
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    if (err == 0 && SaveCalls().Fsync(fd) != 0)
        err = errno;
    if (SaveCalls().Close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && SaveCalls().Rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        result.warning.clear();
        return fail(SystemReason(err));
    }
    RemoveStaleTemporaries(dir);
    // The rename itself reaches the disk only with the folder. The new file is
    // in place by now, so a folder that cannot be flushed is not a failure.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
    return result;
#endif
}

namespace {

// Whether every field of tables m that lies (wholly or partly) at or past byte
// size holds what the same field of tables r, read back from a file cut there,
// holds. Names are stored as their first kNameLength characters.
template <typename Record>
bool SameAtAndPast(std::size_t size, const std::vector<Record>& m, const std::vector<Record>& r,
                   std::span<const LayoutField<Record>> fields)
{
    for (std::size_t s = 1; s < m.size(); ++s) {
        for (const LayoutField<Record>& f : fields) {
            if (f.At(s) + f.Bytes <= size)
                continue;
            const bool same = f.How == Stored::Name ? m[s].Name.substr(0, kNameLength) == r[s].Name
                                                    : f.Get(m[s]) == f.Get(r[s]);
            if (!same)
                return false;
        }
    }
    return true;
}

// Whether the buffer, written from the tables, cut to LoadedSize bytes still
// holds the tables: every field past the end holds what a load of the cut file
// gives there (zero bytes, read and cleaned as a load does), so writing only
// LoadedSize bytes drops no edit. The fields inside the file are written anyway.
bool ShortFileHoldsTheTables(const Oob& oob)
{
    const std::size_t size = oob.LoadedSize;
    Oob again;
    again.CurrentOOB = oob.CurrentOOB;
    std::copy_n(oob.OOBBuffer.begin(), size, again.OOBBuffer.begin());
    ReadTablesFromBuffer(again);
    if (size < kInfoOffset + kInfoLength && again.OOBInfo != oob.OOBInfo.substr(0, kInfoLength))
        return false;
    return SameAtAndPast(size, oob.UnitTable, again.UnitTable, UnitLayout()) &&
           SameAtAndPast(size, oob.WeaponTable, again.WeaponTable, WeaponLayout()) &&
           SameAtAndPast(size, oob.FormationTable, again.FormationTable, FormationLayout());
}

}  // namespace

SaveResult SaveOOBToPath(Oob& oob, const fs::path& path)
{
    WriteTablesToBuffer(oob);
    // A short file keeps its length as long as that drops none of the edits.
    const bool whole = oob.LoadedSize < LayoutEnd() && !ShortFileHoldsTheTables(oob);
    SaveResult r = WriteFileAtomically(path, oob.OOBBuffer.data(), whole ? kBufferSize : oob.LoadedSize);
    if (!r.ok)
        return r;
    if (whole) {
        const std::string note = "The file loaded was only " + std::to_string(oob.LoadedSize) +
                                 " bytes long and changes reach past its end, so the whole file of " +
                                 std::to_string(kBufferSize) + " bytes was written to " + path.string() + ".";
        r.warning = r.warning.empty() ? note : note + " " + r.warning;
        oob.LoadedSize = kBufferSize;  // what is on disk now
    }
    MarkSaved(oob);
    return r;
}

SaveResult SaveOOB(Oob& oob, int n, const fs::path& dir)
{
    const std::string name = OOBFileName(n);
    const auto found = FindFileIgnoringCase(dir, name);
    return SaveOOBToPath(oob, found ? *found : dir / name);
}

SaveResult SaveOOBAs(Oob& oob, const std::string& name, const fs::path& dir)
{
    return SaveOOBToPath(oob, dir / name.substr(0, std::min<std::size_t>(name.size(), 12)));
}

}  // namespace brackle
