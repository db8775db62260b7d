#include "skin/slider.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cmath>

#include "skin/attribute_values.h"
#include "skin/paint_manager.h"
#include "skin/resource_manager.h"
#include "skin/skin_text.h"
#include "skin/text_format.h"

using nimba::skin::FillRounded;
using nimba::skin::ParseBool;
using nimba::skin::ParseColor;
using nimba::skin::ParseInt;
using nimba::skin::ToQ;

CProgressUI::CProgressUI() : CControlUI(new QProgressBar) {
    Bar()->setRange(0, 100);
    Bar()->setValue(0);
    Bar()->setTextVisible(false);
}

int CProgressUI::GetMinValue() const {
    return Bar()->minimum();
}
int CProgressUI::GetMaxValue() const {
    return Bar()->maximum();
}
void CProgressUI::SetMinValue(int min) {
    Bar()->setMinimum(min);
}
void CProgressUI::SetMaxValue(int max) {
    Bar()->setMaximum(max);
}
int CProgressUI::GetValue() const {
    return Bar()->value();
}

void CProgressUI::SetValue(int value) {
    // QProgressBar ignores out-of-range values; a bar should show its end instead.
    Bar()->setValue(std::clamp(value, Bar()->minimum(), Bar()->maximum()));
}

void CProgressUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    const QString v = ToQ(value);
    if (name == u"min") {
        SetMinValue(ParseInt(v));
    } else if (name == u"max") {
        SetMaxValue(ParseInt(v));
    } else if (name == u"value") {
        SetValue(ParseInt(v));
    } else if (name == u"hor") {
        Bar()->setOrientation(ParseBool(v) ? Qt::Horizontal : Qt::Vertical);
    } else if (name == u"forecolor") {
        fore_color_ = ParseColor(v);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

CSliderUI::CSliderUI() : CControlUI(new QSlider(Qt::Horizontal)) {
    QSlider* slider = Slider();
    slider->setRange(0, 100);
    slider->setFocusPolicy(Qt::StrongFocus);
    // Without tracking a drag changes the value once, on release.
    slider->setTracking(false);
    QObject::connect(slider, &QSlider::valueChanged, slider,
                     [this](int value) { Notify(notify_type::kValueChanged, value); });
}

void CSliderUI::SetMinValue(int min) {
    const QSignalBlocker blocker(Slider());
    Slider()->setMinimum(min);
}

void CSliderUI::SetMaxValue(int max) {
    const QSignalBlocker blocker(Slider());
    Slider()->setMaximum(max);
}

void CSliderUI::SetValue(int value, bool notify) {
    const int before = Slider()->value();
    {
        const QSignalBlocker blocker(Slider());
        Slider()->setValue(value);
        Slider()->setSliderPosition(Slider()->value());
    }
    if (notify && Slider()->value() != before)
        Notify(notify_type::kValueChanged, Slider()->value());
}

void CSliderUI::SetUserUnits(std::function<double(int)> value,
                             std::function<std::u16string(int)> text) {
    user_value_ = std::move(value);
    value_text_ = std::move(text);
}

double CSliderUI::GetUserValue(int position) const {
    return user_value_ ? user_value_(position) : position;
}

std::u16string CSliderUI::GetValueText(int position) const {
    if (value_text_) return value_text_(position);
    return nimba::skin::FromQ(QString::number(position));
}

int CSliderUI::PositionOfUserValue(double value) const {
    int best = GetMinValue();
    for (int p = GetMinValue(); p <= GetMaxValue(); ++p) {
        if (std::abs(GetUserValue(p) - value) < std::abs(GetUserValue(best) - value)) best = p;
    }
    return best;
}

void CSliderUI::SetChangeStep(int step) {
    Slider()->setSingleStep(step);
    Slider()->setPageStep(step);
}

void CSliderUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    const QString v = ToQ(value);
    if (name == u"min") {
        SetMinValue(ParseInt(v));
    } else if (name == u"max") {
        SetMaxValue(ParseInt(v));
    } else if (name == u"value") {
        SetValue(ParseInt(v));
    } else if (name == u"step") {
        SetChangeStep(ParseInt(v, 1));
    } else if (name == u"valuetextid") {  // a language text where %d is the position
        value_text_ = [key = std::u16string(value)](int position) {
            return nimba::skin::FormatText(CResourceManager::GetInstance().GetText(key), position);
        };
    } else if (name == u"hor") {
        Slider()->setOrientation(ParseBool(v) ? Qt::Horizontal : Qt::Vertical);
    } else if (name == u"groovecolor") {
        groove_color_ = ParseColor(v);
    } else if (name == u"forecolor") {
        fore_color_ = ParseColor(v);
    } else if (name == u"grooveheight") {
        groove_height_ = ParseInt(v, 4);
    } else if (name == u"thumbsize") {
        const SIZE size = nimba::skin::ParseSizeValue(v);
        thumb_size_ = QSize(size.cx, size.cy);
    } else if (name == u"thumbimage") {
        thumb_image_ = nimba::skin::ParseImageDescription(v);
    } else if (name == u"thumbhotimage") {
        thumb_hot_image_ = nimba::skin::ParseImageDescription(v);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

bool CProgressUI::PaintContent(QPainter& painter) {
    const int span = Bar()->maximum() - Bar()->minimum();
    if (span <= 0) return true;
    const double share = static_cast<double>(Bar()->value() - Bar()->minimum()) / span;
    const QRectF area = GetWidget()->rect();
    painter.setRenderHint(QPainter::Antialiasing);
    if (Bar()->orientation() == Qt::Horizontal) {
        FillRounded(painter, QRectF(area.left(), area.top(), area.width() * share, area.height()),
                    fore_color_);
    } else {
        const double height = area.height() * share;
        FillRounded(painter, QRectF(area.left(), area.bottom() - height, area.width(), height),
                    fore_color_);
    }
    return true;
}

bool CSliderUI::PaintContent(QPainter& painter) {
    QSlider* slider = Slider();
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.upsideDown = slider->orientation() == Qt::Vertical;
    const QPoint thumb =
        slider->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
            .center();
    const QRectF area = slider->rect();
    painter.setRenderHint(QPainter::Antialiasing);
    if (slider->orientation() == Qt::Horizontal) {
        const double top = area.center().y() - groove_height_ / 2.0;
        FillRounded(painter, QRectF(area.left(), top, area.width(), groove_height_), groove_color_);
        FillRounded(painter, QRectF(area.left(), top, thumb.x() - area.left(), groove_height_),
                    fore_color_);
    } else {
        const double left = area.center().x() - groove_height_ / 2.0;
        FillRounded(painter, QRectF(left, area.top(), groove_height_, area.height()),
                    groove_color_);
        FillRounded(painter, QRectF(left, thumb.y(), groove_height_, area.bottom() - thumb.y()),
                    fore_color_);
    }
    const nimba::skin::ImageDescription& image =
        IsHot() && !thumb_hot_image_.empty() ? thumb_hot_image_ : thumb_image_;
    if (!image.empty() && GetManager() != nullptr) {
        QRect place(QPoint(), thumb_size_);
        place.moveCenter(thumb);
        nimba::skin::PaintImage(painter, place, image, GetManager()->GetImage(image.file));
    }
    return true;
}
