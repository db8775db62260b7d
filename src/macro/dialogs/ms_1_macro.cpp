#include "macro/dialogs/ms_1_macro.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <string>

#include "dialogs/msg_wnd.h"
#include "keys/key_table.h"
#include "macro/dialogs/macro_name_rows.h"
#include "macro/macro_file.h"
#include "model/leading_integer.h"
#include "model/utf16.h"
#include "persistence/data_directory.h"
#include "persistence/name_case.h"
#include "persistence/unique_name.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "skin/button.h"
#include "skin/combo.h"
#include "skin/container.h"
#include "skin/dialog_builder.h"
#include "skin/file_dialogs.h"
#include "skin/list.h"
#include "skin/resource_manager.h"

namespace nimba {
namespace {

constexpr int kMacroRowHeight = 22;
constexpr int kNewMacroRowHeight = 30;
constexpr int kActionRowHeight = 30;
// "Flie" is the filter's name as the program has always shown it; kept on purpose.
constexpr wchar_t kMacroFilter[] = L"Macro Flie\0*.macro;*.MACRO\0";
constexpr size_t kPathChars = 4096;
// The insert-a-click buttons, in the order of the mouse choice.
constexpr std::u16string_view kClickButtons[] = {u"ms_1_macro_key1_btn", u"ms_1_macro_key2_btn",
                                                 u"ms_1_macro_key3_btn", u"ms_1_macro_key4_btn",
                                                 u"ms_1_macro_key5_btn"};

uint32_t NowTicks() {
    return static_cast<uint32_t>(platform::NowMs());
}

std::u16string Decimal(long long value) {
    return platform::Utf8ToUtf16(std::to_string(value));
}

long long FieldValue(const CControlUI* field) {
    return field != nullptr ? ParseLeadingInteger(field->GetText()) : 0;
}

}  // namespace

CMS_1_Macro::CMS_1_Macro(MacroStore& store, InputCapture& capture)
    : store_(store), capture_(capture) {}

CMS_1_Macro::~CMS_1_Macro() {
    StopEverything();
}

void CMS_1_Macro::Run(HWND owner, MacroStore& store, InputCapture& capture) {
    CMS_1_Macro editor(store, capture);
    editor.RunModal(owner);
}

void CMS_1_Macro::InitWindow() {
    const auto find_as = [this]<class T>(std::u16string_view name, T*& out) {
        out = m_pm.FindControlAs<T>(name);
        if (out == nullptr) Trace("macro editor: no control " + platform::Utf16ToUtf8(name));
    };
    find_as(u"ms_1_macro_list", macro_list_);
    find_as(u"ms_1_macro_action_list", action_list_);
    find_as(u"ms_1_macro_name_edit", name_edit_);
    find_as(u"ms_1_macro_record_btn", record_button_);
    find_as(u"ms_1_macro_insert_mouse_btn", insert_mouse_check_);
    find_as(u"ms_1_macro_action_edit_check", edit_check_);
    find_as(u"ms_1_macro_action_edit_tab", edit_tab_);
    find_as(u"ms_1_default_delay_edit", default_delay_edit_);
    find_as(u"ms_1_macro_action_edit", key_edit_);
    find_as(u"ms_1_macro_delay_edit", key_delay_edit_);
    find_as(u"ms_1_macro_mouse_action_combo", mouse_combo_);
    find_as(u"ms_1_macro_mouseaction_delay_edit", mouse_delay_edit_);

    if (macro_list_ != nullptr) FillMacroNameRows(*macro_list_, store_, kMacroRowHeight);
    // Escape closes the editor, except while the key field waits for a key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] {
        if (target_ != CaptureTarget::kActionKey) Close(0);
    });
}

LRESULT CMS_1_Macro::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    StopEverything();
    return 0;
}

void CMS_1_Macro::StopEverything() {
    closing_ = true;
    if (recorder_.recording()) StopRecording();
    if (target_ == CaptureTarget::kActionKey) StopKeyCapture();
    if (GetHWND() != nullptr) {
        ::KillTimer(GetHWND(), kInsertedRowTimer);
        ::KillTimer(GetHWND(), kReloadedRowTimer);
    }
}

