#include <gtest/gtest.h>

#include <random>

#include "demo/demo_game.h"
#include "editors/bulk_edits.h"
#include "editors/formation_fields.h"
#include "editors/record_lists.h"
#include "editors/unit_fields.h"
#include "editors/weapon_fields.h"
#include "oob/changes.h"
#include "oob/history.h"
#include "oob/oob_file.h"
#include "reports/report_sink.h"
#include "reports/unit_weapon_checks.h"
#include "test_support.h"
#include "transfer/paste_buffers.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

// Runs change on the tables and records it as one step.
bool Step(Oob& oob, const std::string& label, const std::function<void(Oob&)>& change)
{
    const TablesSnapshot before = SnapshotTables(oob);
    change(oob);
    return RecordStep(oob, before, label);
}

TEST(History, AStepKeepsOnlyWhatChangedAndUndoRedoPutItBack)
{
    Oob oob;
    oob.UnitTable[20].Name = "Heavy Tank 40";
    oob.UnitTable[20].Crew = 4;
    oob.OOBInfo = "v1";
    const Oob original = oob;

    EXPECT_FALSE(Step(oob, "nothing", [](Oob&) {}));
    EXPECT_FALSE(oob.History.CanUndo());
    EXPECT_FALSE(HasUnsavedChanges(oob));

    ChangeCounts counted;
    const TablesSnapshot before = SnapshotTables(oob);
    oob.UnitTable[20].Crew = 5;
    oob.UnitTable[999].SpareB = 1;
    oob.WeaponTable[249].HEATPen = 9;
    oob.FormationTable[1].Slot[9] = 1999;
    oob.OOBInfo = "v2";
    ASSERT_TRUE(RecordStep(oob, before, [&](const ChangeCounts& c) {
        counted = c;
        return std::string("Several");
    }));
    EXPECT_EQ(counted, (ChangeCounts{2, 1, 1, true}));
    const Oob changed = oob;
    EXPECT_TRUE(HasUnsavedChanges(oob));
    EXPECT_EQ(oob.History.UndoLabel(), "Several");
    EXPECT_EQ(oob.History.RedoLabel(), "");

    EXPECT_EQ(UndoStep(oob), "Several");
    EXPECT_EQ(oob.UnitTable, original.UnitTable);
    EXPECT_EQ(oob.WeaponTable, original.WeaponTable);
    EXPECT_EQ(oob.FormationTable, original.FormationTable);
    EXPECT_EQ(oob.OOBInfo, "v1");
    EXPECT_FALSE(HasUnsavedChanges(oob));
    EXPECT_FALSE(UndoStep(oob).has_value());
    EXPECT_EQ(oob.History.RedoLabel(), "Several");

    EXPECT_EQ(RedoStep(oob), "Several");
    EXPECT_EQ(oob.UnitTable, changed.UnitTable);
    EXPECT_EQ(oob.WeaponTable, changed.WeaponTable);
    EXPECT_EQ(oob.FormationTable, changed.FormationTable);
    EXPECT_EQ(oob.OOBInfo, "v2");
    EXPECT_TRUE(HasUnsavedChanges(oob));
    EXPECT_FALSE(RedoStep(oob).has_value());
}

TEST(History, TheUnsavedMarkIsAPlaceInTheHistory)
{
    Oob oob;
    Step(oob, "a", [](Oob& o) { o.UnitTable[1].Crew = 1; });
    Step(oob, "b", [](Oob& o) { o.UnitTable[1].Crew = 2; });
    MarkSaved(oob);  // as a save does
    struct Move {
        const char* what;
        std::function<void()> act;
        bool unsaved;
    };
    const std::vector<Move> moves = {
        {"undo from the saved state", [&] { UndoStep(oob); }, true},
        {"redo back to it", [&] { RedoStep(oob); }, false},
        {"undo twice", [&] {
             UndoStep(oob);
             UndoStep(oob);
         }, true},
        {"redo twice", [&] {
             RedoStep(oob);
             RedoStep(oob);
         }, false},
        // A new state after an undo is never the saved one, though it is as many
        // steps from the start as the saved state was.
        {"undo, then another change", [&] {
             UndoStep(oob);
             Step(oob, "c", [](Oob& o) { o.UnitTable[1].Crew = 7; });
         }, true},
        {"undo that change", [&] { UndoStep(oob); }, true},
        {"a change back to the saved values", [&] { Step(oob, "d", [](Oob& o) { o.UnitTable[1].Crew = 2; }); }, true},
    };
    for (const Move& m : moves) {
        m.act();
        EXPECT_EQ(HasUnsavedChanges(oob), m.unsaved) << m.what;
    }
}

