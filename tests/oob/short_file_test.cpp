// Files shorter than the layout: what a load says, and what a save writes.
#include "oob/oob_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "oob/oob_layout.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

// Where the last field of the layout (formation 999's MoraleMod, column 174080) ends.
constexpr std::size_t kEnd = 175080;

// size bytes: an info text, then a pattern that loads as odd but harmless values.
std::vector<unsigned char> FileOf(std::size_t size)
{
    std::vector<unsigned char> b(size, 0);
    const char info[] = "Short file";
    std::copy_n(info, std::min(size, sizeof info - 1), b.begin());
    return b;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ShortFile, TheLayoutEndsAtTheLastFormationField)
{
    EXPECT_EQ(LayoutEnd(), kEnd);
}

TEST(ShortFile, LoadsWithAWarningAndAResaveKeepsItsLength)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{100}, kEnd - 1, kEnd, std::size_t{190000},
                                   std::size_t{200000}}) {
        test::TempDir dir;
        const fs::path file = dir / "obat004.obf";
        test::WriteBytes(file, FileOf(size));
        Oob o;
        o.CurrentOOB = 4;
        const LoadResult loaded = LoadOOBFromPath(o, file);
        ASSERT_EQ(loaded.code, 0) << size;
        if (size < kEnd) {
            EXPECT_TRUE(Contains(loaded.warning, file.string() + " is only " + std::to_string(size) + " bytes long"))
                << loaded.warning;
            EXPECT_TRUE(Contains(loaded.warning, "read as empty")) << loaded.warning;
        } else {
            EXPECT_EQ(loaded.warning, "") << size;
        }
        const SaveResult saved = SaveOOBToPath(o, dir / "out.obf");
        ASSERT_TRUE(saved.ok) << saved.reason;
        EXPECT_EQ(saved.warning, "") << size;
        const auto bytes = test::ReadBytes(dir / "out.obf");
        EXPECT_EQ(bytes.size(), size);
        if (size <= 100) {  // no field here is cleaned or clamped
            EXPECT_EQ(bytes, FileOf(size)) << size;
        }
    }
}

struct Edit {
    const char* what;
    std::size_t size;                 // of the file loaded
    std::function<void(Oob&)> change;
    bool whole;                       // the save must write all 200000 bytes
    std::size_t at;                   // a byte of the change in the file
    unsigned char value;              // what that byte must hold afterwards
};

TEST(ShortFile, AChangePastTheEndIsWrittenAsAWholeFile)
{
    const Edit edits[] = {
        {"a name typed into unit 1 of a 100-byte file", 100, [](Oob& o) { o.UnitTable[1].Name = "Rifle Squad"; },
         true, 10080 + 15, 'R'},
        {"the info text of a 100-byte file", 100, [](Oob& o) { o.OOBInfo = "Changed"; }, false, 0, 'C'},
        {"the last field of a file one byte short", kEnd - 1, [](Oob& o) { o.FormationTable[999].MoraleMod = 5; },
         true, 174080 + 999, 5},
        {"the field before it", kEnd - 1, [](Oob& o) { o.FormationTable[998].MoraleMod = 5; }, false,
         174080 + 998, 5},
        {"the high byte of a unit's icon beyond the end", 88080 + 2 * 7 + 1, [](Oob& o) { o.UnitTable[7].Icon = 0x0105; },
         true, 88080 + 2 * 7 + 1, 1},
        {"a year that is written as 1 either way", 1000, [](Oob& o) { o.UnitTable[9].YrAvail = 1; }, true,
         70080 + 9, 1},
        {"an empty file, weapon 249's name", 0, [](Oob& o) { o.WeaponTable[249].Name = "Last"; }, true,
         80 + 249 * 15, 'L'},
    };
    for (const Edit& e : edits) {
        test::TempDir dir;
        const fs::path file = dir / "obat004.obf";
        test::WriteBytes(file, FileOf(e.size));
        Oob o;
        o.CurrentOOB = 4;
        ASSERT_EQ(LoadOOBFromPath(o, file).code, 0) << e.what;
        e.change(o);
        const SaveResult saved = SaveOOBToPath(o, file);
        ASSERT_TRUE(saved.ok) << e.what << ": " << saved.reason;
        const auto bytes = test::ReadBytes(file);
        ASSERT_EQ(bytes.size(), e.whole ? kBufferSize : e.size) << e.what;
        EXPECT_EQ(bytes[e.at], e.value) << e.what;
        if (e.whole) {
            EXPECT_TRUE(Contains(saved.warning, "only " + std::to_string(e.size) + " bytes long")) << saved.warning;
            EXPECT_TRUE(Contains(saved.warning, "whole file of 200000 bytes was written to " + file.string()))
                << saved.warning;
            EXPECT_EQ(o.LoadedSize, kBufferSize) << e.what;
            // The next save is of a whole file: nothing more to say.
            EXPECT_EQ(SaveOOBToPath(o, file).warning, "") << e.what;
        } else {
            EXPECT_EQ(saved.warning, "") << e.what;
        }
        // What was typed comes back: making the change again changes nothing.
        Oob again;
        again.CurrentOOB = 4;
        ASSERT_EQ(LoadOOBFromPath(again, file).code, 0);
        Oob twice = again;
        e.change(twice);
        EXPECT_TRUE(twice.UnitTable == again.UnitTable) << e.what;
        EXPECT_TRUE(twice.FormationTable == again.FormationTable) << e.what;
        EXPECT_TRUE(twice.WeaponTable == again.WeaponTable) << e.what;
        EXPECT_EQ(twice.OOBInfo, again.OOBInfo) << e.what;
    }
}

}  // namespace
}  // namespace brackle
