// `macros`, `macro-import FILE.macro`, `macro-export INDEX FILE.macro`: the macro store beside
// the program.

#include "macro/macro_file.h"
#include "model/utf16.h"
#include "mousectl/commands.h"
#include "mousectl/import_status_message.h"
#include "mousectl/json_writer.h"
#include "mousectl/profile_change.h"
#include "mousectl/store_session.h"
#include "mousectl/terminal_text.h"

namespace nimba::mousectl {

int RunMacros(const Invocation& call, std::ostream& out, std::ostream&) {
    StoreSession session(StoreAccess::kReadOnly);
    session.macros.Edit([&](MacroList& list) {
        JsonWriter json(out);
        if (call.json) json.BeginArray();
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string name = Utf16ToUtf8(NameView(list[i]->name));
            if (call.json) {
                json.BeginObject().Key("index").Number(static_cast<int64_t>(i));
                json.Key("name").String(name);
                json.Key("actions").Number(int64_t{list[i]->action_count}).EndObject();
            } else {
                out << i << '\t' << TerminalText(name) << '\t' << list[i]->action_count << '\n';
            }
        }
        if (call.json) {
            json.EndArray();
            out << "\n";
        }
    });
    return out.flush() ? kExitOk : kExitFailure;
}

int RunMacroImport(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::string_view path = call.args[0];
    StoreSession session;
    const ImportResult result = ImportMacro(std::string(path), session.macros);
    if (result.status != ImportStatus::kImported) {
        return ReportRefusedImport(result.status, path, "macro file", err);
    }
    MacroRecord record{};
    session.macros.CopyRecord(result.index, record);
    if (!result.saved) {
        err << "nimba-mousectl: cannot save the macro store\n";
        return kExitFailure;
    }
    out << result.index << '\t' << TerminalText(Utf16ToUtf8(NameView(record.name))) << '\n';
    return StoresSaved(session, err);
}

int RunMacroExport(const Invocation& call, std::ostream& out, std::ostream& err) {
    StoreSession session(StoreAccess::kReadOnly);
    const auto index = ParseIndex(call.args[0], session.macros.Size(), err);
    if (!index) return kExitUsage;
    MacroRecord record{};
    session.macros.CopyRecord(*index, record);
    const std::string path(call.args[1]);
    if (!ExportMacro(path, record)) {
        err << "nimba-mousectl: cannot write " << path << "\n";
        return kExitFailure;
    }
    out << path << '\n';
    return kExitOk;
}

}  // namespace nimba::mousectl