TEST(History, IsBoundedByStepsAndByBytesAndKeepsTheNewestStep)
{
    Oob oob;
    oob.History.SetLimits({3, std::size_t{64} << 20});
    for (int i = 1; i <= 5; ++i)
        Step(oob, "crew " + std::to_string(i), [i](Oob& o) { o.UnitTable[1].Crew = static_cast<std::uint8_t>(i); });
    EXPECT_EQ(oob.History.UndoSteps(), 3u);
    while (UndoStep(oob)) {
    }
    EXPECT_EQ(oob.UnitTable[1].Crew, 2);  // the two oldest steps are gone
    EXPECT_TRUE(HasUnsavedChanges(oob));   // the state on disk can no longer be reached
    while (RedoStep(oob)) {
    }
    EXPECT_EQ(oob.UnitTable[1].Crew, 5);

    // Every unit changed twice over: each step holds about 999 records, before and after.
    Oob big;
    auto everyUnit = [](std::uint8_t crew) {
        return [crew](Oob& o) {
            for (int u = 1; u <= kUnitSlots; ++u)
                o.UnitTable[u].Crew = crew;
        };
    };
    Step(big, "all 1", everyUnit(1));
    const std::size_t one = big.History.Bytes();
    EXPECT_GT(one, kUnitSlots * 2 * sizeof(UnitRecord));
    big.History.SetLimits({200, one * 2 + one / 2});
    Step(big, "all 2", everyUnit(2));
    Step(big, "all 3", everyUnit(3));
    EXPECT_EQ(big.History.UndoSteps(), 2u);
    EXPECT_LE(big.History.Bytes(), one * 2 + one / 2);
    // A limit below one step still keeps the step just done.
    big.History.SetLimits({200, 1});
    EXPECT_EQ(big.History.UndoSteps(), 1u);
    EXPECT_EQ(UndoStep(big), "all 3");
    EXPECT_EQ(big.UnitTable[500].Crew, 2);
}

TEST(History, ALoadEmptiesItAndAFailedLoadDoesNot)
{
    test::TempDir dir;
    Oob file;
    file.CurrentOOB = 3;
    file.LoadedSize = kBufferSize;
    ASSERT_TRUE(SaveOOB(file, 3, dir.path()).ok);

    Oob oob;
    oob.CurrentOOB = 3;
    Step(oob, "a", [](Oob& o) { o.UnitTable[1].Crew = 1; });
    EXPECT_NE(LoadOOB(oob, dir.path(), 4).code, 0);
    EXPECT_TRUE(oob.History.CanUndo());
    ASSERT_EQ(LoadOOB(oob, dir.path(), 3).code, 0);
    EXPECT_FALSE(oob.History.CanUndo());
    EXPECT_FALSE(oob.History.CanRedo());
    EXPECT_FALSE(UndoStep(oob).has_value());
}

// ---- Random sequences of the editor's operations ------------------------------

// The bytes a save of the document would write now (the document is not touched).
std::vector<std::uint8_t> SavedBytes(const Oob& oob)
{
    Oob copy;
    copy.UnitTable = oob.UnitTable;
    copy.WeaponTable = oob.WeaponTable;
    copy.FormationTable = oob.FormationTable;
    copy.OOBInfo = oob.OOBInfo;
    copy.CurrentOOB = oob.CurrentOOB;
    copy.OOBBuffer = oob.OOBBuffer;
    copy.LoadedSize = oob.LoadedSize;
    WriteTablesToBuffer(copy);
    return {copy.OOBBuffer.begin(), copy.OOBBuffer.begin() + static_cast<std::ptrdiff_t>(copy.LoadedSize)};
}

struct State {
    std::vector<std::uint8_t> bytes;
    TablesSnapshot tables;
};

class RandomEdits {
public:
    explicit RandomEdits(unsigned seed) : rng_(seed) { CopyAll(other_, BuildDemoOob(2).Tables, UnitBuffer); }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    std::string Number(int high) { return std::to_string(Pick(0, high)); }

