#pragma once

// The program as a scenario drives it.

#include "app/program.h"
#include "scenario/scenario_host.h"

namespace nimba {

class ProgramScenarioHost final : public scenario::ScenarioHost {
public:
    explicit ProgramScenarioHost(std::string runtime_folder)
        : program_(std::move(runtime_folder), false) {}

    int Start() override { return program_.Start(); }
    bool Running() const override;
    void Quit() override;
    void TrayClick(bool right) override;
    bool TrayShown() const override;
    std::string TrayTooltip() const override;
    scenario::LinkFlags Links() const override;
    std::string DataDirectory() const override;
    HWND InputTarget() const override;
    void FinishWrites() override;
    void BringToFront(const std::string& program) override;

private:
    CMainWnd* window() const { return program_.main_window(); }

    Program program_;
};

}  // namespace nimba
