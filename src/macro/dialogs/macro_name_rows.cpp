#include "macro/dialogs/macro_name_rows.h"

#include "model/utf16.h"
#include "skin/list.h"

namespace nimba {

void FillMacroNameRows(CListUI& list, const MacroStore& store, int row_height) {
    list.RemoveAll();
    for (size_t i = 0; i < store.Size(); ++i) {
        MacroRecord record{};
        if (!store.CopyRecord(static_cast<int>(i), record)) continue;
        auto* row = new CListLabelElementUI;
        row->SetText(std::u16string(NameView(record.name)));
        row->SetFixedHeight(row_height);
        list.Add(row);
    }
}

}  // namespace nimba
