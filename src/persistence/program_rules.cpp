#include "persistence/program_rules.h"

#include <algorithm>

#include "model/utf16.h"
#include "persistence/name_case.h"

namespace nimba {

bool IsProgramName(std::string_view program) {
    if (program.empty() || program == kAnyOtherProgram || program.front() == '#') return false;
    if (program.front() == ' ' || program.back() == ' ') return false;
    return program.find_first_of("=\r\n\t") == std::string_view::npos;
}

bool SameName(std::string_view a, std::string_view b) {
    return EqualsIgnoringCase(Utf8ToUtf16(std::string(a)), Utf8ToUtf16(std::string(b)));
}

const ProgramRule* ProgramRules::Find(const ProgramNames& names) const {
    for (const std::string& name : names) {
        for (const ProgramRule& rule : rules_) {
            if (SameName(rule.program, name)) return &rule;
        }
    }
    return nullptr;
}

std::string ProgramRules::ProfileFor(const ProgramNames& names) const {
    const ProgramRule* rule = Find(names);
    return rule != nullptr ? rule->profile : no_rule_profile_;
}

void ProgramRules::Set(std::string_view program, std::string profile) {
    for (ProgramRule& rule : rules_) {
        if (SameName(rule.program, program)) {
            rule.profile = std::move(profile);
            return;
        }
    }
    rules_.push_back({std::string(program), std::move(profile)});
}

bool ProgramRules::Remove(std::string_view program) {
    return std::erase_if(rules_,
                         [&](const ProgramRule& r) { return SameName(r.program, program); }) > 0;
}

void ProgramRules::RenameProfile(std::string_view old_name, std::string_view new_name) {
    for (ProgramRule& rule : rules_) {
        if (SameName(rule.profile, old_name)) rule.profile = new_name;
    }
    if (SameName(no_rule_profile_, old_name)) no_rule_profile_ = new_name;
}

void ProgramRules::RemoveProfile(std::string_view profile) {
    std::erase_if(rules_, [&](const ProgramRule& r) { return SameName(r.profile, profile); });
    if (SameName(no_rule_profile_, profile)) no_rule_profile_.clear();
}

void ProgramRules::TakeEdits(const ProgramRules& before, const ProgramRules& after) {
    auto profile_of = [](const ProgramRules& rules, const std::string& program) {
        const ProgramRule* rule = rules.Find({program});
        return rule != nullptr ? rule->profile : std::string();
    };
    for (const ProgramRules* side : {&before, &after}) {
        for (const ProgramRule& rule : side->rules()) {
            const std::string is = profile_of(after, rule.program);
            if (is == profile_of(before, rule.program)) continue;
            if (is.empty()) {
                Remove(rule.program);
            } else {
                Set(rule.program, is);
            }
        }
    }
    if (before.no_rule_profile() != after.no_rule_profile())
        SetNoRuleProfile(after.no_rule_profile());
}

bool ProgramRules::Names(std::string_view profile) const {
    return SameName(no_rule_profile_, profile) ||
           std::ranges::any_of(rules_,
                               [&](const ProgramRule& r) { return SameName(r.profile, profile); });
}

}  // namespace nimba
