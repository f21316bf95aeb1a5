#include "oob/history.h"

#include <algorithm>
#include <utility>

#include "oob/changes.h"
#include "oob/records.h"

namespace brackle {

namespace {

template <typename Record>
struct SlotChange {
    std::size_t Slot = 0;
    Record Before;
    Record After;
};

// What one record costs in a step, its name's heap block included.
template <typename Record>
std::size_t CostOf(const SlotChange<Record>& c)
{
    auto heap = [](const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; };
    return sizeof c + heap(c.Before.Name) + heap(c.After.Name);
}

template <typename Record>
void Diff(const std::vector<Record>& before, const std::vector<Record>& now, std::vector<SlotChange<Record>>& out)
{
    const std::size_t n = std::min(before.size(), now.size());
    for (std::size_t s = 1; s < n; ++s) {
        if (!(before[s] == now[s]))
            out.push_back(SlotChange<Record>{s, before[s], now[s]});
    }
}

template <typename Record>
void ApplyChanges(const std::vector<SlotChange<Record>>& changes, std::vector<Record>& table, bool undo)
{
    for (const auto& c : changes) {
        if (c.Slot < table.size())
            table[c.Slot] = undo ? c.Before : c.After;
    }
}

}  // namespace

struct HistoryStep {
    std::string Label;
    std::vector<SlotChange<UnitRecord>> Units;
    std::vector<SlotChange<WeaponRecord>> Weapons;
    std::vector<SlotChange<FormationRecord>> Formations;
    bool InfoChanged = false;
    std::string InfoBefore, InfoAfter;
    std::uint64_t RevisionBefore = 0;
    std::uint64_t RevisionAfter = 0;
    std::size_t Bytes = 0;

    void Apply(Oob& oob, bool undo) const
    {
        ApplyChanges(Units, oob.UnitTable, undo);
        ApplyChanges(Weapons, oob.WeaponTable, undo);
        ApplyChanges(Formations, oob.FormationTable, undo);
        if (InfoChanged)
            oob.OOBInfo = undo ? InfoBefore : InfoAfter;
        oob.Revision = undo ? RevisionBefore : RevisionAfter;
    }

    std::size_t Cost() const
    {
        std::size_t bytes = sizeof *this + Label.capacity() + InfoBefore.capacity() + InfoAfter.capacity();
        for (const auto& c : Units)
            bytes += CostOf(c);
        for (const auto& c : Weapons)
            bytes += CostOf(c);
        for (const auto& c : Formations)
            bytes += CostOf(c);
        return bytes;
    }
};

EditHistory::EditHistory() = default;
EditHistory::~EditHistory() = default;
EditHistory::EditHistory(const EditHistory&) = default;
EditHistory::EditHistory(EditHistory&&) noexcept = default;
EditHistory& EditHistory::operator=(const EditHistory&) = default;
EditHistory& EditHistory::operator=(EditHistory&&) noexcept = default;

bool EditHistory::CanRedo() const
{
    return done_ < steps_.size();
}

std::size_t EditHistory::RedoSteps() const
{
    return steps_.size() - done_;
}

const std::string& EditHistory::UndoLabel() const
{
    static const std::string none;
    return CanUndo() ? steps_[done_ - 1].Label : none;
}

const std::string& EditHistory::RedoLabel() const
{
    static const std::string none;
    return CanRedo() ? steps_[done_].Label : none;
}

void EditHistory::SetLimits(const HistoryLimits& limits)
{
    limits_ = limits;
    Trim();
}

void EditHistory::Clear()
{
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
}

void EditHistory::Push(HistoryStep&& step)
{
    // A new step ends the branch that could have been redone.
    for (std::size_t i = done_; i < steps_.size(); ++i)
        bytes_ -= steps_[i].Bytes;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    bytes_ += step.Bytes;
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    Trim();
}

void EditHistory::Trim()
{
    // The oldest steps go first; the newest stays whatever it costs, so the
    // command just done can always be undone.
    std::size_t drop = 0;
    std::size_t bytes = bytes_;
    std::size_t count = steps_.size();
    while (count > 1 && drop < done_ && (count > limits_.MaxSteps || bytes > limits_.MaxBytes)) {
        bytes -= steps_[drop].Bytes;
        ++drop;
        --count;
    }
    if (drop == 0)
        return;
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
    done_ -= drop;
    bytes_ = bytes;
}

bool RecordStep(Oob& oob, const TablesSnapshot& before, const StepLabel& label)
{
    HistoryStep step;
    Diff(before.Units, oob.UnitTable, step.Units);
    Diff(before.Weapons, oob.WeaponTable, step.Weapons);
    Diff(before.Formations, oob.FormationTable, step.Formations);
    if (before.Info != oob.OOBInfo) {
        step.InfoChanged = true;
        step.InfoBefore = before.Info;
        step.InfoAfter = oob.OOBInfo;
    }
    if (step.Units.empty() && step.Weapons.empty() && step.Formations.empty() && !step.InfoChanged)
        return false;

    ChangeCounts counts;
    counts.Units = static_cast<int>(step.Units.size());
    counts.Weapons = static_cast<int>(step.Weapons.size());
    counts.Formations = static_cast<int>(step.Formations.size());
    counts.Info = step.InfoChanged;
    step.Label = label ? label(counts) : std::string();
    if (step.Label.empty())
        step.Label = "Edit";
    step.RevisionBefore = before.Revision;
    MarkChanged(oob);
    step.RevisionAfter = oob.Revision;
    step.Bytes = step.Cost();
    oob.History.Push(std::move(step));
    return true;
}

bool RecordStep(Oob& oob, const TablesSnapshot& before, const std::string& label)
{
    return RecordStep(oob, before, [&label](const ChangeCounts&) { return label; });
}

std::optional<std::string> UndoStep(Oob& oob)
{
    EditHistory& h = oob.History;
    if (!h.CanUndo())
        return std::nullopt;
    --h.done_;
    const HistoryStep& step = h.steps_[h.done_];
    step.Apply(oob, true);
    return step.Label;
}

std::optional<std::string> RedoStep(Oob& oob)
{
    EditHistory& h = oob.History;
    if (!h.CanRedo())
        return std::nullopt;
    const HistoryStep& step = h.steps_[h.done_];
    ++h.done_;
    step.Apply(oob, false);
    return step.Label;
}

}  // namespace brackle
