#pragma once

#include <QObject>

// Makes a click on a label reach its buddy, as the label's shortcut does: a button is clicked (a check box toggles),
// any other control takes the focus.
class LabelClicks : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
