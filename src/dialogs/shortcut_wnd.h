#pragma once

// The key combination dialog: four modifier boxes (Ctrl, Shift, Alt, Win) and a field that
// takes the next key through the input capture library while it has the focus.

#include <array>
#include <cstdint>
#include <optional>

#include "macro/input_capture.h"
#include "skin/window_impl_base.h"

class CCheckBoxUI;
class CControlUI;

namespace nimba {

struct KeyCombination {
    uint8_t key = 0;        // key code, 0 none
    uint8_t modifiers = 0;  // bit 0 Ctrl, 1 Shift, 2 Alt, 3 Win
};

class CShortcutWnd : public WindowImplBase {
public:
    CShortcutWnd(KeyCombination preset, InputCapture& capture);
    ~CShortcutWnd() override;
    CShortcutWnd(const CShortcutWnd&) = delete;
    CShortcutWnd& operator=(const CShortcutWnd&) = delete;

    std::u16string GetWindowClassName() const override { return u"ShortcutWnd"; }
    std::u16string GetSkinFile() override { return u"shortcut.xml"; }
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Shows the dialog over `owner`; the combination when the user answered OK.
    static std::optional<KeyCombination> Run(HWND owner, KeyCombination preset,
                                             InputCapture& capture);

private:
    void StartCapture();
    void ShowKey();

    KeyCombination combination_;
    InputCapture& capture_;
    std::optional<CaptureSession> session_;
    std::array<CCheckBoxUI*, 4> flags_{};
    CControlUI* key_edit_ = nullptr;
};

}  // namespace nimba
