// `macros`, `macro-import FILE.macro`, `macro-export INDEX FILE.macro`: the macro store beside
// the program.

#include "macro/macro_file.h"
#include "model/utf16.h"
#include "mousectl/commands.h"
#include "mousectl/import_status_message.h"
#include "mousectl/store_session.h"

namespace nimba::mousectl {

int RunMacros(Args args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: nimba-mousectl macros\n";
        return kExitUsage;
    }
    StoreSession session;
    session.macros.Edit([&](MacroList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            out << i << '\t' << Utf16ToUtf8(NameView(list[i]->name)) << '\t'
                << list[i]->action_count << '\n';
        }
    });
    return out.flush() ? kExitOk : kExitFailure;
}

int RunMacroImport(Args args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: nimba-mousectl macro-import FILE.macro\n";
        return kExitUsage;
    }
    StoreSession session;
    const ImportResult result = ImportMacro(std::string(args[0]), session.macros);
    if (result.status != ImportStatus::kImported) {
        return ReportRefusedImport(result.status, args[0], "macro file", err);
    }
    MacroRecord record{};
    session.macros.CopyRecord(result.index, record);
    if (!result.saved) {
        err << "nimba-mousectl: cannot save the macro store\n";
        return kExitFailure;
    }
    out << result.index << '\t' << Utf16ToUtf8(NameView(record.name)) << '\n';
    return kExitOk;
}

int RunMacroExport(Args args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: nimba-mousectl macro-export INDEX FILE.macro\n";
        return kExitUsage;
    }
    StoreSession session;
    const auto index = ParseIndex(args[0], session.macros.Size(), err);
    if (!index) return kExitUsage;
    MacroRecord record{};
    session.macros.CopyRecord(*index, record);
    if (!ExportMacro(std::string(args[1]), record)) {
        err << "nimba-mousectl: cannot write " << args[1] << "\n";
        return kExitFailure;
    }
    out << args[1] << '\n';
    return kExitOk;
}

}  // namespace nimba::mousectl
