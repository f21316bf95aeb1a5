// The paste buffers: 999 numbered slots per record kind that carry records
// between slots and between files for the whole run. Loading another file
// never touches them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "oob/records.h"
#include "transfer/paste_options.h"
#include "transfer/transfer_records.h"

namespace brackle {

constexpr int kPasteSlots = 999;

// The buffer kinds, as the paste-buffer dialog numbers them.
enum PasteBufferKind : int { WeaponBuffer = 0, UnitBuffer = 1, FormationBuffer = 2 };
// What the dialog is opened for.
enum PasteMode : int { PasteFromBuffer = 1, CopyToBuffer = 2 };
// How the dialog ended.
enum class PasteResult { Cancel, Ok, All, Cleared };

template <typename Record>
struct PasteSlot {
    Record Rec{};
    std::int32_t SourceNation = kNoSourceNation;
    bool Used = false;
};

struct PasteBuffers {
    // Indexed by slot number 1..999; index 0 is unused.
    std::vector<PasteSlot<UnitRecord>> Units = std::vector<PasteSlot<UnitRecord>>(kPasteSlots + 1);
    std::vector<PasteSlot<WeaponRecord>> Weapons = std::vector<PasteSlot<WeaponRecord>>(kPasteSlots + 1);
    std::vector<PasteSlot<FormationRecord>> Formations =
        std::vector<PasteSlot<FormationRecord>>(kPasteSlots + 1);
};

struct TransferRecords {
    XferUnitRecord Unit;
    XferWeaponRecord Weapon;
    XferFormationRecord Formation;
};

// Slot n of the kind's buffer := the kind's transfer record; the slot is used.
void StoreSlot(PasteBuffers& buffers, const TransferRecords& xfer, int kind, int n);
// The transfer record := slot n's record when the slot is used (its source nation stays).
void FetchSlot(const PasteBuffers& buffers, TransferRecords& xfer, int kind, int n);
// The whole table into the buffer: slots 1..249 for weapons, 1..999 otherwise,
// used where the record has a name. Weapon slots 250..999 stay as they were.
void CopyAll(PasteBuffers& buffers, const Oob& oob, int kind);
// The whole buffer over the table, used slots or not.
void PasteAll(const PasteBuffers& buffers, Oob& oob, int kind);
// Every slot of the three buffers unused, from no file; the records stay.
void ClearAll(PasteBuffers& buffers);

// A line of the dialog's slot list: "007: Rifle Squad      [05]  Name".
std::string PasteListLine(const PasteBuffers& buffers, const NameTables& names, int kind, int slot);
// The dialog's status line: "Select unit buffer to PASTE from".
std::string PasteStatusText(int kind, int mode);
// Formations take no unit options: all but PasteAsNation are switched off.
void ResetOptionsForFormations(PasteOptions& options);

// Everything one opening of the paste-buffer dialog works on.
struct PasteRequest {
    int Kind = UnitBuffer;
    int Mode = PasteFromBuffer;
    PasteBuffers* Buffers = nullptr;
    TransferRecords* Xfer = nullptr;
    PasteOptions* Options = nullptr;
    Oob* Document = nullptr;
};

// The dialog's OK on slot n: store (copy) or fetch (paste).
void ConfirmSlot(PasteRequest& request, int n);
// The dialog's All: copy or paste the whole table.
void ConfirmAll(PasteRequest& request);

}  // namespace brackle
