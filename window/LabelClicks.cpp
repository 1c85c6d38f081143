#include "window/LabelClicks.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>

bool LabelClicks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* label = qobject_cast<QLabel*>(watched);
    const auto* release = static_cast<QMouseEvent*>(event);
    QWidget* buddy = label ? label->buddy() : nullptr;
    if (!buddy || release->button() != Qt::LeftButton || !label->rect().contains(release->pos()) ||
        !buddy->isEnabled() || !buddy->isVisible())
        return false;
    if (auto* button = qobject_cast<QAbstractButton*>(buddy)) {
        button->setFocus(Qt::MouseFocusReason);
        button->click();
    } else {
        buddy->setFocus(Qt::MouseFocusReason);
    }
    return true;
}
