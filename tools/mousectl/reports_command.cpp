// `reports FILE.pro`: the reports a full apply of the profile sends, in sending order, and
// the chunks each macro report travels in on the wired link.

#include <string>
#include <vector>

#include "model/button_functions.h"
#include "mousectl/commands.h"
#include "mousectl/hex_line.h"
#include "mousectl/profile_input.h"
#include "protocol/report_catalogue.h"

namespace nimba::mousectl {

int RunReports(const Invocation& call, std::ostream& out, std::ostream& err) {
    const auto profile = ReadProfileFile(call.args[0], err);
    if (!profile) return kExitUsage;

    PrintHexLine(out, "PreambleReport", BuildPreambleReport());
    PrintHexLine(out, "DpiSensorReport", BuildDpiSensorReport(*profile));
    PrintHexLine(out, "LightingReport", BuildLightingReport(*profile));
    PrintHexLine(out, "ReportRateReport", BuildReportRateReport(*profile));
    PrintHexLine(out, "ButtonReport", BuildButtonReport(*profile));

    std::vector<std::pair<int, MacroReport>> macros;
    for (int k = 0; k < kButtonCount; ++k) {
        if (profile->buttons[k].function == kFunctionMacro) {
            macros.emplace_back(k + 1, BuildMacroReport(k + 1, profile->buttons[k]));
        }
    }
    for (const auto& [number, report] : macros) {
        PrintHexLine(out, "MacroReport " + std::to_string(number), report);
    }
    for (const auto& [number, report] : macros) {
        const auto chunks = SplitMacroReport(report, kWiredLastChunkMark);
        for (size_t j = 0; j < chunks.size(); ++j) {
            PrintHexLine(out, "MacroChunk " + std::to_string(number) + " " + std::to_string(j),
                         chunks[j]);
        }
    }
    // A full disk or closed pipe must not pass for a complete listing.
    if (!out.flush()) {
        err << "nimba-mousectl: cannot write the reports\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace nimba::mousectl
