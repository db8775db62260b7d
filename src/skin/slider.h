#pragma once

// A range control the user moves (slider) and one only the program sets (progress bar).

#include <QProgressBar>
#include <QSlider>

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

protected:
    QSlider* Slider() const { return static_cast<QSlider*>(GetWidget()); }
    // Groove (`groovecolor`, `grooveheight`), the part before the thumb (`forecolor`) and the
    // thumb picture (`thumbimage`, `thumbhotimage`, `thumbsize`) where the widget takes presses.
    bool PaintContent(QPainter& painter) override;

private:
    DWORD groove_color_ = 0;
    DWORD fore_color_ = 0;
    int groove_height_ = 4;
    QSize thumb_size_{14, 14};
    nimba::skin::ImageDescription thumb_image_;
    nimba::skin::ImageDescription thumb_hot_image_;
};
