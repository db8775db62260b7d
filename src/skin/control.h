#pragma once

// The base of every skin control: a named node of the control tree backed by one Qt widget.
// Texts are UTF-16; a control marked as showing a resource text treats its text as a
// language key and shows the language's text for it.

#include <QPointer>
#include <QWidget>
#include <string>
#include <string_view>

#include "platform/win_types.h"
#include "skin/control_look.h"
#include "skin/image_description.h"
#include "skin/notify.h"
#include "skin/ui_geometry.h"

class CPaintManagerUI;
class CContainerUI;
class QEvent;
class QPainter;

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // The kind, as the skin element names it ("Button", "Option", ...).
    virtual std::u16string_view GetClass() const { return u"Control"; }

    const std::u16string& GetName() const { return name_; }
    void SetName(std::u16string_view name);

    const std::u16string& GetText() const { return text_; }
    virtual void SetText(std::u16string_view text);
    // With resource text on, the text is a language key.
    void SetResourceText(bool on);
    bool IsResourceText() const { return resource_text_; }
    // The text as shown: the language text for a key, else the text itself.
    std::u16string GetShownText() const;
    // Re-reads language texts after a language was loaded.
    virtual void RefreshTexts();
    void SetToolTip(std::u16string_view tip);
    // What a screen reader calls the control: the language text of `key`, where %d stands for
    // `number` and %s for the shown text ("Button %d: %s"). Without a key, a control that shows
    // no text is called by its tool tip, and one that does by its text.
    void SetAccessibleName(std::u16string_view key, int number = 0);
    std::u16string GetAccessibleName() const;

    bool IsVisible() const { return visible_; }
    virtual void SetVisible(bool visible = true);
    bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled = true);
    void SetFocus();
    bool IsFocused() const;

    DWORD GetBkColor() const { return look_.bk.normal; }
    void SetBkColor(DWORD argb);
    DWORD GetTextColor() const { return look_.text.normal; }
    void SetTextColor(DWORD argb);
    void SetBkImage(std::u16string_view image);
    void SetFont(int font_id);

    // Position within the window, as laid out.
    RECT GetPos() const;
    // Position of a floating control within its parent.
    void SetPos(RECT pos);
    RECT GetFloatPos() const { return float_pos_; }
    int GetFixedWidth() const { return fixed_width_; }
    int GetFixedHeight() const { return fixed_height_; }
    void SetFixedWidth(int width);
    void SetFixedHeight(int height);
    RECT GetPadding() const { return padding_; }
    // Room the control keeps between its edges and its text.
    RECT GetTextPadding() const;
    void SetPadding(RECT padding);
    bool IsFloat() const { return float_; }
    void SetFloat(bool on);

    const std::u16string& GetUserData() const { return user_data_; }
    void SetUserData(std::u16string_view data) { user_data_ = data; }
    UINT_PTR GetTag() const { return tag_; }
    void SetTag(UINT_PTR tag) { tag_ = tag; }

    // The virtual window this control's notifications go to: its own, else its parent's.
    std::u16string GetVirtualWnd() const;
    void SetVirtualWnd(std::u16string_view name) { virtual_wnd_ = name; }

    // Control timers raise "timer" notifications with wParam = id.
    bool SetTimer(UINT id, UINT elapse_ms);
    bool KillTimer(UINT id);

    CContainerUI* GetParent() const { return parent_; }
    CPaintManagerUI* GetManager() const { return manager_; }
    virtual void SetManager(CPaintManagerUI* manager, CContainerUI* parent);
    virtual CControlUI* FindControl(std::u16string_view name);

    // One skin attribute; unknown names are ignored so skins can carry notes for other tools.
    virtual void SetAttribute(std::u16string_view name, std::u16string_view value);

    QWidget* GetWidget() const { return widget_; }
    // Preferred size when the layout leaves a dimension open.
    virtual QSize EstimateSize(QSize available) const;

protected:
    // Drives `widget`, which the control deletes.
    explicit CControlUI(QWidget* widget);
    // Takes the widget this control drives; the control deletes it.
    void SetWidget(QWidget* widget);
    // The text as shown: the language text for a key, else the text itself.
    QString DisplayText() const;
    virtual void ApplyText(const QString& shown);
    void Notify(std::u16string_view type, WPARAM wParam = 0, LPARAM lParam = 0);
    // Painting and the notifications every control shares; true swallows the event.
    virtual bool OnWidgetEvent(QEvent* event);
    virtual const nimba::skin::ImageDescription* StateImage() const { return nullptr; }
    // `nimba::skin::PaintState` flags of the moment.
    virtual unsigned PaintState() const;
    // Whether the look's box (background colour, border) is drawn under the pictures.
    virtual bool PaintsBox() const { return true; }
    // Draws what the control shows over its background; false lets the widget draw it.
    virtual bool PaintContent(QPainter&) { return false; }
    // After a look attribute changed: for widgets that draw their own text.
    virtual void LookChanged() {}
    // The text colour of the moment: the skin's, else the widget's.
    QColor TextColor() const;
    // A text cut to fit keeps its whole self as tool tip, unless the skin gives one.
    void ShowWholeTextAsTip(bool cut, const QString& whole);
    const nimba::skin::ControlLook& Look() const { return look_; }
    bool IsHot() const { return hot_; }
    void NeedParentLayout();

    // Text fields show their focus however they got it; other controls only when it came from
    // the keyboard or the program, not from a click.
    bool focus_always_visible_ = false;

    std::u16string text_;
    bool resource_text_ = false;

private:
    friend class ControlEventHook;
    bool Paint();
    void TrackFocus(QEvent* event);

    QPointer<QWidget> widget_;
    QPointer<QObject> hook_;
    std::u16string name_;
    void UpdateAccessibleName();

    std::u16string tooltip_;
    bool tooltip_is_key_ = false;
    std::u16string accessible_key_;
    int accessible_number_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    nimba::skin::ControlLook look_;
    bool hot_ = false;
    bool focus_visible_ = false;
    int font_id_ = -1;
    nimba::skin::ImageDescription bk_image_;
    int fixed_width_ = 0;
    int fixed_height_ = 0;
    RECT padding_{};
    RECT float_pos_{};
    bool float_ = false;
    std::u16string user_data_;
    UINT_PTR tag_ = 0;
    std::u16string virtual_wnd_;
    CContainerUI* parent_ = nullptr;
    CPaintManagerUI* manager_ = nullptr;
};
