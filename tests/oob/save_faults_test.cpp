// Each system call of an atomic save made to fail in turn, through the table of
// calls the save makes; and the temporary files a killed save leaves behind.
#include "oob/file_calls.h"
#include "oob/oob_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

const std::vector<unsigned char> kOld(1000, 0xAB);

std::vector<std::string> Entries(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Puts the real calls back however a test ends.
struct RealCallsAfterwards {
    ~RealCallsAfterwards() { SaveCalls() = RealFileCalls(); }
};

int gWrites = 0;  // write calls made so far

struct Fault {
    const char* what;
    void (*inject)(FileCalls&);
    std::string reason;   // empty: the save succeeds
    std::string warning;  // a part of the warning of a save that succeeds
};

TEST(SaveFaults, EachFailingCallKeepsTheOldFileAndSaysWhy)
{
    const Fault faults[] = {
        {"the temporary file cannot be created",
         [](FileCalls& c) { c.Open = [](const char*, int, mode_t) { errno = EACCES; return -1; }; },
         "Permission denied", ""},
        {"the first write fails",
         [](FileCalls& c) { c.Write = [](int, const void*, std::size_t) -> ssize_t { errno = ENOSPC; return -1; }; },
         "No space left on device", ""},
        {"a write fails after half the bytes",
         [](FileCalls& c) {
             c.Write = [](int fd, const void* p, std::size_t n) -> ssize_t {
                 if (gWrites++ == 0)
                     return ::write(fd, p, n / 2);
                 errno = EIO;
                 return -1;
             };
         },
         "Input/output error", ""},
        {"a write writes nothing",
         [](FileCalls& c) { c.Write = [](int, const void*, std::size_t) -> ssize_t { return 0; }; },
         "No space left on device", ""},
        {"fsync fails", [](FileCalls& c) { c.Fsync = [](int) { errno = EIO; return -1; }; }, "Input/output error", ""},
        {"close fails",
         [](FileCalls& c) { c.Close = [](int fd) { ::close(fd); errno = EDQUOT; return -1; }; },
         std::strerror(EDQUOT), ""},
        {"rename fails", [](FileCalls& c) { c.Rename = [](const char*, const char*) { errno = EXDEV; return -1; }; },
         "Invalid cross-device link", ""},
        {"the mode cannot be set", [](FileCalls& c) { c.Fchmod = [](int, mode_t) { errno = EPERM; return -1; }; },
         "Operation not permitted", ""},
        {"the file system is read-only",
         [](FileCalls& c) { c.Access = [](const char*, int) { errno = EROFS; return -1; }; },
         "Read-only file system", ""},
        {"an interrupted write goes on",
         [](FileCalls& c) {
             c.Write = [](int fd, const void* p, std::size_t n) -> ssize_t {
                 if (gWrites++ == 0) {
                     errno = EINTR;
                     return -1;
                 }
                 return ::write(fd, p, n);
             };
         },
         "", ""},
        {"the owner cannot be kept",
         [](FileCalls& c) { c.Fchown = [](int, uid_t, gid_t) { errno = EPERM; return -1; }; }, "",
         "The owner and group of "},
        {"the owner cannot be kept, the group can",
         [](FileCalls& c) {
             c.Fchown = [](int fd, uid_t u, gid_t g) {
                 if (u != static_cast<uid_t>(-1)) {
                     errno = EPERM;
                     return -1;
                 }
                 return ::fchown(fd, u, g);
             };
         },
         "", "The owner of "},
    };
    for (const Fault& f : faults) {
        RealCallsAfterwards restore;
        test::TempDir dir;
        const fs::path file = dir / "obat001.obf";
        test::WriteBytes(file, kOld);
        Oob o;
        o.CurrentOOB = 1;
        o.LoadedSize = 1000;
        o.OOBInfo = "New";
        gWrites = 0;
        f.inject(SaveCalls());
        const SaveResult r = SaveOOBToPath(o, file);
        SaveCalls() = RealFileCalls();
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"obat001.obf"}) << f.what;
        if (!f.reason.empty()) {
            EXPECT_FALSE(r.ok) << f.what;
            EXPECT_EQ(r.reason, f.reason) << f.what;
            EXPECT_EQ(r.warning, "") << f.what;
            EXPECT_EQ(test::ReadBytes(file), kOld) << f.what;
            continue;
        }
        EXPECT_TRUE(r.ok) << f.what << ": " << r.reason;
        const auto saved = test::ReadBytes(file);
        ASSERT_EQ(saved.size(), 1000u) << f.what;
        EXPECT_EQ(saved[0], 'N') << f.what;
        if (f.warning.empty()) {
            EXPECT_EQ(r.warning, "") << f.what;
        } else {
            EXPECT_EQ(r.warning.rfind(f.warning + file.string() + " could not be kept (Operation not permitted)", 0),
                      0u)
                << f.what << ": " << r.warning;
        }
    }
}

// mtime of path set to hours ago.
void Age(const fs::path& path, int hours)
{
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(hours));
}

TEST(SaveFaults, StaleTemporariesOfOursAreRemovedOnTheNextSave)
{
    test::TempDir dir;
    const fs::path file = dir / "obat001.obf";
    test::WriteBytes(file, kOld);
    const struct {
        const char* name;
        int hoursOld;
        bool folder;
        bool removed;
    } entries[] = {
        {".brkab12z9.tmp", 2, false, true},
        {".brk000000.tmp", 30, false, true},
        {".brkab12z8.tmp", 0, false, false},   // perhaps a save running now
        {".brkAB12Z9.tmp", 2, false, false},   // not a name of ours
        {".brkab12z.tmp", 2, false, false},
        {".brkab12z99.tmp", 2, false, false},
        {"x.brkab12z9.tmp", 2, false, false},
        {".brkab12z9.tmp~", 2, false, false},
        {".brkab12z9.TMP", 2, false, false},
        {".brkab-2z9.tmp", 2, false, false},
        {".brkfolder.tmp", 2, true, false},
    };
    for (const auto& e : entries) {
        if (e.folder)
            fs::create_directory(dir / e.name);
        else
            test::WriteBytes(dir / e.name, {1, 2, 3});
        Age(dir / e.name, e.hoursOld);
    }
    fs::create_directory(dir / "sub");
    test::WriteBytes(dir / "sub" / ".brkab12z9.tmp", {1});
    Age(dir / "sub" / ".brkab12z9.tmp", 5);

    Oob o;
    o.CurrentOOB = 1;
    o.LoadedSize = 1000;
    ASSERT_TRUE(SaveOOBToPath(o, file).ok);
    for (const auto& e : entries)
        EXPECT_EQ(fs::exists(dir / e.name), !e.removed) << e.name;
    EXPECT_TRUE(fs::exists(dir / "sub" / ".brkab12z9.tmp")) << "only the folder of the file saved";
}

}  // namespace
}  // namespace brackle
