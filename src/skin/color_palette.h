#pragma once

// A colour field the user picks from: hue across, saturation down, and a brightness strip
// below. Dragging raises "colorchanged", letting go "colorchangedbuttonup".

#include "platform/win_types.h"
#include "skin/control.h"

class CColorPaletteUI : public CControlUI {
public:
    CColorPaletteUI();
    std::u16string_view GetClass() const override { return u"ColorPalette"; }
    // 0xAARRGGBB, alpha always 0xFF.
    DWORD GetSelectColor() const;
    void SetSelectColor(DWORD argb);

protected:
    bool OnWidgetEvent(QEvent* event) override;

private:
    void Paint();
    void PickAt(const QPoint& at, bool strip);
    QRect FieldRect() const;
    QRect StripRect() const;

    float hue_ = 0;         // 0..1
    float saturation_ = 0;  // 0..1
    float value_ = 0;       // 0..1
    bool dragging_strip_ = false;
    bool dragging_ = false;
};
