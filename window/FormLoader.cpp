#include "window/FormLoader.h"

#include "drives/DrivePlatform.h"
#include "generation/CardContents.h"
#include "generation/CardWriter.h"
#include "generation/GenerateTexts.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileForm.h"
#include "window/ElidedLabel.h"
#include "window/MessageBox.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <memory>

namespace {
QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString withoutMark(QString text)
{
    return text.remove(QLatin1Char('&'));
}

void warn(QWidget* window, const GenerateTexts::Message& message)
{
    MessageBox::warning(window, message.title, message.text);
}
} // namespace

FormLoader::FormLoader(QWidget* window, QWidget* area, QBoxLayout* column, const QMargins& margins, Form form,
                       const QString& restoreNote)
    : QObject(window), window(window), form(std::move(form))
{
    // Under the fields, once something was loaded: what, and the way back.
    note = new ElidedLabel(area);
    note->setObjectName(QStringLiteral("loadNote"));
    undoButton = new QPushButton(QCoreApplication::translate("Configurator", "Undo lo&ad"), area);
    undoButton->setObjectName(QStringLiteral("undoLoadButton"));
    undoButton->setAutoDefault(true);
    undoButton->setToolTip(
        QCoreApplication::translate("Configurator", "Put the form back as it was before the load (%1)")
            .arg(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText)));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(margins.left(), 0, margins.right(), 0);
    row->addWidget(note, 1);
    row->addWidget(undoButton);
    column->insertLayout(1, row);
    note->setVisible(!restoreNote.isEmpty());
    note->setLine(restoreNote);
    undoButton->hide();
    connect(undoButton, &QPushButton::clicked, this, &FormLoader::undo);
    connect(new QShortcut(QKeySequence::Undo, window), &QShortcut::activated, this, &FormLoader::undo);
    for (QLineEdit* edit : this->form.fields)
        edit->installEventFilter(this);
}

bool FormLoader::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* edit = qobject_cast<QLineEdit*>(watched);
        // Left unaccepted, the key goes to the window's own Ctrl+Z.
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo) && edit && !edit->isUndoAvailable() &&
            before.has_value())
            return true;
    }
    return false;
}

void FormLoader::fromFile(const QString& path)
{
    // The file may lie on a card that stops answering: it is read on a thread of its own, as the card is for "Load
    // from card", and the window keeps painting meanwhile.
    const FormValues current = form.values();
    auto loaded = std::make_shared<ParameterFileForm>();
    if (form.whileBusy([loaded, path, current] { *loaded = formFromParameterFile(path, current); }))
        show(*loaded, path);
    else
        warnNotLoaded(path, QCoreApplication::translate("Configurator", "It does not respond: the card or drive that "
                                                                        "holds it stopped answering."));
}

void FormLoader::fromCard(const std::optional<MountedVolume>& card, const QString& name)
{
    if (!card) {
        warn(window, GenerateTexts::noCard());
        return;
    }
    // The file the line under the list describes, read and turned into the form on a thread of its own.
    const QString root = card->rootPath;
    const FormValues current = form.values();
    struct Read
    {
        CardContents contents;
        ParameterFileForm form;
        QString path;
    };
    auto read = std::make_shared<Read>();
    if (!form.whileBusy([read, root, current] {
            read->contents = readCardContents(root);
            read->path = QDir(root).filePath(parameterFileOnCard(read->contents.fileName));
            if (!read->contents.fileName.isEmpty())
                read->form = formFromParameterFile(read->path, current);
        })) {
        warn(window, GenerateTexts::notResponding());
        return;
    }
    // No file to load: none on the card, or a folder 02 that cannot be read or leads off the card.
    if (read->contents.fileName.isEmpty()) {
        MessageBox::warning(window, QCoreApplication::translate("Configurator", "Nothing to load"),
                            GenerateTexts::cardContents(read->contents));
        return;
    }
    show(read->form, read->path, QCoreApplication::translate("Configurator", "the card %1").arg(name));
}

void FormLoader::show(const ParameterFileForm& loaded, const QString& path, const QString& source)
{
    QString reason;
    switch (loaded.outcome) {
    case ParameterFileForm::Outcome::Loaded: {
        fill(loaded.values, source.isEmpty() ? shownPath(path) : source);
        // Told before anything is written: what the form will write otherwise than the file holds it.
        if (loaded.differsFromFile())
            warn(window, GenerateTexts::loadedWithDifferences(loaded, shownPath(path)));
        return;
    }
    case ParameterFileForm::Outcome::NotAFile:
        reason = QCoreApplication::translate("Configurator", "It does not exist or is not a file.");
        break;
    case ParameterFileForm::Outcome::TooLarge:
        reason = QCoreApplication::translate("Configurator", "It is far too large for a parameter file.");
        break;
    case ParameterFileForm::Outcome::Unreadable:
        reason = QCoreApplication::translate("Configurator", "It cannot be read: %1").arg(loaded.detail);
        break;
    case ParameterFileForm::Outcome::Damaged:
        reason =
            QCoreApplication::translate("Configurator", "It is not a parameter file that the module can read (%1).")
                .arg(loaded.detail);
        break;
    }
    warnNotLoaded(path, reason);
}

void FormLoader::warnNotLoaded(const QString& path, const QString& reason)
{
    MessageBox::warning(
        window, QCoreApplication::translate("Configurator", "Parameter file not loaded"),
        QCoreApplication::translate("Configurator", "The form could not be filled from %1.").arg(shownPath(path)) +
            QLatin1String("\n") + reason);
}

void FormLoader::fill(const FormValues& values, const QString& source)
{
    const FormValues earlier = form.values();
    form.apply(values);
    const FormValues after = form.values();
    QStringList changed;
    FormField::Set filled = 0;
    if (after.modeCode != earlier.modeCode)
        changed << withoutMark(form.modeLabel->text());
    for (const FormField::Description& field : FormField::fields) {
        if (after.text(field.id) != earlier.text(field.id))
            changed << withoutMark(form.fieldLabels[field.id]->text());
        if (!after.text(field.id).isEmpty())
            filled |= FormField::bit(field.id);
    }
    if (after.resetConfig != earlier.resetConfig)
        changed << withoutMark(form.resetLabel->text());
    const QString mode = form.modeList->currentText();
    // What changed first: a long path is what the line shortens.
    note->setLine(
        changed.isEmpty()
            ? QCoreApplication::translate("Configurator", "Loaded: %1, nothing changed (from %2).").arg(mode, source)
            : QCoreApplication::translate("Configurator", "Loaded: %1, changed: %2 (from %3).")
                  .arg(mode, changed.join(QStringLiteral(", ")), source));
    note->show();
    undoButton->show();
    before = earlier;
    emit loaded(filled);
}

void FormLoader::tell(const QString& line)
{
    note->setLine(line);
    note->show();
}

void FormLoader::undo()
{
    if (!before || form.held()) // the form is held while a series runs
        return;
    // The form as it was, the card chosen now staying chosen.
    FormValues earlier = *before;
    earlier.driveIndex = form.driveList->currentIndex();
    before.reset();
    form.apply(earlier);
    note->hide();
    undoButton->hide();
    emit undone();
}
