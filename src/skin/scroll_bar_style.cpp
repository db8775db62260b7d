#include "skin/scroll_bar_style.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "skin/attribute_values.h"

namespace nimba::skin {

namespace {

constexpr int kMinThumbLength = 24;

class ScrollBarStyle : public QProxyStyle {
public:
    explicit ScrollBarStyle(const ControlLook& look) : look_(look) {}
    void SetLook(const ControlLook& look) { look_ = look; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ScrollBarExtent) return look_.scroll_width;
        if (metric == PM_ScrollBarSliderMin) return kMinThumbLength;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_ScrollBar || bar == nullptr)
            return QProxyStyle::subControlRect(control, option, part, widget);
        const bool across = bar->orientation == Qt::Horizontal;
        const QRect groove = bar->rect;
        const int length = across ? groove.width() : groove.height();
        const int range = bar->maximum - bar->minimum;
        const int thumb =
            range <= 0 ? length
                       : std::clamp(static_cast<int>(static_cast<qint64>(length) * bar->pageStep /
                                                     (range + bar->pageStep)),
                                    std::min(kMinThumbLength, length), length);
        const int at = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                               length - thumb, bar->upsideDown);
        auto span = [&](int from, int size) {
            return across ? QRect(groove.left() + from, groove.top(), size, groove.height())
                          : QRect(groove.left(), groove.top() + from, groove.width(), size);
        };
        switch (part) {
            case SC_ScrollBarGroove:
                return groove;
            case SC_ScrollBarSlider:
                return span(at, thumb);
            case SC_ScrollBarSubPage:
                return span(0, at);
            case SC_ScrollBarAddPage:
                return span(at + thumb, length - at - thumb);
            default:
                return {};  // no arrow buttons
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (control != CC_ScrollBar) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const bool hot =
            (option->state & State_MouseOver) && (option->activeSubControls & SC_ScrollBarSlider);
        const DWORD colour = look_.scroll_thumb.For(hot ? unsigned{kStateHot} : 0u);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        FillRounded(*painter, subControlRect(control, option, SC_ScrollBarSlider, widget), colour);
        painter->restore();
    }

private:
    ControlLook look_;
};

}  // namespace

void ApplyScrollBarLook(QScrollBar* bar, const ControlLook& look) {
    if (auto* own = dynamic_cast<ScrollBarStyle*>(bar->style())) {
        own->SetLook(look);
        bar->update();
        return;
    }
    auto* style = new ScrollBarStyle(look);
    style->setParent(bar);
    bar->setStyle(style);
    bar->setAttribute(Qt::WA_Hover);
}

}  // namespace nimba::skin
