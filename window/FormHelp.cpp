// The form's help to the user: a mark on each field that "Generate" would refuse, the secrets masked, a shortcut on
// every button, a field column and bottom rows that stay where they are whatever the mode, and a load from a card or a
// file that says what it did and can be taken back.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "form/FormCheck.h"
#include "form/FormTexts.h"
#include "generation/GenerateTexts.h"
#include "window/ElidedLabel.h"

#include <QAction>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

#include <functional>

namespace {
// Watches the fields: the user leaving one, and Ctrl+Z in one that has nothing of its own to undo.
class FieldWatch : public QObject
{
public:
    FieldWatch(QObject* parent, std::function<void(QObject*)> left, std::function<bool()> undoTaken)
        : QObject(parent), left(std::move(left)), undoTaken(std::move(undoTaken))
    {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            left(watched);
        } else if (event->type() == QEvent::ShortcutOverride) {
            const auto* edit = qobject_cast<QLineEdit*>(watched);
            // Left unaccepted, the key goes to the window's own Ctrl+Z.
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo) && edit && !edit->isUndoAvailable() &&
                undoTaken())
                return true;
        }
        return false;
    }

private:
    std::function<void(QObject*)> left;
    std::function<bool()> undoTaken;
};

// An eye, in the colour of the button's text.
QIcon eyeIcon(const QWidget& button)
{
    QPixmap eye(16, 16);
    eye.fill(Qt::transparent);
    QPainter painter(&eye);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = button.palette().color(QPalette::ButtonText);
    painter.setPen(QPen(ink, 1.5));
    painter.drawEllipse(QRectF(1.5, 4.5, 13, 7));
    painter.setBrush(ink);
    painter.drawEllipse(QRectF(6, 6, 4, 4));
    return QIcon(eye);
}

QWidget* widgetAt(const QFormLayout* layout, int row, QFormLayout::ItemRole role)
{
    QLayoutItem* item = layout->itemAt(row, role);
    return item ? item->widget() : nullptr;
}

QString withoutMark(QString text)
{
    return text.remove(QLatin1Char('&'));
}
} // namespace

void Configurator::helpWithTheForm()
{
    // The icon buttons show no text to mark a letter in.
    ui->refreshButton->setShortcut(QKeySequence(tr("Alt+F", "shortcut of the button that refreshes the card list")));
    ui->keyGenerationButton->setShortcut(QKeySequence(tr("Alt+Y", "shortcut of the button that draws a user key")));

    // Under the fields, once something was loaded: what, and the way back.
    loadNote = new ElidedLabel(ui->centralWidget);
    loadNote->setObjectName(QStringLiteral("loadNote"));
    undoLoadButton = new QPushButton(tr("Undo lo&ad"), ui->centralWidget);
    undoLoadButton->setObjectName(QStringLiteral("undoLoadButton"));
    undoLoadButton->setAutoDefault(true);
    undoLoadButton->setToolTip(tr("Put the form back as it was before the load (%1)")
                                   .arg(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText)));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(ui->formLayout->contentsMargins().left(), 0, ui->formLayout->contentsMargins().right(), 0);
    row->addWidget(loadNote, 1);
    row->addWidget(undoLoadButton);
    ui->mainLayout->insertLayout(1, row);
    loadNote->setVisible(!restoreNote.isEmpty());
    loadNote->setLine(restoreNote);
    undoLoadButton->hide();
    connect(undoLoadButton, &QPushButton::clicked, this, &Configurator::undoLoad);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &Configurator::undoLoad);

    keepLayoutStill();
    maskSecrets();
    watchFieldMarks();
    showWhatTheCardHolds();
}

