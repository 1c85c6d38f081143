#include "window/LabelClicks.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>

namespace {
// A label's text as a screen reader speaks it: without the '&' that marks its shortcut letter.
QString withoutShortcutMark(const QString& text)
{
    QString spoken;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        spoken += text.at(i);
    }
    return spoken;
}
} // namespace

LabelClicks::LabelClicks(QWidget* area, QObject* parent) : QObject(parent)
{
    const QList<QLabel*> labels = area->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (QWidget* control = label->buddy()) {
            control->setAccessibleName(withoutShortcutMark(label->text()));
            label->installEventFilter(this);
        }
    }
}

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
