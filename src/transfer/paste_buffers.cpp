#include "transfer/paste_buffers.h"

#include "oob/names.h"
#include "oob/text.h"

namespace brackle {

namespace {

int LastTableSlot(int kind)
{
    return kind == WeaponBuffer ? kWeaponSlots : kUnitSlots;
}

template <typename Record>
void Store(std::vector<PasteSlot<Record>>& buffer, const TransferRecord<Record>& xfer, int n)
{
    buffer[n].Rec = xfer.Rec;
    buffer[n].SourceNation = xfer.SourceNation;
    buffer[n].Used = true;
}

template <typename Record>
void Fetch(const std::vector<PasteSlot<Record>>& buffer, TransferRecord<Record>& xfer, int n)
{
    if (buffer[n].Used)
        xfer.Rec = buffer[n].Rec;
}

template <typename Record>
void CopyTable(std::vector<PasteSlot<Record>>& buffer, const std::vector<Record>& table, int last, int nation)
{
    for (int i = 1; i <= last; ++i)
        buffer[i].Used = false;
    for (int i = 1; i <= last; ++i) {
        buffer[i].Rec = table[i];
        buffer[i].Used = !table[i].Name.empty();
        buffer[i].SourceNation = nation;
    }
}

template <typename Record>
void PasteTable(const std::vector<PasteSlot<Record>>& buffer, std::vector<Record>& table, int last)
{
    for (int i = 1; i <= last; ++i)
        table[i] = buffer[i].Rec;
}

template <typename Record>
void Clear(std::vector<PasteSlot<Record>>& buffer)
{
    for (auto& slot : buffer) {
        slot.Used = false;
        slot.SourceNation = kNoSourceNation;
    }
}

template <typename Record>
std::string Line(const std::vector<PasteSlot<Record>>& buffer, const NameTables& names, int slot)
{
    const PasteSlot<Record>& s = buffer[slot];
    std::string name = s.Used ? s.Rec.Name : std::string("*Unused*");
    if (name.size() < kNameLength)
        name.resize(kNameLength + 1, ' ');
    std::string line = Pad3(slot) + ": " + name;
    if (!s.Used)
        return line + " [..] " + " ...";
    const std::string n = std::to_string(s.SourceNation);
    line += s.SourceNation >= 10 ? " [" + n + "] " : " [0" + n + "] ";
    return line + " " + NationName(names, s.SourceNation);
}

// Runs f on the kind's buffer.
template <typename Buffers, typename F>
decltype(auto) OnBuffer(Buffers& buffers, int kind, F&& f)
{
    if (kind == UnitBuffer)
        return f(buffers.Units);
    if (kind == WeaponBuffer)
        return f(buffers.Weapons);
    return f(buffers.Formations);
}

// The table and transfer record that go with a buffer (const or not, as the document is).
template <typename O>
auto& TableOf(O& oob, const std::vector<PasteSlot<UnitRecord>>&) { return oob.UnitTable; }
template <typename O>
auto& TableOf(O& oob, const std::vector<PasteSlot<WeaponRecord>>&) { return oob.WeaponTable; }
template <typename O>
auto& TableOf(O& oob, const std::vector<PasteSlot<FormationRecord>>&) { return oob.FormationTable; }
template <typename X>
auto& XferOf(X& xfer, const std::vector<PasteSlot<UnitRecord>>&) { return xfer.Unit; }
template <typename X>
auto& XferOf(X& xfer, const std::vector<PasteSlot<WeaponRecord>>&) { return xfer.Weapon; }
template <typename X>
auto& XferOf(X& xfer, const std::vector<PasteSlot<FormationRecord>>&) { return xfer.Formation; }

}  // namespace

void StoreSlot(PasteBuffers& buffers, const TransferRecords& xfer, int kind, int n)
{
    if (n >= 1 && n <= kPasteSlots)
        OnBuffer(buffers, kind, [&](auto& b) { Store(b, XferOf(xfer, b), n); });
}

void FetchSlot(const PasteBuffers& buffers, TransferRecords& xfer, int kind, int n)
{
    if (n >= 1 && n <= kPasteSlots)
        OnBuffer(buffers, kind, [&](const auto& b) { Fetch(b, XferOf(xfer, b), n); });
}

void CopyAll(PasteBuffers& buffers, const Oob& oob, int kind)
{
    OnBuffer(buffers, kind, [&](auto& b) {
        CopyTable(b, TableOf(oob, b), LastTableSlot(kind), oob.CurrentOOB);
    });
}

void PasteAll(const PasteBuffers& buffers, Oob& oob, int kind)
{
    OnBuffer(buffers, kind, [&](const auto& b) { PasteTable(b, TableOf(oob, b), LastTableSlot(kind)); });
}

void ClearAll(PasteBuffers& buffers)
{
    Clear(buffers.Units);
    Clear(buffers.Weapons);
    Clear(buffers.Formations);
}

std::string PasteListLine(const PasteBuffers& buffers, const NameTables& names, int kind, int slot)
{
    return OnBuffer(buffers, kind, [&](const auto& b) { return Line(b, names, slot); });
}

std::string PasteStatusText(int kind, int mode)
{
    const char* what = kind == WeaponBuffer ? "weapon buffer " : (kind == UnitBuffer ? "unit buffer" : "formation buffer ");
    return std::string("Select ") + what + (mode == PasteFromBuffer ? " to PASTE from" : " to COPY to");
}

void ResetOptionsForFormations(PasteOptions& o)
{
    o.PasteArmourOnly = o.PasteOnlyIconData = o.KeepDates = o.KeepWeapons = o.KeepIcons = o.KeepUnitClass = false;
}

void ConfirmSlot(PasteRequest& r, int n)
{
    if (r.Mode == CopyToBuffer)
        StoreSlot(*r.Buffers, *r.Xfer, r.Kind, n);
    else
        FetchSlot(*r.Buffers, *r.Xfer, r.Kind, n);
}

void ConfirmAll(PasteRequest& r)
{
    if (r.Mode == CopyToBuffer)
        CopyAll(*r.Buffers, *r.Document, r.Kind);
    else
        PasteAll(*r.Buffers, *r.Document, r.Kind);
}

}  // namespace brackle