LRESULT CMS_1_Macro::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (msg == WM_TIMER && (wParam == kInsertedRowTimer || wParam == kReloadedRowTimer)) {
        handled = true;
        OnTimer(static_cast<UINT>(wParam));
        return 0;
    }
    if (msg != kInputEventMessage) return 0;
    handled = true;
    if (target_ == CaptureTarget::kRecording) RecordEvent(wParam, lParam);
    if (target_ == CaptureTarget::kActionKey) CaptureKey(wParam);
    return 0;
}

void CMS_1_Macro::Notify(TNotifyUI& msg) {
    const std::u16string& type = msg.sType;
    if (msg.pSender == nullptr) return;
    if (type == notify_type::kClick) {
        OnClick(msg);
    } else if (type == notify_type::kCheckClick) {
        OnCheckClick(msg);
    } else if (type == notify_type::kItemSelect) {
        OnItemSelect(msg);
    } else if (type == notify_type::kKillFocus) {
        OnKillFocus(msg);
    } else if (type == notify_type::kSetFocus && msg.pSender == key_edit_) {
        StartKeyCapture();
    } else if (msg.pSender == record_button_ && recorder_.recording()) {
        if (type == notify_type::kMouseEnter) PointerOverRecordButton(true);
        if (type == notify_type::kMouseLeave) PointerOverRecordButton(false);
    }
}

void CMS_1_Macro::OnClick(TNotifyUI& msg) {
    const std::u16string& name = msg.pSender->GetName();
    if (name == u"btn_exit") {
        Close(1);
    } else if (name == u"ms_1_macro_add_btn") {
        AddMacro();
    } else if (name == u"ms_1_macro_delete_btn") {
        DeleteMacro();
    } else if (name == u"ms_1_macro_up_btn") {
        MoveAction(-1);
    } else if (name == u"ms_1_macro_down_btn") {
        MoveAction(1);
    } else if (name == u"ms_1_macro_delete_action_btn") {
        DeleteAction();
    } else if (name == u"ms_1_macro_clear_action_btn") {
        ClearActions();
    } else if (name == u"ms_1_record_delay_btn") {
        SetDelayMode(DelayMode::kRecorded);
    } else if (name == u"ms_1_default_delay_btn") {
        SetDelayMode(DelayMode::kDefault);
    } else if (name == u"ms_1_no_delay_btn") {
        SetDelayMode(DelayMode::kNone);
    } else if (name == u"ms_1_macro_save_btn") {
        SaveActions();
        OpenEditPanel(false);
    } else if (name == u"ms_1_macro_cancel_btn") {
        OpenEditPanel(false);
        LoadMacro(current_index_, Reload::kKeepRecordingRow);
    } else if (name == u"ms_1_macro_import_btn") {
        ImportMacroFile();
    } else if (name == u"ms_1_macro_export_btn") {
        ExportMacroFile();
    } else if (const auto* click = std::ranges::find(kClickButtons, name);
               click != std::end(kClickButtons)) {
        InsertMouseClick(kMouseChoiceCodes[click - std::begin(kClickButtons)]);
    }
}

void CMS_1_Macro::OnCheckClick(TNotifyUI& msg) {
    if (msg.pSender == record_button_) {
        ToggleRecording(record_button_->GetCheck());
    } else if (msg.pSender == insert_mouse_check_) {
        const bool mouse = insert_mouse_check_->GetCheck();
        if (CControlUI* tab = m_pm.FindControl(u"ms_1_macro_mouse_event_tab"))
            tab->SetVisible(mouse);
        if (CControlUI* tab = m_pm.FindControl(u"ms_1_macro_name_tab")) tab->SetVisible(!mouse);
    } else if (msg.pSender == edit_check_) {
        OpenEditPanel(edit_check_->GetCheck());
    }
}

void CMS_1_Macro::OnItemSelect(TNotifyUI& msg) {
    const int index = static_cast<int>(msg.wParam);
    if (msg.pSender == macro_list_) {
        Trace("iActionIndex=" + std::to_string(draft_.selected()) + ", iNextActionIndex=-1");
        LoadMacro(index);
    } else if (msg.pSender == action_list_) {
        draft_.Select(index);
        if (edit_check_ != nullptr && edit_check_->GetCheck()) ShowEditPanel();
    } else if (msg.pSender == mouse_combo_) {
        EditMouseButton(index);
    }
}

