// What differs between two loaded OOB files: record by record and field by
// field in slot order, then the bytes no field reads, then a summary line.
//
// Fields are named as the records name them (Radio, YrAvail, Slot3, ...), the
// names the file layout uses. Numbers print in decimal (ExpMod and MoraleMod
// signed); texts print in single quotes with every byte outside printable ASCII,
// the quote and the backslash escaped (\xNN, \', \\), so a terminal never
// receives a raw control byte.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "oob/records.h"

namespace brackle {

struct OobDiff {
    // One line per difference, the summary line last:
    //   unit 020 Heavy Tank 40: Radio 11 -> 113
    //   weapon 107: Name '76mm Gun' -> ''
    //   formation 005: Slot3 1012 -> 1013
    //   info: 'v1.0' -> 'v1.1'
    //   uninterpreted bytes: 3 differ, first at 63080
    //   field bytes that load the same: 1 differ, first at 10112
    //   length: 150000 -> 200000 bytes
    //   3 units, 1 weapon, 2 formations changed; info changed
    // or just "no differences".
    std::vector<std::string> Lines;

    int Units = 0;  // records with at least one changed field
    int Weapons = 0;
    int Formations = 0;
    bool Info = false;

    // Bytes of the common length that no field reads (the layout's gaps, slot 0
    // of every column): how many differ and the first of them.
    std::size_t UninterpretedBytes = 0;
    std::size_t FirstUninterpreted = 0;
    // Bytes inside a field whose loaded values are equal all the same: what
    // follows the NUL that ends a name, spaces the load trims, values the load
    // clears in an empty slot. A save by the editor rewrites them.
    std::size_t HiddenBytes = 0;
    std::size_t FirstHidden = 0;
    bool LengthDiffers = false;

    bool Same() const
    {
        return Units == 0 && Weapons == 0 && Formations == 0 && !Info && UninterpretedBytes == 0 &&
               HiddenBytes == 0 && !LengthDiffers;
    }
};

// Compares a with b (both loaded; their OOBBuffer and LoadedSize as read).
// Bytes are compared over the length both files have; a different length gets
// a line of its own.
OobDiff DiffOob(const Oob& a, const Oob& b);

// Whether some field of the layout (the info text included) reads the byte at offset.
bool IsFieldByte(std::size_t offset);

// The text as the diff prints it inside quotes: printable ASCII as it is,
// \' and \\ for the quote and the backslash, \xNN for every other byte.
std::string QuotedForDiff(const std::string& text);

}  // namespace brackle
