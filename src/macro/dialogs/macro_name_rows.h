#pragma once

#include "macro/macro_store.h"

class CListUI;

namespace nimba {

// Fills `list` with one row per stored macro, its name, each `row_height` high.
void FillMacroNameRows(CListUI& list, const MacroStore& store, int row_height);

}  // namespace nimba