void CMS_1_Macro::OnKillFocus(TNotifyUI& msg) {
    if (msg.pSender == name_edit_) {
        Rename();
    } else if (msg.pSender == default_delay_edit_) {
        ClampDefaultDelayField();
    } else if (msg.pSender == key_delay_edit_ || msg.pSender == mouse_delay_edit_) {
        EditDelay(msg.pSender);
    } else if (msg.pSender == key_edit_) {
        StopKeyCapture();
    }
}

void CMS_1_Macro::OnTimer(UINT id) {
    ::KillTimer(GetHWND(), id);
    if (action_list_ == nullptr || pending_row_ < 0 || pending_row_ >= action_list_->GetCount())
        return;
    SelectAction(pending_row_);
    action_list_->EnsureVisible(pending_row_);
}

UINT CMS_1_Macro::ShowMessage(std::u16string key) {
    const UINT answer = ShowMessageBox(GetHWND(), std::move(key));
    // The keyboard comes back to the editor, where the user goes on.
    if (QWidget* window = GetWindowWidget()) window->activateWindow();
    return answer;
}

// ---- Macros ----

void CMS_1_Macro::AddMacro() {
    const MacroStore::Created created = store_.CreateNewMacro();
    AppendMacroRow(std::u16string(NameView(created.record->name)));
    TellSaved(created.saved);
}

void CMS_1_Macro::AppendMacroRow(const std::u16string& name) {
    if (macro_list_ == nullptr) return;
    auto* row = new CListLabelElementUI;
    row->SetText(name);
    row->SetFixedHeight(kNewMacroRowHeight);
    macro_list_->Add(row);
    const int index = macro_list_->GetCount() - 1;
    macro_list_->SelectItem(index);
    LoadMacro(index);
}

void CMS_1_Macro::DeleteMacro() {
    if (macro_list_ == nullptr) return;
    const int row = macro_list_->GetCurSel();
    if (row < 0) return;
    if (ShowMessage(u"delete_macro_text") != 1) return;
    if (recorder_.recording()) StopRecording();
    const bool saved = store_.Remove(row);
    macro_list_->RemoveAt(row);
    TellSaved(saved);
    const int next = std::min(row, macro_list_->GetCount() - 1);
    if (next < 0) {
        // The actions stay on show until another macro is loaded.
        current_index_ = -1;
        SelectAction(-1);
        return;
    }
    macro_list_->SelectItem(next);
    LoadMacro(next);
}

void CMS_1_Macro::LoadMacro(int index, Reload reload) {
    MacroRecord record{};
    if (!store_.CopyRecord(index, record)) return;
    // A recording belongs to the macro it started in; it ends, saved, before another one shows.
    if (recorder_.recording() && index != current_index_) StopRecording();
    current_index_ = index;
    draft_.Load(record);
    if (name_edit_ != nullptr) name_edit_->SetText(std::u16string(NameView(record.name)));
    RebuildActionList(reload);
    // A macro comes up with no action selected, so a recording replaces its actions unless
    // the user picks the one to record after. A reload keeps the row it is bringing back.
    if (reload == Reload::kNone) SelectAction(-1);
}

void CMS_1_Macro::Rename() {
    if (!HasCurrent() || name_edit_ == nullptr) return;
    MacroRecord record{};
    if (!store_.CopyRecord(current_index_, record)) return;
    const std::u16string current(NameView(record.name));
    // Cut first, so the name tested is the name that would be stored.
    const std::u16string wanted = CutName(name_edit_->GetText(), kMacroNameChars);
    if (EqualsIgnoringCase(wanted, current)) return;
    if (wanted.empty() || store_.NameExists(wanted)) {
        name_edit_->SetText(current);
        return;
    }
    store_.Edit([&](MacroList& macros) {
        if (current_index_ < static_cast<int>(macros.size()))
            CopyName(macros[current_index_]->name, wanted);
    });
    name_edit_->SetText(wanted);
    SaveActions();
    if (macro_list_ != nullptr) {
        if (CControlUI* row = macro_list_->GetItemAt(current_index_)) row->SetText(wanted);
    }
}

