// `profiles`, `import FILE.pro`, `export PROFILE FILE.pro`: the profile store beside the
// program. No apply follows a change here, so each change is saved at once.

#include "model/utf16.h"
#include "mousectl/commands.h"
#include "mousectl/import_status_message.h"
#include "mousectl/json_writer.h"
#include "mousectl/profile_change.h"
#include "mousectl/store_session.h"
#include "mousectl/terminal_text.h"
#include "persistence/profile_file.h"

namespace nimba::mousectl {

int RunProfiles(const Invocation& call, std::ostream& out, std::ostream&) {
    StoreSession session(StoreAccess::kReadOnly);
    session.profiles.Edit([&](const ProfileList& list, const ProfileStoreHeader& header) {
        JsonWriter json(out);
        if (call.json) json.BeginArray();
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string name = Utf16ToUtf8(NameView(list[i]->name));
            const bool current = static_cast<int32_t>(i) == header.current_profile_index;
            if (call.json) {
                json.BeginObject().Key("index").Number(static_cast<int64_t>(i));
                json.Key("name").String(name).Key("current").Bool(current).EndObject();
            } else {
                out << i << '\t' << TerminalText(name) << (current ? "\t*" : "") << '\n';
            }
        }
        if (call.json) {
            json.EndArray();
            out << "\n";
        }
    });
    return out.flush() ? kExitOk : kExitFailure;
}

int RunImport(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::string_view path = call.args[0];
    StoreSession session;
    const ImportResult result = ImportProfile(std::string(path), session.profiles, session.macros);
    if (result.status != ImportStatus::kImported) {
        return ReportRefusedImport(result.status, path, "profile file", err);
    }
    // As in the app, the imported profile becomes the current one.
    const std::string name =
        session.profiles.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
            header.current_profile_index = result.index;
            return Utf16ToUtf8(NameView(list[result.index]->name));
        });
    if (!result.saved || !session.profiles.Save()) {
        err << "nimba-mousectl: cannot save the stores\n";
        return kExitFailure;
    }
    out << result.index << '\t' << TerminalText(name) << '\n';
    return StoresSaved(session, err);
}

int RunExport(const Invocation& call, std::ostream& out, std::ostream& err) {
    StoreSession session(StoreAccess::kReadOnly);
    auto profile = std::make_unique<ProfileRecord>();
    const bool found =
        session.profiles.Edit([&](const ProfileList& list, const ProfileStoreHeader&) {
            const auto index = FindProfile(list, call.args[0], err);
            if (index) *profile = *list[*index];
            return index.has_value();
        });
    if (!found) return kExitUsage;
    const std::string path(call.args[1]);
    if (!ExportProfile(path, *profile)) {
        err << "nimba-mousectl: cannot write " << path << "\n";
        return kExitFailure;
    }
    out << path << '\n';
    return kExitOk;
}

}  // namespace nimba::mousectl
