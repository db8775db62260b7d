#include "skin/control.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

#include "skin/attribute_values.h"
#include "skin/container.h"
#include "skin/control_event_hook.h"
#include "skin/paint_manager.h"
#include "skin/resource_manager.h"
#include "skin/skin_text.h"
#include "skin/text_format.h"

using nimba::skin::FromQ;
using nimba::skin::ToQ;

ControlEventHook::ControlEventHook(CControlUI* control, QObject* watched)
    : QObject(watched), control_(control) {
    watched->installEventFilter(this);
}

bool ControlEventHook::eventFilter(QObject*, QEvent* event) {
    return control_->OnWidgetEvent(event);
}

CControlUI::CControlUI() : CControlUI(new QWidget) {}

CControlUI::CControlUI(QWidget* widget) {
    SetWidget(widget);
}

CControlUI::~CControlUI() {
    if (manager_ != nullptr) manager_->ReapControl(this);
    // The widget must not report its own teardown (focus loss, signals) to a dying control.
    if (widget_ != nullptr) widget_->blockSignals(true);
    delete hook_.data();
    delete widget_.data();
}

void CControlUI::SetWidget(QWidget* widget) {
    QWidget* old = widget_.data();
    widget_ = widget;
    hook_ = new ControlEventHook(this, widget);
    if (old != nullptr) {
        // The new widget stands in for the old one.
        widget->setObjectName(old->objectName());
        widget->setParent(old->parentWidget());
        delete old;
    }
}

void CControlUI::SetName(std::u16string_view name) {
    name_ = name;
    widget_->setObjectName(ToQ(name));
}

void CControlUI::SetText(std::u16string_view text) {
    text_ = text;
    ApplyText(DisplayText());
    UpdateAccessibleName();
}

void CControlUI::SetResourceText(bool on) {
    resource_text_ = on;
    RefreshTexts();
}

void CControlUI::RefreshTexts() {
    ApplyText(DisplayText());
    if (!tooltip_.empty()) {
        widget_->setToolTip(tooltip_is_key_ || resource_text_
                                ? ToQ(CResourceManager::GetInstance().GetText(tooltip_))
                                : ToQ(tooltip_));
    }
    UpdateAccessibleName();
}

QString CControlUI::DisplayText() const {
    if (resource_text_ && !text_.empty())
        return ToQ(CResourceManager::GetInstance().GetText(text_));
    return ToQ(text_);
}

std::u16string CControlUI::GetShownText() const {
    return FromQ(DisplayText());
}

void CControlUI::ApplyText(const QString&) {}

void CControlUI::SetToolTip(std::u16string_view tip) {
    tooltip_ = tip;
    RefreshTexts();
}

void CControlUI::SetAccessibleName(std::u16string_view key, int number) {
    accessible_key_ = key;
    accessible_number_ = number;
    UpdateAccessibleName();
}

std::u16string CControlUI::GetAccessibleName() const {
    if (!accessible_key_.empty()) {
        return nimba::skin::FormatText(CResourceManager::GetInstance().GetText(accessible_key_),
                                       accessible_number_, GetShownText());
    }
    std::u16string shown = GetShownText();
    return shown.empty() ? FromQ(widget_->toolTip()) : shown;
}

void CControlUI::UpdateAccessibleName() {
    // A control named by its text is left to the widget, which reads its own text.
    const QString name =
        accessible_key_.empty() && !GetShownText().empty() ? QString() : ToQ(GetAccessibleName());
    if (widget_->accessibleName() != name) widget_->setAccessibleName(name);
}

void CControlUI::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    NeedParentLayout();
}

void CControlUI::SetEnabled(bool enabled) {
    enabled_ = enabled;
    widget_->setEnabled(enabled);
}

void CControlUI::SetFocus() {
    widget_->setFocus(Qt::OtherFocusReason);
}

bool CControlUI::IsFocused() const {
    return widget_->hasFocus();
}