void Configurator::keepLayoutStill()
{
    // The label column has one width whatever the mode shows, so that every mode's fields start at the same place;
    // the options under the fields start there too. The rows below the fields sit at the bottom of the window.
    //
    // The form layout counts a label towards its column only when the label and its field fit side by side, and the
    // spacer row that holds the column open only when it fits the form's width: with a large font, or in a language
    // with long labels, the column would follow the widest label that happens to fit in the mode shown. So the column
    // is as wide as the widest label, but never so wide that the rows every mode shows (the card list, the mode) lose
    // their room; a label wider than that wraps onto a second line, and no label is ever wider than the column.
    ensurePolished();
    QList<QLabel*> labels = rowsOut.keys();
    int alwaysShownFields = 0; // the least width of the fields of the rows that every mode shows
    for (int row = 0; row < ui->formLayout->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(widgetAt(ui->formLayout, row, QFormLayout::LabelRole));
        if (!label)
            continue;
        labels << label;
        if (label == ui->label_SDCard || label == ui->label_Mode)
            alwaysShownFields =
                std::max(alwaysShownFields, ui->formLayout->itemAt(row, QFormLayout::FieldRole)->minimumSize().width());
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
    const QMargins margins = ui->formLayout->contentsMargins();
    const int spacing = ui->formLayout->horizontalSpacing();
    // The room beside the fields of the rows that every mode shows, and never more than the form's width at the
    // window's least size, where the spacer row must still fit.
    const int room = std::min(width() - margins.left() - margins.right() - spacing - alwaysShownFields,
                              minimumWidth() - margins.left() - margins.right());
    int column = std::min(widest, room);
    for (const QLabel* label : qAsConst(labels))
        column = std::max(column, label->minimumWidth()); // the least width the form gives every label
    for (QLabel* label : qAsConst(labels)) {
        if (label->sizeHint().width() > column) {
            label->setWordWrap(true);
            label->setFixedWidth(column); // it wraps at the column's width, not at a width of its own choosing
        }
    }
    if (!labelColumn) {
        labelColumn = new QSpacerItem(column, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        ui->formLayout->setItem(ui->formLayout->rowCount(), QFormLayout::LabelRole, labelColumn);
    }
    labelColumn->changeSize(column, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    ui->formLayout->invalidate();
    ui->optionsLayout->setContentsMargins(margins.left() + column + spacing, 0, margins.right(), 0);
}

void Configurator::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Another font or style gives the labels other widths.
    if (labelColumn && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        keepLayoutStill();
}

void Configurator::closeHiddenRows()
{
    // Qt 5 leaves a gap for a hidden row whose field is a layout (the PIN, the password, the user key): each group's
    // row leaves the form while the mode hides it, and comes back in its place.
    QList<QLabel*> groups;
    for (const FormField::Description& field : FormField::fields)
        groups << fieldLabels[field.id];
    groups << ui->resetConfigLabel;
    int row = -1;
    QFormLayout::ItemRole role;
    ui->formLayout->getWidgetPosition(ui->label_Mode, &row, &role); // the fields come after the mode's row
    for (QLabel* label : qAsConst(groups)) {
        int at = -1;
        ui->formLayout->getWidgetPosition(label, &at, &role);
        if (label->isHidden() && at >= 0) {
            const QFormLayout::TakeRowResult taken = ui->formLayout->takeRow(at);
            delete taken.labelItem;
            rowsOut.insert(label, taken.fieldItem);
        } else if (!label->isHidden()) {
            ++row;
            if (at >= 0)
                continue;
            QLayoutItem* field = rowsOut.take(label);
            if (field->layout()) {
                ui->formLayout->insertRow(row, label, field->layout());
            } else {
                ui->formLayout->insertRow(row, label, field->widget());
                delete field;
            }
        }
    }
}

void Configurator::maskSecrets()
{
    // The PIN and the password are shown only on request; the store keeps them as before.
    const std::pair<QLineEdit*, QToolButton*> secrets[] = {{ui->Password, ui->showPasswordButton},
                                                           {ui->PIN_Code, ui->showPinButton}};
    for (const auto& [edit, button] : secrets) {
        button->setIcon(eyeIcon(*button));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(withoutMark(button->text()));
        button->setAccessibleName(button->toolTip());
        connect(button, &QToolButton::toggled, edit,
                [edit = edit](bool shown) { edit->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password); });
    }
}

void Configurator::watchFieldMarks()
{
    auto* watch = new FieldWatch(
        this,
        [this](QObject* left) {
            for (const FormField::Description& field : FormField::fields) {
                if (fieldEdits[field.id] == left)
                    fieldsChecked |= FormField::bit(field.id);
            }
            showFieldMarks();
        },
        [this] { return beforeLoad.has_value(); });
    watch->setObjectName(QStringLiteral("fieldWatch"));
    for (const FormField::Description& field : FormField::fields) {
        QLineEdit* edit = fieldEdits[field.id];
        edit->installEventFilter(watch);
        fieldMarks[field.id] = new QAction(style()->standardIcon(QStyle::SP_MessageBoxWarning), QString(), edit);
        edit->addAction(fieldMarks[field.id], QLineEdit::TrailingPosition);
        // Hidden once added: the line edit shows the icon of an action added hidden.
        fieldMarks[field.id]->setVisible(false);
        connect(edit, &QLineEdit::textChanged, this, &Configurator::showFieldMarks);
        // What the store gave back is looked at at once.
        if (!edit->text().isEmpty())
            fieldsChecked |= FormField::bit(field.id);
    }
    connect(ui->modeSerial, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Configurator::showFieldMarks);
    connect(ui->resetConfigCheckBox, &QCheckBox::toggled, this, &Configurator::showFieldMarks);
    showFieldMarks();
}

void Configurator::showFieldMarks()
{
    // The same check as "Generate", field by field: every field it would refuse is marked at once, with an icon and
    // a frame, and its reason in the tooltip and in what a screen reader says of the field.
    const FormValues values = formValues();
    for (const FormField::Description& field : FormField::fields) {
        std::optional<FormProblem> problem;
        if (fieldsChecked & FormField::bit(field.id))
            problem = checkField(values, field.id);
        const QString mark = problem ? FormTexts::fieldMark(*problem) : QString();
        QLineEdit* edit = fieldEdits[field.id];
        if (edit->accessibleDescription() == mark)
            continue;
        fieldMarks[field.id]->setVisible(problem.has_value());
        fieldMarks[field.id]->setToolTip(mark);
        edit->setToolTip(mark);
        edit->setAccessibleDescription(mark);
        edit->setStyleSheet(problem ? QStringLiteral("QLineEdit { border: 2px solid #c62828; border-radius: 3px; }")
                                    : QString());
    }
}

void Configurator::markEveryField()
{
    fieldsChecked = FormField::Set(~0u);
    showFieldMarks();
}

void Configurator::loadIntoForm(const FormValues& values, const QString& source)
{
    const FormValues before = formValues();
    applyFormValues(values);
    const FormValues after = formValues();
    QStringList changed;
    if (after.modeCode != before.modeCode)
        changed << withoutMark(ui->label_Mode->text());
    for (const FormField::Description& field : FormField::fields) {
        if (after.text(field.id) != before.text(field.id))
            changed << withoutMark(fieldLabels[field.id]->text());
        if (!after.text(field.id).isEmpty())
            fieldsChecked |= FormField::bit(field.id);
    }
    if (after.resetConfig != before.resetConfig)
        changed << withoutMark(ui->resetConfigLabel->text());
    const QString mode = ui->modeSerial->currentText();
    // What changed first: a long path is what the line shortens.
    loadNote->setLine(
        changed.isEmpty()
            ? tr("Loaded: %1, nothing changed (from %2).").arg(mode, source)
            : tr("Loaded: %1, changed: %2 (from %3).").arg(mode, changed.join(QStringLiteral(", ")), source));
    loadNote->show();
    undoLoadButton->show();
    beforeLoad = before;
    showFieldMarks();
}

void Configurator::undoLoad()
{
    if (!beforeLoad || (series && series->isRunning())) // the form is held while a series runs
        return;
    // The form as it was, the card chosen now staying chosen.
    FormValues before = *beforeLoad;
    before.driveIndex = ui->sdCardPath->currentIndex();
    beforeLoad.reset();
    applyFormValues(before);
    loadNote->hide();
    undoLoadButton->hide();
    showFieldMarks();
}
