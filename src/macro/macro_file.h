#pragma once

#include <string>

#include "macro/macro_record.h"
#include "macro/macro_store.h"
#include "persistence/file_import.h"

namespace nimba {

// Writes the record as a 240-byte .macro file; false when the file could not be written.
bool ExportMacro(const std::string& path, const MacroRecord& record);

// Appends the macro of a .macro file to the store under a free name and saves the store.
// A file shorter than one record, or one whose action count lies outside 0..46, is refused
// and the store stays as it was.
ImportResult ImportMacro(const std::string& path, MacroStore& store);

}  // namespace nimba
