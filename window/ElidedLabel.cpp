#include "window/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    // The label takes the width the row gives it; its text does not widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setLine(const QString& text)
{
    setText(text);
    setToolTip(text);
    update();
}

namespace {
// One line: a line break in the text is shown as a space.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}
} // namespace

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(oneLine(text()), Qt::ElideRight, contentsRect().width());
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return QSize(fontMetrics().horizontalAdvance(oneLine(text())), fontMetrics().height()) +
           QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) * 4, sizeHint().height());
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}
