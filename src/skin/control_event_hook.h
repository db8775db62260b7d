#pragma once

// Watches a control's widget for the events every control handles the same way (paint,
// hover, focus) and hands them to the control.

#include <QObject>

class CControlUI;

class ControlEventHook : public QObject {
public:
    ControlEventHook(CControlUI* control, QObject* watched);
    bool eventFilter(QObject* watched, QEvent* event) override;
    CControlUI* Control() const { return control_; }

private:
    CControlUI* control_;
};