void CControlUI::SetBkColor(DWORD argb) {
    look_.bk.normal = argb;
    widget_->update();
}

void CControlUI::SetTextColor(DWORD argb) {
    look_.text.normal = argb;
    LookChanged();
    widget_->update();
}

void CControlUI::SetBkImage(std::u16string_view image) {
    bk_image_ = nimba::skin::ParseImageDescription(ToQ(image));
    widget_->update();
}

void CControlUI::SetFont(int font_id) {
    font_id_ = font_id;
    if (manager_ != nullptr && font_id >= 0) widget_->setFont(manager_->GetFont(font_id));
}

RECT CControlUI::GetPos() const {
    QWidget* top = widget_->window();
    const QPoint origin = widget_->mapTo(top, QPoint(0, 0));
    return RECT{origin.x(), origin.y(), origin.x() + widget_->width(),
                origin.y() + widget_->height()};
}

void CControlUI::SetPos(RECT pos) {
    float_pos_ = pos;
    NeedParentLayout();
}

void CControlUI::SetFixedWidth(int width) {
    fixed_width_ = width;
    NeedParentLayout();
}

void CControlUI::SetFixedHeight(int height) {
    fixed_height_ = height;
    NeedParentLayout();
}

RECT CControlUI::GetTextPadding() const {
    const QMargins& m = look_.text_padding;
    return RECT{m.left(), m.top(), m.right(), m.bottom()};
}

void CControlUI::SetPadding(RECT padding) {
    padding_ = padding;
    NeedParentLayout();
}

void CControlUI::SetFloat(bool on) {
    float_ = on;
    NeedParentLayout();
}

std::u16string CControlUI::GetVirtualWnd() const {
    if (!virtual_wnd_.empty() || parent_ == nullptr) return virtual_wnd_;
    return parent_->GetVirtualWnd();
}

bool CControlUI::SetTimer(UINT id, UINT elapse_ms) {
    return manager_ != nullptr && manager_->SetTimer(this, id, elapse_ms);
}

bool CControlUI::KillTimer(UINT id) {
    return manager_ != nullptr && manager_->KillTimer(this, id);
}

void CControlUI::SetManager(CPaintManagerUI* manager, CContainerUI* parent) {
    manager_ = manager;
    parent_ = parent;
    if (manager_ != nullptr && font_id_ >= 0) widget_->setFont(manager_->GetFont(font_id_));
}

CControlUI* CControlUI::FindControl(std::u16string_view name) {
    return name_ == name ? this : nullptr;
}

QSize CControlUI::EstimateSize(QSize) const {
    const QSize hint = widget_->sizeHint();
    return QSize(fixed_width_ > 0 ? fixed_width_ : std::max(hint.width(), 0),
                 fixed_height_ > 0 ? fixed_height_ : std::max(hint.height(), 0));
}

void CControlUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    using namespace nimba::skin;
    const QString v = ToQ(value);
    if (name == u"name") {
        SetName(value);
    } else if (name == u"text") {
        SetText(value);
    } else if (name == u"resourcetext") {
        SetResourceText(ParseBool(v));
    } else if (name == u"textid") {  // shorthand: the text is this language key
        text_ = value;
        SetResourceText(true);
    } else if (name == u"tooltip") {
        SetToolTip(value);
    } else if (name == u"accnameid") {
        SetAccessibleName(value, accessible_number_);
    } else if (name == u"accnumber") {
        SetAccessibleName(accessible_key_, ParseInt(v));
    } else if (name == u"tooltipid") {
        tooltip_is_key_ = true;
        SetToolTip(value);
    } else if (name == u"visible") {
        SetVisible(ParseBool(v));
    } else if (name == u"enabled") {
        SetEnabled(ParseBool(v));
    } else if (name == u"bkimage") {
        SetBkImage(value);
    } else if (name == u"font") {
        SetFont(ParseInt(v, -1));
    } else if (name == u"width") {
        SetFixedWidth(ParseInt(v));
    } else if (name == u"height") {
        SetFixedHeight(ParseInt(v));
    } else if (name == u"pos") {
        const RECT r = ParseRectValue(v);
        SetPos(r);
        if (fixed_width_ == 0) fixed_width_ = r.right - r.left;
        if (fixed_height_ == 0) fixed_height_ = r.bottom - r.top;
    } else if (name == u"float") {
        SetFloat(ParseBool(v));
    } else if (name == u"padding") {
        SetPadding(ParseRectValue(v));
    } else if (name == u"userdata") {
        SetUserData(value);
    } else if (name == u"virtualwnd") {
        SetVirtualWnd(value);
    } else if (name == u"minwidth") {
        widget_->setMinimumWidth(ParseInt(v));
    } else if (name == u"minheight") {
        widget_->setMinimumHeight(ParseInt(v));
    } else if (look_.SetAttribute(name, v)) {
        LookChanged();
        widget_->update();
    }
}

