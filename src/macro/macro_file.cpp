#include "macro/macro_file.h"

#include "persistence/atomic_file.h"
#include "persistence/file_stream.h"

namespace nimba {

bool ExportMacro(const std::string& path, const MacroRecord& record) {
    return WriteFileAtomically(path, [&](OutputStream& out) { return WriteRecord(out, record); });
}

ImportResult ImportMacro(const std::string& path, MacroStore& store) {
    OpenFailure failure;
    auto in = FileInputStream::Open(path, &failure);
    if (!in) return {RefusalFor(failure), -1};
    MacroRecord record{};
    if (ReadRecord(*in, record) < sizeof(MacroRecord)) return {ImportStatus::kTruncated, -1};
    if (record.action_count < 0 || record.action_count > kMaxMacroActions) {
        return {ImportStatus::kInvalid, -1};
    }
    // Add() cuts a name that has no terminator within its field to 23 characters.
    const int index = store.Add(record);
    return {ImportStatus::kImported, index, store.Save()};
}

}  // namespace nimba