    // One of the editor's operations on the tables, as its command does it. Gives
    // false when it changed nothing (and so recorded no step).
    bool Apply(Oob& oob)
    {
        const std::uint64_t revision = oob.Revision;
        switch (Pick(0, 11)) {
        case 0: {  // a unit commit of one field
            UnitRecord& unit = oob.UnitTable[Pick(1, kUnitSlots)];
            const UnitRecord shown = unit;
            UnitTexts texts = TextsOfUnit(unit);
            texts[Pick(1, UnitFieldCount - 1)] = Number(300);
            return Step(oob, "commit unit", [&](Oob&) { StoreUnitTexts(texts, unit, UnitStore::Commit, &shown); });
        }
        case 1: {  // erase, then commit
            UnitRecord& unit = oob.UnitTable[Pick(1, 200)];
            return Step(oob, "clear unit", [&](Oob&) { StoreUnitTexts(ErasedUnitTexts(), unit); });
        }
        case 2: {
            WeaponRecord& weapon = oob.WeaponTable[Pick(1, kWeaponSlots)];
            WeaponTexts texts = TextsOfWeapon(weapon);
            texts[Pick(0, WeaponFieldCount - 1)] = Pick(0, 3) == 0 ? std::string("Renamed gun") : Number(300);
            return Step(oob, "commit weapon", [&](Oob&) { StoreWeaponTexts(texts, weapon); });
        }
        case 3: {
            FormationRecord& formation = oob.FormationTable[Pick(1, kFormationSlots)];
            const FormationRecord shown = formation;
            FormationTexts texts = TextsOfFormation(formation);
            texts[Pick(1, FormationFieldCount - 1)] = Number(1999);
            return Step(oob, "commit formation", [&](Oob&) { StoreFormationTexts(texts, formation, &shown); });
        }
        case 4:
            return Step(oob, "info", [&](Oob& o) { o.OOBInfo = "Info " + Number(99); });
        case 5: {  // a move: the old slot stored empty, the record at the target
            const int from = Pick(1, 200), to = Pick(1, kUnitSlots);
            return Step(oob, "move", [&](Oob& o) {
                const UnitRecord moved = o.UnitTable[from];
                StoreUnitTexts(ErasedUnitTexts(), o.UnitTable[from]);
                o.UnitTable[to] = moved;
            });
        }
        case 6:
            return Step(oob, "paste all", [&](Oob& o) { PasteAll(other_, o, UnitBuffer); });
        case 7: {
            const std::string name = Upper(oob.UnitTable[Pick(1, 200)].Name);
            return Step(oob, "replace", [&](Oob& o) { ReplaceWholeNames(o, 1, name, "Renamed " + Number(9)); });
        }
        case 8:
            return Step(oob, "renumber", [&](Oob& o) { RenumberNation(o, Pick(0, 5), Pick(0, 5)); });
        case 9:
            return Step(oob, "reclassify", [&](Oob& o) { ReclassifyUnits(o, Pick(0, 40), Pick(0, 255)); });
        case 10:
            return Step(oob, "delete", [&](Oob& o) { DeleteNation(o, Pick(0, 5), Pick(0, 1) == 1, Pick(0, 1) == 1); });
        default: {
            LinesSink sink;
            ClearUnusedWeapons(oob, sink);  // records its own step
            return oob.Revision != revision;
        }
        }
    }

private:
    std::mt19937 rng_;
    PasteBuffers other_;
};

void ExpectState(const Oob& oob, const State& expected, bool exactTables, const std::string& where)
{
    ASSERT_EQ(SavedBytes(oob), expected.bytes) << where;
    if (exactTables) {
        EXPECT_FALSE(TablesDiffer(expected.tables, oob)) << where;
    }
}

// Random runs of operations, undos, redos and saves against a model of the
// states the document went through: every undo and redo must bring back the
// bytes a save would write at that point, and the unsaved mark must say
// whether that point is the one on disk. Without saves (which tidy empty slots
// in the tables as they write) the tables themselves come back exactly.
TEST(History, UndoAndRedoOverRandomOperationsRestoreTheSavedBytes)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        const bool saves = seed % 2 == 0;
        RandomEdits edits(seed);
        Oob oob = BuildDemoOob(seed % 2 == 0 ? 1 : 5).Tables;
        MarkSaved(oob);
        std::vector<State> states = {{SavedBytes(oob), SnapshotTables(oob)}};
        std::size_t at = 0;
        std::ptrdiff_t saved = 0;  // the state on disk, -1 when no longer reachable
        int operations = 0;
        for (int i = 0; i < 100; ++i) {
            const std::string where = "seed " + std::to_string(seed) + ", action " + std::to_string(i);
            const int action = edits.Pick(0, 9);
            if (action < 5) {
                if (!edits.Apply(oob))
                    continue;
                ++operations;
                states.resize(at + 1);
                if (saved > static_cast<std::ptrdiff_t>(at))
                    saved = -1;
                states.push_back({SavedBytes(oob), SnapshotTables(oob)});
                ++at;
            } else if (action < 7) {
                ASSERT_EQ(UndoStep(oob).has_value(), at > 0) << where;
                at -= at > 0 ? 1 : 0;
            } else if (action < 9) {
                ASSERT_EQ(RedoStep(oob).has_value(), at + 1 < states.size()) << where;
                at += at + 1 < states.size() ? 1 : 0;
            } else if (saves) {
                WriteTablesToBuffer(oob);  // what a save does to the document
                MarkSaved(oob);
                saved = static_cast<std::ptrdiff_t>(at);
            }
            ExpectState(oob, states[at], !saves, where);
            ASSERT_EQ(HasUnsavedChanges(oob), saved != static_cast<std::ptrdiff_t>(at)) << where;
        }
        EXPECT_GT(operations, 25) << seed;

        // All the way back, then all the way forward again.
        while (at > 0) {
            ASSERT_TRUE(UndoStep(oob).has_value());
            --at;
            ExpectState(oob, states[at], !saves, "undoing back, seed " + std::to_string(seed));
        }
        EXPECT_FALSE(UndoStep(oob).has_value());
        while (at + 1 < states.size()) {
            ASSERT_TRUE(RedoStep(oob).has_value());
            ++at;
            ExpectState(oob, states[at], !saves, "redoing forward, seed " + std::to_string(seed));
        }
        EXPECT_FALSE(RedoStep(oob).has_value());
    }
}

}  // namespace
}  // namespace brackle
