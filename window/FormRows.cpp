#include "window/FormRows.h"

#include <QFormLayout>
#include <QLabel>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace {
QWidget* widgetAt(const QFormLayout* layout, int row, QFormLayout::ItemRole role)
{
    QLayoutItem* item = layout->itemAt(row, role);
    return item ? item->widget() : nullptr;
}
} // namespace

FormRows::FormRows(QWidget* window, QFormLayout* form, QLayout* options, QList<QLabel*> alwaysShown, QLabel* after,
                   QList<QLabel*> hideable)
    : window(window), form(form), options(options), alwaysShown(std::move(alwaysShown)), after(after),
      hideable(std::move(hideable))
{}

FormRows::~FormRows()
{
    qDeleteAll(rowsOut);
}

void FormRows::keepColumn()
{
    // The rows below the fields sit at the bottom of the window.
    //
    // The form layout counts a label towards its column only when the label and its field fit side by side, and the
    // spacer row that holds the column open only when it fits the form's width: with a large font, or in a language
    // with long labels, the column would follow the widest label that happens to fit in the mode shown. So the column
    // is as wide as the widest label, but never so wide that the rows every mode shows (the card list, the mode) lose
    // their room; a label wider than that wraps onto a second line, and no label is ever wider than the column.
    window->ensurePolished();
    QList<QLabel*> labels = rowsOut.keys();
    int alwaysShownFields = 0; // the least width of the fields of the rows that every mode shows
    for (int row = 0; row < form->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(widgetAt(form, row, QFormLayout::LabelRole));
        if (!label)
            continue;
        labels << label;
        if (alwaysShown.contains(label))
            alwaysShownFields =
                std::max(alwaysShownFields, form->itemAt(row, QFormLayout::FieldRole)->minimumSize().width());
    }
    int widest = 0;
    for (QLabel* label : qAsConst(labels)) {
        // Measured on one line, from the least width the form gave it.
        const char* const leastWidth = "leastWidth";
        if (!label->property(leastWidth).isValid())
            label->setProperty(leastWidth, label->minimumWidth());
        label->setWordWrap(false);
        label->setMinimumWidth(label->property(leastWidth).toInt());
        label->setMaximumWidth(QWIDGETSIZE_MAX);
        widest = std::max({widest, label->sizeHint().width(), label->minimumWidth()});
    }
    const QMargins margins = form->contentsMargins();
    const int spacing = form->horizontalSpacing();
    // The room beside the fields of the rows that every mode shows, and never more than the form's width at the
    // window's least size, where the spacer row must still fit.
    const int room = std::min(window->width() - margins.left() - margins.right() - spacing - alwaysShownFields,
                              window->minimumWidth() - margins.left() - margins.right());
    int width = std::min(widest, room);
    for (const QLabel* label : qAsConst(labels))
        width = std::max(width, label->minimumWidth()); // the least width the form gives every label
    for (QLabel* label : qAsConst(labels)) {
        if (label->sizeHint().width() > width) {
            label->setWordWrap(true);
            label->setFixedWidth(width); // it wraps at the column's width, not at a width of its own choosing
        }
    }
    if (!column) {
        column = new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        form->setItem(form->rowCount(), QFormLayout::LabelRole, column);
    }
    column->changeSize(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    form->invalidate();
    options->setContentsMargins(margins.left() + width + spacing, 0, margins.right(), 0);
}

void FormRows::closeHiddenRows()
{
    int row = -1;
    QFormLayout::ItemRole role;
    form->getWidgetPosition(after, &row, &role); // the rows that may hide come after this one
    for (QLabel* label : qAsConst(hideable)) {
        int at = -1;
        form->getWidgetPosition(label, &at, &role);
        if (label->isHidden() && at >= 0) {
            const QFormLayout::TakeRowResult taken = form->takeRow(at);
            delete taken.labelItem;
            rowsOut.insert(label, taken.fieldItem);
        } else if (!label->isHidden()) {
            ++row;
            if (at >= 0)
                continue;
            QLayoutItem* field = rowsOut.take(label);
            if (field->layout()) {
                form->insertRow(row, label, field->layout());
            } else {
                form->insertRow(row, label, field->widget());
                delete field;
            }
        }
    }
}
