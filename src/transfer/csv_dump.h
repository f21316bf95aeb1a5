// The CSV dumps: the whole content of an OOB file as three comma-separated text
// files (units, weapons, formations) for reading in a spreadsheet. Nothing in
// the system reads them back.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "oob/oob_file.h"
#include "oob/records.h"

namespace brackle {

enum class DumpKind { Units, Weapons, Formations };

// "obatDUMP" + n in at least two digits + "unit.csv", "wpns.csv" or "fmns.csv".
std::string DumpFileName(int n, DumpKind kind);

// Each writer replaces the file whole (through a temporary file renamed over
// it, so a failed write leaves an old dump as it was) with the header line and
// one line per slot, empty slots included. The lines are labelled with
// oob.CurrentOOB and its nation name from oob.Names. False when the file cannot
// be written; reason, when given, then gets the system's reason.
bool DumpUnits(const std::filesystem::path& path, const Oob& oob, std::string* reason = nullptr);
bool DumpWeapons(const std::filesystem::path& path, const Oob& oob, std::string* reason = nullptr);
bool DumpFormations(const std::filesystem::path& path, const Oob& oob, std::string* reason = nullptr);

// The reason of a dump file that could not be created at all (a folder in the
// way, a missing folder, a read-only file) starts with this; any other reason
// is that of a write that failed.
inline constexpr const char* kDumpNotCreated = "not created: ";

// Told of each dump file that could not be written, as it fails, with the reason.
using DumpFileFailed = std::function<void(const std::filesystem::path& path, const std::string& reason)>;
// Told of each OOB file that is present but could not be read, as it fails.
using DumpLoadFailed = std::function<void(const LoadResult& load)>;

// Writes the three dump files for number n into dir, in the order units,
// weapons, formations; a file that fails does not stop the others. Gives the
// full paths of the files that could not be written, in that order.
std::vector<std::filesystem::path> DumpOOB(const Oob& oob, int n, const std::filesystem::path& dir,
                                           const DumpFileFailed& fileFailed = {});

struct DumpAllResult {
    int Dumped = 0;                             // OOB files whose three dumps were attempted
    std::vector<int> Numbers;                   // their numbers, in order
    std::vector<std::filesystem::path> Failed;  // dump files that could not be written
    std::vector<LoadResult> LoadFailed;         // OOB files present but unreadable: nothing dumped
};

// Dumps every OOB file 1..99 present in oobDir into oobDir. Each is loaded into
// a document of its own (CurrentOOB = its number, the given names), so no
// open document is touched; a missing number writes nothing. progress, when
// set, is called with each number before it is loaded and dumped.
DumpAllResult DumpAll(const NameTables& names, const std::filesystem::path& oobDir,
                      const std::function<void(int n)>& progress = {}, const DumpFileFailed& fileFailed = {},
                      const DumpLoadFailed& loadFailed = {});

}  // namespace brackle
