// `profiles`, `import FILE.pro`, `export INDEX FILE.pro`: the profile store beside the program.
// No apply follows a change here, so each change is saved at once.

#include "model/utf16.h"
#include "mousectl/commands.h"
#include "mousectl/import_status_message.h"
#include "mousectl/store_session.h"
#include "persistence/profile_file.h"

namespace nimba::mousectl {

int RunProfiles(Args args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: nimba-mousectl profiles\n";
        return kExitUsage;
    }
    StoreSession session;
    session.profiles.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
        for (size_t i = 0; i < list.size(); ++i) {
            out << i << '\t' << Utf16ToUtf8(NameView(list[i]->name));
            if (static_cast<int32_t>(i) == header.current_profile_index) out << "\t*";
            out << '\n';
        }
    });
    return out.flush() ? kExitOk : kExitFailure;
}

int RunImport(Args args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: nimba-mousectl import FILE.pro\n";
        return kExitUsage;
    }
    StoreSession session;
    const ImportResult result =
        ImportProfile(std::string(args[0]), session.profiles, session.macros);
    if (result.status != ImportStatus::kImported) {
        return ReportRefusedImport(result.status, args[0], "profile file", err);
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
    out << result.index << '\t' << name << '\n';
    return kExitOk;
}

int RunExport(Args args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: nimba-mousectl export INDEX FILE.pro\n";
        return kExitUsage;
    }
    StoreSession session;
    auto profile = std::make_unique<ProfileRecord>();
    const bool found = session.profiles.Edit([&](ProfileList& list, ProfileStoreHeader&) {
        const auto index = ParseIndex(args[0], list.size(), err);
        if (index) *profile = *list[*index];
        return index.has_value();
    });
    if (!found) return kExitUsage;
    if (!ExportProfile(std::string(args[1]), *profile)) {
        err << "nimba-mousectl: cannot write " << args[1] << "\n";
        return kExitFailure;
    }
    out << args[1] << '\n';
    return kExitOk;
}

}  // namespace nimba::mousectl
