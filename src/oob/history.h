// The undo history of the loaded file. Each step keeps the records one command
// changed, before and after, with a label that says what happened; undo puts the
// earlier records back, redo the later ones. The unsaved mark is a position in
// this history: undoing back to the state that is on disk clears it.
//
// The history is bounded: at most 200 steps and 64 MiB, whichever is reached
// first; the oldest steps go. A step holds only the records that changed, so a
// commit costs a few hundred bytes and the largest bulk edit (every unit and
// formation) under half a megabyte: 200 steps cover a long session of record
// edits, and 64 MiB keeps even a run of whole-table edits from growing the
// editor without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brackle {

struct Oob;
struct TablesSnapshot;
struct HistoryStep;

// How many records of each table a step changed.
struct ChangeCounts {
    int Units = 0;
    int Weapons = 0;
    int Formations = 0;
    bool Info = false;

    int Records() const { return Units + Weapons + Formations; }
    bool operator==(const ChangeCounts&) const = default;
};

struct HistoryLimits {
    std::size_t MaxSteps = 200;
    std::size_t MaxBytes = std::size_t{64} << 20;
};

// A step's label, made once the command has run and its changes are known.
using StepLabel = std::function<std::string(const ChangeCounts&)>;

class EditHistory {
public:
    EditHistory();
    ~EditHistory();
    EditHistory(const EditHistory&);
    EditHistory(EditHistory&&) noexcept;
    EditHistory& operator=(const EditHistory&);
    EditHistory& operator=(EditHistory&&) noexcept;

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const;
    // The label of the step an undo or a redo would apply; empty when there is none.
    const std::string& UndoLabel() const;
    const std::string& RedoLabel() const;
    std::size_t UndoSteps() const { return done_; }
    std::size_t RedoSteps() const;
    // The memory the steps hold, as the bound counts it.
    std::size_t Bytes() const { return bytes_; }

    const HistoryLimits& Limits() const { return limits_; }
    // Applies at once: the oldest steps go until the history fits.
    void SetLimits(const HistoryLimits& limits);
    void Clear();

private:
    friend bool RecordStep(Oob& oob, const TablesSnapshot& before, const StepLabel& label);
    friend std::optional<std::string> UndoStep(Oob& oob);
    friend std::optional<std::string> RedoStep(Oob& oob);
    void Push(HistoryStep&& step);
    void Trim();

    std::vector<HistoryStep> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are applied; the others can be redone
    std::size_t bytes_ = 0;
    HistoryLimits limits_;
};

// Records what the tables and the info text changed since before as one step
// (the steps that could be redone are dropped), and gives the document a new
// revision. Records nothing when nothing differs; gives whether it recorded.
bool RecordStep(Oob& oob, const TablesSnapshot& before, const StepLabel& label);
bool RecordStep(Oob& oob, const TablesSnapshot& before, const std::string& label);

// Puts the records of the last step back as they were before it, and the unsaved
// mark where it was; gives the step's label, nothing when there is nothing to undo.
std::optional<std::string> UndoStep(Oob& oob);
// Applies the next undone step again; gives its label, nothing when there is none.
std::optional<std::string> RedoStep(Oob& oob);

}  // namespace brackle
