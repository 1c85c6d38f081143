#pragma once

#include <QLabel>

// A label of one line that is never cut off: a text wider than the label is shown shortened with "…" at its end. Its
// text() stays the whole text, which the tooltip and a screen reader give whole.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Sets the text, and the tooltip to the same text.
    void setLine(const QString& text);
    // What the label shows at its present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
