#include "window/FieldMarks.h"

#include "form/FormCheck.h"
#include "form/FormTexts.h"
#include "generation/GenerateTexts.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>

FieldMarks::FieldMarks(const Edits& edits, std::function<FormValues()> form) : edits(edits), form(std::move(form))
{
    setObjectName(QStringLiteral("fieldMarks"));
    for (const FormField::Description& field : FormField::fields) {
        QLineEdit* edit = edits[field.id];
        edit->installEventFilter(this);
        // Its icon is made as a mark is first shown: the first frame of a form without a fault does without it.
        marks[field.id] = new QAction(edit);
        edit->addAction(marks[field.id], QLineEdit::TrailingPosition);
        // Hidden once added: the line edit shows the icon of an action added hidden.
        marks[field.id]->setVisible(false);
        connect(edit, &QLineEdit::textChanged, this, &FieldMarks::show);
        // What the store gave back is looked at at once.
        if (!edit->text().isEmpty())
            looked |= FormField::bit(field.id);
    }
    show();
}

bool FieldMarks::eventFilter(QObject* watched, QEvent* event)
{
    // The user left a field (a popup taking the focus for a while is no leaving).
    if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        for (const FormField::Description& field : FormField::fields) {
            if (edits[field.id] == watched)
                looked |= FormField::bit(field.id);
        }
        show();
    }
    return false;
}

void FieldMarks::lookAt(FormField::Set fields)
{
    looked |= fields;
    show();
}

void FieldMarks::lookAtEvery()
{
    lookAt(FormField::Set(~0u));
}

void FieldMarks::show()
{
    // The same check as "Generate", field by field: every field it would refuse is marked at once.
    const FormValues values = form();
    for (const FormField::Description& field : FormField::fields) {
        std::optional<FormProblem> problem;
        if (looked & FormField::bit(field.id))
            problem = checkField(values, field.id);
        const QString mark = problem ? FormTexts::fieldMark(*problem) : QString();
        QLineEdit* edit = edits[field.id];
        if (edit->accessibleDescription() == mark)
            continue;
        if (problem && marks[field.id]->icon().isNull())
            marks[field.id]->setIcon(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning));
        marks[field.id]->setVisible(problem.has_value());
        marks[field.id]->setToolTip(mark);
        edit->setToolTip(mark);
        edit->setAccessibleDescription(mark);
        edit->setStyleSheet(problem ? QStringLiteral("QLineEdit { border: 2px solid #c62828; border-radius: 3px; }")
                                    : QString());
    }
}
