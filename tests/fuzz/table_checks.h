#pragma once

#include "ratedata/jurisdiction.h"
#include "ratedata/mod_main.h"

namespace levywise::fuzz {

// Every field alike; numbers compared by their bits, so a NaN equals itself.
bool SameUnit(const Jurisdiction& a, const Jurisdiction& b);

// Every table, count, flag and text of the shared data alike.
bool SameTables(const modMain& a, const modMain& b);

// The shape every installed table must have: counts within the slots and
// agreeing with each other, names in unsigned byte order, the special
// districts copied in table order with their default selection, and every
// slot past the counts fresh.
void CheckInstalledTable(const modMain& data);

} // namespace levywise::fuzz
