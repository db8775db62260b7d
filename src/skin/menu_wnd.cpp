#include "skin/menu_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>

#include "platform/messages.h"
#include "skin/attribute_values.h"
#include "skin/control_tree.h"
#include "skin/menu_command.h"
#include "skin/skin_text.h"

namespace {
constexpr int kItemHeight = 22;
constexpr int kDefaultWidth = 160;

void ForEachElement(CControlUI* control, const std::function<void(CMenuElementUI*)>& visit) {
    if (control == nullptr) return;
    if (auto* element = dynamic_cast<CMenuElementUI*>(control)) visit(element);
    for (CControlUI* child : nimba::skin::ChildControls(*control)) ForEachElement(child, visit);
}

// Closes the menu when the user presses a mouse button anywhere but in it, or turns to another
// program, as a desktop's menus do; the press itself still reaches what it landed on. It is a
// child of the menu's window, so it ends with the menu.
class CloseWhenLeft : public QObject {
public:
    CloseWhenLeft(QWidget* menu, std::function<void()> close)
        : QObject(menu), menu_(menu), close_(std::move(close)) {
        qApp->installEventFilter(this);
        connect(qApp, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state != Qt::ApplicationActive) close_();
                });
    }

    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* widget = qobject_cast<QWidget*>(target);
            if (widget != nullptr && widget->window() != menu_) close_();
        }
        return false;
    }

private:
    QWidget* menu_;
    std::function<void()> close_;
};
// Up and Down move the selection (the focused item) over the items that can be chosen, Home
// and End go to the ends, Return, Enter and Space choose it. Without this the keys would
// scroll the menu's column and choose nothing.
class MenuKeyboard : public QObject {
public:
    MenuKeyboard(QWidget* menu, CControlUI* root) : QObject(menu), menu_(menu), root_(root) {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(target);
        if (widget == nullptr || widget->window() != menu_) return false;
        std::vector<CMenuElementUI*> items;
        ForEachElement(root_, [&items](CMenuElementUI* element) {
            if (element->IsVisible() && element->IsEnabled()) items.push_back(element);
        });
        if (items.empty()) return false;
        const auto at = std::find_if(items.begin(), items.end(),
                                     [](CMenuElementUI* item) { return item->IsFocused(); });
        const int current = at == items.end() ? -1 : static_cast<int>(at - items.begin());
        const int last = static_cast<int>(items.size()) - 1;
        int next = current;
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Down:
                next = current < 0 || current == last ? 0 : current + 1;
                break;
            case Qt::Key_Up:
                next = current <= 0 ? last : current - 1;
                break;
            case Qt::Key_Home:
                next = 0;
                break;
            case Qt::Key_End:
                next = last;
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                if (current >= 0) items[current]->Activate();
                return true;
            default:
                return false;
        }
        items[next]->SetFocus();
        // In a scrolling menu the selection stays in sight.
        for (QWidget* w = items[next]->GetWidget(); w != nullptr && w != menu_;
             w = w->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(w))
                area->ensureWidgetVisible(items[next]->GetWidget());
        }
        return true;
    }

private:
    QWidget* menu_;
    CControlUI* root_;
};
}  // namespace

std::vector<CMenuElementUI*> MenuElements(CControlUI* root) {
    std::vector<CMenuElementUI*> elements;
    ForEachElement(root, [&elements](CMenuElementUI* element) { elements.push_back(element); });
    return elements;
}

CMenuElementUI::CMenuElementUI() {
    SetFixedHeight(kItemHeight);
}

void CMenuElementUI::SetChecked(bool checked) {
    checked_ = checked;
    Button()->setCheckable(true);  // what a screen reader reads as the tick
    Button()->setChecked(checked);
}

void CMenuElementUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"checked") {
        SetChecked(nimba::skin::ParseBool(nimba::skin::ToQ(value)));
    } else if (name == u"submenu") {
        submenu_ = value;
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

bool CMenuWnd::Init(CControlUI*, std::u16string_view xml, POINT point,
                    CPaintManagerUI* main_manager, std::map<std::u16string, bool>* check_states,
                    DWORD alignment) {
    xml_ = xml;
    point_ = point;
    alignment_ = alignment;
    main_manager_ = main_manager;
    const HWND owner = main_manager != nullptr ? main_manager->GetPaintWindow() : nullptr;
    if (Create(owner, u"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, point.x, point.y,
               kDefaultWidth, kItemHeight) == nullptr) {
        return false;
    }
    if (check_states != nullptr) {
        ForEachElement(m_pm.GetRoot(), [check_states](CMenuElementUI* element) {
            if (auto it = check_states->find(element->GetName()); it != check_states->end())
                element->SetChecked(it->second);
        });
    }
    ResizeMenu();
    ShowWindow(true, true);
    return true;
}

int CMenuWnd::GetVisibleItemCount() const {
    int count = 0;
    ForEachElement(const_cast<CPaintManagerUI&>(m_pm).GetRoot(), [&count](CMenuElementUI* element) {
        if (element->IsVisible()) ++count;
    });
    return count;
}

void CMenuWnd::ResizeMenu() {
    QWidget* widget = GetWindowWidget();
    if (widget == nullptr) return;
    const SIZE skin = m_pm.GetInitSize();
    const int width = skin.cx > 0 ? skin.cx : kDefaultWidth;
    int height = 0;
    ForEachElement(m_pm.GetRoot(), [&height](CMenuElementUI* element) {
        if (element->IsVisible()) height += element->GetFixedHeight();
    });
    auto* column = dynamic_cast<CContainerUI*>(m_pm.GetRoot());
    if (column != nullptr) height += column->GetInset().top + column->GetInset().bottom;
    QRect area;
    if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->geometry();
    // A menu taller than the screen (many items, large scaling) keeps every item reachable
    // by scrolling instead of running off the edge.
    const bool too_tall = !area.isEmpty() && height > area.height();
    if (too_tall) height = area.height();
    if (column != nullptr) column->EnableScrollBar(too_tall);
    int x = (alignment_ & eMenuAlignment_Right) ? point_.x - width : point_.x;
    int y = (alignment_ & eMenuAlignment_Bottom) ? point_.y - height : point_.y;
    if (!area.isEmpty()) {
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - width));
        y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - height));
    }
    widget->setGeometry(x, y, width, height);
}

void CMenuWnd::InitWindow() {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
    new CloseWhenLeft(GetWindowWidget(), [this] { Close(0); });
    new MenuKeyboard(GetWindowWidget(), m_pm.GetRoot());
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    auto* element = dynamic_cast<CMenuElementUI*>(msg.pSender);
    if (msg.sType != notify_type::kClick || element == nullptr) return;
    if (main_manager_ != nullptr && main_manager_->GetPaintWindow() != nullptr) {
        nimba::skin::PostMenuCommand(main_manager_->GetPaintWindow(), element->GetName(),
                                     element->GetUserData(), element->GetText(),
                                     element->GetChecked());
    }
    Close(0);
}