std::optional<std::string> CMS_1_Macro::AskForMacroFile(bool save) {
    const std::wstring folder = platform::FromUtf8(FileDialogFolder());
    std::wstring path(kPathChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.nFilterIndex = 1;
    dialog.hwndOwner = GetHWND();
    dialog.lpstrFilter = kMacroFilter;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathChars;
    dialog.lpstrInitialDir = folder.c_str();
    if (save) {
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        dialog.lpstrDefExt = L"macro";
        if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    } else {
        dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    }
    return platform::ToUtf8(path.c_str());
}

void CMS_1_Macro::ImportMacroFile() {
    const std::optional<std::string> path = AskForMacroFile(false);
    if (!path) return;
    const ImportResult result = ImportMacro(*path, store_);
    switch (result.status) {
        case ImportStatus::kImported:
            break;
        case ImportStatus::kUnreadable:
            ShowMessage(u"macro_file_unreadable_text");
            return;
        case ImportStatus::kNotAFile:
            ShowMessage(u"file_not_regular_text");
            return;
        case ImportStatus::kTruncated:
        case ImportStatus::kInvalid:
            ShowMessage(u"macro_file_invalid_text");
            return;
    }
    if (!result.saved) ShowMessage(u"macro_store_unsaved_text");
    MacroRecord record{};
    if (store_.CopyRecord(result.index, record))
        AppendMacroRow(std::u16string(NameView(record.name)));
}

void CMS_1_Macro::ExportMacroFile() {
    MacroRecord record{};
    if (!HasCurrent() || !store_.CopyRecord(current_index_, record)) {
        ShowMessage(u"macro_export_none_text");
        return;
    }
    const std::optional<std::string> path = AskForMacroFile(true);
    if (!path) return;
    if (!ExportMacro(*path, record)) {
        ShowMessage(u"macro_file_unwritable_text");
    }
}

// ---- Actions ----

void CMS_1_Macro::SaveActions() {
    Trace("iTotalNum = " + std::to_string(draft_.Weight()));
    if (!HasCurrent()) return;
    if (!draft_.Savable()) {
        LoadMacro(current_index_);
        ShowMessage(u"macro_too_long_text");
        return;
    }
    store_.Edit([&](MacroList& macros) {
        if (current_index_ < static_cast<int>(macros.size()))
            draft_.WriteInto(*macros[current_index_]);
    });
    TellSaved(store_.Save());
}

void CMS_1_Macro::TellSaved(bool saved) {
    if (saved) {
        save_failure_told_ = false;
    } else if (closing_) {
        Trace("macro editor: the macro store could not be saved");
    } else if (!save_failure_told_) {
        save_failure_told_ = true;
        ShowMessage(u"macro_store_save_failed_text");
    }
}

void CMS_1_Macro::RebuildActionList(Reload reload) {
    if (action_list_ == nullptr) return;
    action_list_->RemoveAll();
    for (int i = 0; i < draft_.count(); ++i) {
        CControlUI* row = CDialogBuilder().Create(u"keylistitem.xml", &m_pm);
        if (row == nullptr) return;
        row->SetFixedHeight(kActionRowHeight);
        action_list_->Add(row);
        FillRow(i);
    }
    if (reload == Reload::kKeepRecordingRow && recorder_.start_insertion() >= 0) {
        SelectRowLater(recorder_.start_insertion(), kReloadedRowTimer);
    } else if (insert_mode_) {
        SelectRowLater(draft_.cursor().insertion - 1, kInsertedRowTimer);
    } else {
        SelectAction(draft_.count() - 1);
    }
}

void CMS_1_Macro::SelectAction(int row) {
    draft_.Select(row);
    if (action_list_ != nullptr) action_list_->SelectItem(draft_.selected());
}

void CMS_1_Macro::FillRow(int index) {
    auto* row = dynamic_cast<CContainerUI*>(action_list_->GetItemAt(index));
    if (row == nullptr) return;
    const MacroAction& action = draft_.action(index);
    if (CControlUI* key = row->FindSubControl(u"key")) {
        key->SetText(KeyName(action.code, LanguageText));
        key->SetBkImage(IsMouseButtonCode(action.code)
                            ? u"res='skins/mouse.png' dest='2,2,28,28'"
                            : u"res='skins/keyboard_key_action.png' dest='5,6,35,24'");
    }
    if (CControlUI* kind = row->FindSubControl(u"action")) {
        const bool press = action.kind == kMacroPress;
        kind->SetResourceText(true);
        kind->SetText(press ? u"key_down_action" : u"key_up_action");
        kind->SetBkImage(press ? u"res='skins/macro_key_down.png' dest='5,6,21,24'"
                               : u"res='skins/macro_key_up.png' dest='5,6,21,24'");
    }
    if (CControlUI* delay = row->FindSubControl(u"delay")) {
        delay->SetText(Decimal(draft_.ShownDelay(index)));
    }
}

void CMS_1_Macro::SelectRowLater(int row, UINT timer) {
    pending_row_ = row;
    // A window timer rather than a control timer: it runs on the program's clock.
    ::SetTimer(GetHWND(), timer, kRowTimerMs);
}

void CMS_1_Macro::MoveAction(int by) {
    const int from = draft_.selected();
    if (!draft_.MoveSelected(by)) return;
    FillRow(from);
    FillRow(draft_.selected());
    SelectAction(draft_.selected());
    SaveActions();
}

void CMS_1_Macro::DeleteAction() {
    const int s = draft_.selected();
    if (!draft_.DeleteSelected()) return;
    if (action_list_ != nullptr) action_list_->RemoveAt(s);
    // The new last action shows the fixed last delay.
    if (draft_.count() > 0) FillRow(draft_.count() - 1);
    SelectAction(draft_.selected());
    SaveActions();
}

void CMS_1_Macro::ClearActions() {
    if (!HasCurrent()) return;
    draft_.Clear();
    insert_mode_ = false;
    SelectAction(-1);
    SaveActions();
    RebuildActionList();
}

void CMS_1_Macro::InsertMouseClick(uint8_t code) {
    if (!HasCurrent()) return;
    const uint16_t delay =
        recorder_.delay_mode == DelayMode::kDefault ? DefaultDelayField() : kMinDelayMs;
    if (!draft_.InsertClick(code, delay)) {
        ShowMessage(u"macro_full_text");
        return;
    }
    insert_mode_ = true;
    RebuildActionList();
    SaveActions();
    insert_mode_ = false;
}

void CMS_1_Macro::SetDelayMode(DelayMode mode) {
    recorder_.delay_mode = mode;
}

uint16_t CMS_1_Macro::DefaultDelayField() {
    return ClampDelay(FieldValue(default_delay_edit_));
}

void CMS_1_Macro::ClampDefaultDelayField() {
    if (default_delay_edit_ == nullptr) return;
    const long long typed = FieldValue(default_delay_edit_);
    const uint16_t value = ClampDelay(typed);
    if (value != typed) default_delay_edit_->SetText(Decimal(value));
}

void CMS_1_Macro::OpenEditPanel(bool open) {
    if (open && draft_.selected() < 0) open = false;
    if (edit_check_ != nullptr && edit_check_->GetCheck() != open) edit_check_->SetCheck(open);
    if (open) {
        ShowEditPanel();
    } else if (edit_tab_ != nullptr) {
        edit_tab_->SelectItem(0);
    }
}

void CMS_1_Macro::ShowEditPanel() {
    const int s = draft_.selected();
    if (!draft_.HasSelection() || edit_tab_ == nullptr) return;
    const MacroAction& action = draft_.action(s);
    const bool last = draft_.IsLast(s);
    CControlUI* delay_field = nullptr;
    if (IsMouseButtonCode(action.code)) {
        edit_tab_->SelectItem(2);
        if (mouse_combo_ != nullptr) mouse_combo_->SelectItem(MouseChoiceOf(action.code));
        delay_field = mouse_delay_edit_;
    } else {
        edit_tab_->SelectItem(1);
        if (key_edit_ != nullptr) key_edit_->SetText(KeyName(action.code, LanguageText));
        delay_field = key_delay_edit_;
    }
    if (delay_field != nullptr) {
        delay_field->SetText(Decimal(draft_.ShownDelay(s)));
        delay_field->SetEnabled(!last);
    }
}

void CMS_1_Macro::EditDelay(CControlUI* field) {
    const uint16_t value = ClampDelay(FieldValue(field));
    if (draft_.SetSelectedDelay(value)) {
        FillRow(draft_.selected());
        if (field == mouse_delay_edit_) field->SetText(Decimal(value));
    }
    SaveActions();
}

void CMS_1_Macro::EditMouseButton(int item) {
    if (item < 0 || item >= static_cast<int>(std::size(kMouseChoiceCodes))) return;
    if (!draft_.SetSelectedCode(kMouseChoiceCodes[item])) return;
    FillRow(draft_.selected());
    SaveActions();
}

// ---- Capture ----

void CMS_1_Macro::ToggleRecording(bool start) {
    if (start && !recorder_.recording()) {
        StartRecording();
    } else if (!start && recorder_.recording()) {
        StopRecording();
    }
}

void CMS_1_Macro::StartRecording() {
    if (!capture_.Available()) {
        Trace("macro editor: no input capture library, nothing can be recorded");
        if (record_button_ != nullptr) record_button_->SetCheck(false);
        return;
    }
    if (target_ == CaptureTarget::kActionKey) StopKeyCapture();
    if (!HasCurrent()) AddMacro();
    if (!HasCurrent()) return;
    recorder_.Start(draft_.cursor(), DefaultDelayField(), NowTicks());
    insert_mode_ = recorder_.insert_mode();
    if (record_button_ != nullptr) {
        record_button_->SetResourceText(true);
        record_button_->SetText(u"stop_recording_text");
    }
    target_ = CaptureTarget::kRecording;
    session_.emplace(capture_, GetHWND());
    // The click that starts a recording leaves the pointer on the button, and the click that
    // stops it must not be recorded; a recording started from the keyboard records clicks.
    const QWidget* button = record_button_ != nullptr ? record_button_->GetWidget() : nullptr;
    PointerOverRecordButton(button != nullptr && button->underMouse());
    if (!insert_mode_) RebuildActionList();
}

void CMS_1_Macro::StopRecording() {
    recorder_.Stop();
    target_ = CaptureTarget::kNone;
    if (record_button_ != nullptr) {
        record_button_->SetResourceText(true);
        record_button_->SetText(u"start_recording_text");
        record_button_->SetCheck(false);
    }
    session_.reset();
    SaveActions();
}

void CMS_1_Macro::PointerOverRecordButton(bool over) {
    if (session_) session_->SetMouse(!over);
}

void CMS_1_Macro::RecordEvent(WPARAM wParam, LPARAM lParam) {
    const MacroRecorder::Result result =
        recorder_.Record(draft_.cursor(), wParam, lParam, NowTicks());
    if (result == MacroRecorder::Result::kIgnored) return;
    RebuildActionList();
    if (result == MacroRecorder::Result::kFull) StopRecording();
}

void CMS_1_Macro::StartKeyCapture() {
    if (target_ == CaptureTarget::kRecording) return;
    if (!capture_.Available()) {
        Trace("macro editor: no input capture library, the key field takes no keys");
        return;
    }
    target_ = CaptureTarget::kActionKey;
    session_.emplace(capture_, GetHWND());
}

void CMS_1_Macro::StopKeyCapture() {
    if (target_ != CaptureTarget::kActionKey) return;
    target_ = CaptureTarget::kNone;
    session_.reset();
}

void CMS_1_Macro::CaptureKey(WPARAM wParam) {
    if (!IsVirtualKey(wParam)) return;
    const uint8_t code = KeyCodeOfVirtualKey(static_cast<int>(wParam)).code;
    if (key_edit_ != nullptr) key_edit_->SetText(KeyName(code, LanguageText));
    if (draft_.SetSelectedCode(code)) FillRow(draft_.selected());
    SaveActions();
}

}  // namespace nimba
