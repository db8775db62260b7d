#pragma once

// The macro editor: the stored macros on one side, the chosen macro's actions on the other,
// recording from the capture library, mouse clicks inserted by hand and single actions edited.
// Every change is written to the macro store at once. Shown modally by the settings page.

#include <optional>
#include <string>

#include "macro/input_capture.h"
#include "macro/macro_draft.h"
#include "macro/macro_recorder.h"
#include "macro/macro_store.h"
#include "skin/window_impl_base.h"

class CCheckBoxUI;
class CComboUI;
class CListUI;
class CTabLayoutUI;

namespace nimba {

class CMS_1_Macro : public WindowImplBase {
public:
    static constexpr UINT kInsertedRowTimer = 6;
    static constexpr UINT kReloadedRowTimer = 28;
    static constexpr UINT kRowTimerMs = 50;

    CMS_1_Macro(MacroStore& store, InputCapture& capture);
    ~CMS_1_Macro() override;

    std::u16string GetWindowClassName() const override { return u"MS_1_Macro"; }
    std::u16string GetSkinFile() override { return u"MS/MS_1/ms_1_macropage.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    void OnClick(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Shows the editor over `owner` until it closes.
    static void Run(HWND owner, MacroStore& store, InputCapture& capture);

private:
    enum class CaptureTarget { kNone, kRecording, kActionKey };
    // What a reload of the macro selects: the row a recording started at, or nothing.
    enum class Reload { kNone, kKeepRecordingRow };

    void OnCheckClick(TNotifyUI& msg);
    void OnItemSelect(TNotifyUI& msg);
    void OnKillFocus(TNotifyUI& msg);
    void OnTimer(UINT id);

    UINT ShowMessage(std::u16string key);
    // Says a failed save of the macro store once per run of failures, and never while the
    // editor is closing (its window is going; the failure is traced).
    void TellSaved(bool saved);
    void AddMacro();
    void DeleteMacro();
    void LoadMacro(int index, Reload reload = Reload::kNone);
    void Rename();
    // The file the user picks in the open (or save) dialog; nullopt when cancelled.
    std::optional<std::string> AskForMacroFile(bool save);
    void ImportMacroFile();
    void ExportMacroFile();
    void AppendMacroRow(const std::u16string& name);
    void SaveActions();
    void RebuildActionList(Reload reload = Reload::kNone);
    void FillRow(int index);
    void SelectRowLater(int row, UINT timer);
    // Selects the row and makes it the selected action (-1: none).
    void SelectAction(int row);
    void MoveAction(int by);
    void DeleteAction();
    void ClearActions();
    void InsertMouseClick(uint8_t code);
    void SetDelayMode(DelayMode mode);
    uint16_t DefaultDelayField();
    void ClampDefaultDelayField();
    void OpenEditPanel(bool open);
    void ShowEditPanel();
    void EditDelay(CControlUI* field);
    void EditMouseButton(int item);

    void ToggleRecording(bool start);
    void StartRecording();
    void StopRecording();
    void RecordEvent(WPARAM wParam, LPARAM lParam);
    void PointerOverRecordButton(bool over);
    void StartKeyCapture();
    void StopKeyCapture();
    void CaptureKey(WPARAM wParam);
    // Ends recording and key capture, and the row timers: nothing of this window may run
    // after it closes.
    void StopEverything();

    bool HasCurrent() const { return current_index_ >= 0; }

    MacroStore& store_;
    InputCapture& capture_;
    MacroRecorder recorder_;
    CaptureTarget target_ = CaptureTarget::kNone;
    std::optional<CaptureSession> session_;

    int current_index_ = -1;
    MacroDraft draft_;
    bool insert_mode_ = false;
    bool save_failure_told_ = false;
    bool closing_ = false;
    int pending_row_ = -1;

    CListUI* macro_list_ = nullptr;
    CListUI* action_list_ = nullptr;
    CControlUI* name_edit_ = nullptr;
    CCheckBoxUI* record_button_ = nullptr;
    CCheckBoxUI* insert_mouse_check_ = nullptr;
    CCheckBoxUI* edit_check_ = nullptr;
    CTabLayoutUI* edit_tab_ = nullptr;
    CControlUI* default_delay_edit_ = nullptr;
    CControlUI* key_edit_ = nullptr;
    CControlUI* key_delay_edit_ = nullptr;
    CComboUI* mouse_combo_ = nullptr;
    CControlUI* mouse_delay_edit_ = nullptr;
};

}  // namespace nimba
