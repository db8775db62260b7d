#pragma once

// A range control the user moves (slider) and one only the program sets (progress bar).

#include <QProgressBar>
#include <QSlider>
#include <functional>

#include "skin/control.h"

class CProgressUI : public CControlUI {
public:
    CProgressUI();
    std::u16string_view GetClass() const override { return u"Progress"; }
    int GetMinValue() const;
    int GetMaxValue() const;
    void SetMinValue(int min);
    void SetMaxValue(int max);
    int GetValue() const;
    // Values outside the range are clamped.
    void SetValue(int value);
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    QProgressBar* Bar() const { return static_cast<QProgressBar*>(GetWidget()); }
    // The filled part in `forecolor` over the background box.
    bool PaintContent(QPainter& painter) override;

private:
    DWORD fore_color_ = 0;
};

// "valuechanged" once per user move: a drag reports when released, a key or page step at once.
class CSliderUI : public CControlUI {
public:
    CSliderUI();
    std::u16string_view GetClass() const override { return u"Slider"; }
    int GetMinValue() const { return Slider()->minimum(); }
    int GetMaxValue() const { return Slider()->maximum(); }
    void SetMinValue(int min);
    void SetMaxValue(int max);
    int GetValue() const { return Slider()->value(); }
    // Clamped to the range; raises "valuechanged" only with `notify`.
    void SetValue(int value, bool notify = false);
    void SetChangeStep(int step);
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

    // How a person reads a position: as a quantity (115 -> 5750) and as text ("5750 DPI").
    // Unset, both are the position itself.
    void SetUserUnits(std::function<double(int)> value, std::function<std::u16string(int)> text);
    double GetUserValue(int position) const;
    std::u16string GetValueText(int position) const;
    // The position whose quantity is nearest to `value`.
    int PositionOfUserValue(double value) const;

protected:
    QSlider* Slider() const { return static_cast<QSlider*>(GetWidget()); }
    // Groove (`groovecolor`, `grooveheight`), the part before the thumb (`forecolor`) and the
    // thumb picture (`thumbimage`, `thumbhotimage`, `thumbsize`) where the widget takes presses.
    bool PaintContent(QPainter& painter) override;

private:
    std::function<double(int)> user_value_;
    std::function<std::u16string(int)> value_text_;
    DWORD groove_color_ = 0;
    DWORD fore_color_ = 0;
    int groove_height_ = 4;
    QSize thumb_size_{14, 14};
    nimba::skin::ImageDescription thumb_image_;
    nimba::skin::ImageDescription thumb_hot_image_;
};
