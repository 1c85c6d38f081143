#pragma once

#include <QHash>
#include <QList>

class QFormLayout;
class QLabel;
class QLayout;
class QLayoutItem;
class QSpacerItem;
class QWidget;

// The form's rows stay where they are whatever the mode shows: the label column has one width, so that every mode's
// fields start at the same place (the options under the fields start there too), and under Qt 5 the rows a mode hides
// leave the form, so that they leave no gap.
class FormRows
{
public:
    // alwaysShown: the labels of the rows every mode shows, which keep their room; hideable: the labels of the rows a
    // mode may hide, in the form's order, after the row of after.
    FormRows(QWidget* window, QFormLayout* form, QLayout* options, QList<QLabel*> alwaysShown, QLabel* after,
             QList<QLabel*> hideable);
    ~FormRows();

    // Measures the label column anew (another font or style gives the labels other widths).
    void keepColumn();
    // Qt 5 leaves a gap for a hidden row whose field is a layout (the PIN, the password, the user key): each such row
    // leaves the form while the mode hides it, and comes back in its place.
    void closeHiddenRows();
    bool hasColumn() const { return column != nullptr; }

private:
    QWidget* window;
    QFormLayout* form;
    QLayout* options;
    QList<QLabel*> alwaysShown;
    QLabel* after;
    QList<QLabel*> hideable;
    QHash<QLabel*, QLayoutItem*> rowsOut; // the field of each row out of the form while its mode hides it
    QSpacerItem* column = nullptr;        // holds the form's label column at its one width
};
