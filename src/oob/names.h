// Name lookups: each takes a number and gives the text shown for it.
#pragma once

#include <string>

#include "oob/records.h"

namespace brackle {

std::string WeaponClassName(int n);
std::string MoveClassName(int n);
std::string PageName(int n);
std::string FormTypeName(int n);
std::string NationName(const NameTables& names, int n);
std::string UnitClassName(const NameTables& names, int n);

}  // namespace brackle
