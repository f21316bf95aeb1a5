#include <gtest/gtest.h>

#include "oob/changes.h"
#include "oob/oob_file.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

TEST(Changes, AnyFieldOfAnyTableOrTheInfoTextCountsAndNothingElse)
{
    Oob oob;
    oob.UnitTable[999].Name = "Last";
    struct Case {
        const char* what;
        void (*change)(Oob&);
        bool counts;
    };
    const Case cases[] = {
        {"nothing", [](Oob&) {}, false},
        {"the slot shown", [](Oob& o) { o.CurrentUnit = 7; }, false},
        {"a unit's spare byte", [](Oob& o) { o.UnitTable[999].SpareB = 1; }, true},
        {"a weapon's last field", [](Oob& o) { o.WeaponTable[249].HEATPen = 255; }, true},
        {"a formation slot", [](Oob& o) { o.FormationTable[1].Slot[9] = 1999; }, true},
        {"a formation modifier", [](Oob& o) { o.FormationTable[999].MoraleMod = -1; }, true},
        {"the info text", [](Oob& o) { o.OOBInfo = " "; }, true},
        {"a name set to what it was", [](Oob& o) { o.UnitTable[999].Name = "Last"; }, false},
    };
    for (const Case& c : cases) {
        Oob copy = oob;
        const TablesSnapshot before = SnapshotTables(copy);
        c.change(copy);
        EXPECT_EQ(MarkChangedIfDiffer(before, copy), c.counts) << c.what;
        EXPECT_EQ(HasUnsavedChanges(copy), c.counts) << c.what;
    }
}

TEST(Changes, ALoadOrASaveClearsTheMarkAndAFailedSaveKeepsIt)
{
    test::TempDir dir;
    Oob oob;
    oob.CurrentOOB = 3;
    oob.LoadedSize = kBufferSize;
    MarkChanged(oob);
    ASSERT_TRUE(HasUnsavedChanges(oob));
    ASSERT_TRUE(SaveOOB(oob, 3, dir.path()).ok);
    EXPECT_FALSE(HasUnsavedChanges(oob));

    MarkChanged(oob);
    fs::create_directory(dir.path() / "sub");
    fs::create_directory(dir.path() / "sub" / OOBFileName(3));  // a folder where the file should go
    EXPECT_FALSE(SaveOOB(oob, 3, dir.path() / "sub").ok);
    EXPECT_TRUE(HasUnsavedChanges(oob));

    ASSERT_EQ(LoadOOB(oob, dir.path(), 3).code, 0);
    EXPECT_FALSE(HasUnsavedChanges(oob));
    MarkChanged(oob);
    EXPECT_NE(LoadOOB(oob, dir.path(), 4).code, 0);  // a failed load changes nothing, the mark included
    EXPECT_TRUE(HasUnsavedChanges(oob));
}

}  // namespace
}  // namespace brackle
