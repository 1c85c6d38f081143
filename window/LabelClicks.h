#pragma once

#include <QObject>

class QWidget;

// Each label of an area is its control's buddy: Alt and the marked letter reach the control, and so does a click on the
// label (a button is clicked, a check box toggles, any other control takes the focus); a screen reader speaks the
// label's text as the control's name.
class LabelClicks : public QObject
{
    Q_OBJECT

public:
    // Names and watches the labels that area holds now.
    LabelClicks(QWidget* area, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