void CControlUI::Notify(std::u16string_view type, WPARAM wParam, LPARAM lParam) {
    if (manager_ != nullptr) manager_->SendNotify(this, type, wParam, lParam);
}

bool CControlUI::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
            return Paint();
        case QEvent::Enter:
        case QEvent::Leave:
            hot_ = event->type() == QEvent::Enter;
            widget_->update();
            Notify(hot_ ? notify_type::kMouseEnter : notify_type::kMouseLeave);
            break;
        case QEvent::FocusIn:
            TrackFocus(event);
            Notify(notify_type::kSetFocus);
            break;
        case QEvent::FocusOut:
            widget_->update();
            Notify(notify_type::kKillFocus);
            break;
        default:
            break;
    }
    return false;
}

void CControlUI::TrackFocus(QEvent* event) {
    switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::MouseFocusReason:
            focus_visible_ = false;
            break;
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
            break;  // focus coming back shows as it was
        default:
            focus_visible_ = true;
            break;
    }
    widget_->update();
}

unsigned CControlUI::PaintState() const {
    unsigned state = 0;
    if (hot_) state |= nimba::skin::kStateHot;
    if (!widget_->isEnabled()) state |= nimba::skin::kStateDisabled;
    if (widget_->hasFocus()) state |= nimba::skin::kStateFocused;
    return state;
}

QColor CControlUI::TextColor() const {
    const DWORD skin = look_.text.For(PaintState());
    return skin != 0 ? nimba::skin::ToQColor(skin) : widget_->palette().color(QPalette::WindowText);
}

void CControlUI::ShowWholeTextAsTip(bool cut, const QString& whole) {
    if (!tooltip_.empty()) return;
    const QString tip = cut ? whole : QString();
    if (widget_->toolTip() != tip) widget_->setToolTip(tip);
}

bool CControlUI::Paint() {
    if (manager_ == nullptr) return false;
    QPainter painter(widget_);
    const QRect area = widget_->rect();
    const unsigned state = PaintState();
    if (PaintsBox()) look_.PaintBox(painter, area, state);
    if (!bk_image_.empty()) {
        nimba::skin::PaintImage(painter, area, bk_image_, manager_->GetImage(bk_image_.file));
    }
    const nimba::skin::ImageDescription* image = StateImage();
    if (image != nullptr && !image->empty()) {
        nimba::skin::PaintImage(painter, area, *image, manager_->GetImage(image->file));
    }
    const bool drawn = PaintContent(painter);
    if (widget_->hasFocus() && (focus_visible_ || focus_always_visible_))
        look_.PaintFocus(painter, area, state);
    return drawn;
}

void CControlUI::NeedParentLayout() {
    if (parent_ != nullptr) {
        parent_->Arrange();
    } else if (widget_->parentWidget() != nullptr || !visible_) {
        // A window's root or a list row; a control not yet placed must not pop up as a window.
        widget_->setVisible(visible_);
    }
}
