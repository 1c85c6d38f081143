#include "window/RememberedForm.h"

#include "base/ShownText.h"
#include "base/TimeLimits.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "settings/FormStore.h"
#include "settings/SettingsKeys.h"
#include "window/AfterFirstPaint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSettings>
#include <QValidator>

#include <cstdio>
#include <utility>

namespace {
// The store is not opened when something else than a regular file stands where its file (or, to write it, its lock)
// belongs; the user is told once.
bool storeUsable(const std::optional<QString>& problem)
{
    static bool told = false;
    if (problem && !told) {
        told = true;
        std::fprintf(stderr, "%s: the form cannot be remembered: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(*problem));
    }
    return !problem;
}

// Puts a remembered or loaded text into its field as it stands, up to the field's length: the validator that guards
// typing is not asked.
void putText(QLineEdit& edit, const QString& text, const FormField::Description& field)
{
    const QValidator* validator = edit.validator();
    edit.setValidator(nullptr);
    edit.setText(text.left(field.maxLength));
    edit.setValidator(validator);
}
} // namespace

RememberedForm::RememberedForm(const Controls& controls, std::function<void(bool checked)> resetApplied)
    : controls(controls), resetApplied(std::move(resetApplied))
{
    readingLook.setInterval(int(TimeLimits::watchInterval.count()));
    QObject::connect(&readingLook, &QTimer::timeout, &readingLook, [this] {
        std::optional<Secrets::Got> got;
        const DetachedWork::Look look = reading->look(TimeLimits::keychain, got);
        if (look != DetachedWork::Look::Running)
            answered(got ? *got : Secrets::givenUp(asked));
    });
    for (const FormField::Description& field : FormField::fields) {
        if (!(FormField::inKeychain & FormField::bit(field.id)))
            continue;
        QLineEdit* edit = controls.fields[field.id];
        placeholders[field.id] = edit->placeholderText();
        // What the user types is known: it replaces a secret that the keychain did not give.
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this, edit, id = field.id] {
            notGot &= FormField::Set(~FormField::bit(id));
            edit->setPlaceholderText(placeholders[id]);
        });
    }
}

void RememberedForm::tellKeychainNote(std::function<void(const QString& line)> tell)
{
    tellNote = std::move(tell);
}

void RememberedForm::askKeychain(FormField::Set marked)
{
    asked = marked;
    for (const FormField::Description& field : FormField::fields) {
        if (asked & FormField::bit(field.id)) {
            controls.fields[field.id]->setReadOnly(true);
            controls.fields[field.id]->setPlaceholderText(
                QCoreApplication::translate("Configurator", "Asking the keychain..."));
        }
    }
    // The keychain's library and its bus are no part of the first frame.
    askPending = true;
    if (firstFrameDrawn) {
        startReading();
        return;
    }
    afterFirstPaint(
        *controls.modeList->window(), &readingLook,
        [this] {
            firstFrameDrawn = true;
            startReading();
        },
        WhenHidden::RunAtOnce);
}

void RememberedForm::startReading()
{
    if (!askPending)
        return;
    askPending = false;
    // Asked for both secrets in any case: the answer also says whether a keychain answers at all.
    reading = Secrets::startReading(Secrets::rememberedForm, FormField::inKeychain);
    if (reading)
        readingLook.start();
    else
        answered(Secrets::givenUp(asked));
}

void RememberedForm::answered(const Secrets::Got& got)
{
    readingLook.stop();
    reading.reset();
    for (const FormField::Description& field : FormField::fields) {
        if (!(asked & FormField::bit(field.id)))
            continue;
        QLineEdit* edit = controls.fields[field.id];
        edit->setReadOnly(false);
        edit->setPlaceholderText(placeholders[field.id]);
        if (got.got & FormField::bit(field.id)) {
            putText(*edit, got.values.text(field.id), field);
        } else {
            notGot |= FormField::bit(field.id);
            edit->setPlaceholderText(QCoreApplication::translate("Configurator", "Not read from the keychain"));
        }
    }
    asked = 0;
    if (const std::optional<QString> reason = Secrets::unavailable()) {
        std::fprintf(stderr, "%s: no keychain answers (%s): the secrets stay in the settings store\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(*reason));
        if (tellNote)
            tellNote(QCoreApplication::translate(
                "Configurator", "No keychain answers: the PIN and the password are kept in the settings as before."));
    }
}

void RememberedForm::waitForSecrets(const DetachedWork::Pump& pump)
{
    startReading();
    if (!reading)
        return;
    readingLook.stop();
    const std::optional<Secrets::Got> got = reading->waitWhile(TimeLimits::keychain, pump);
    answered(got ? *got : Secrets::givenUp(asked));
}

std::optional<FormField::Id> RememberedForm::secretNotGot() const
{
    return values().firstShown(notGot);
}

QString RememberedForm::secretNotGotText(FormField::Id secret)
{
    return QCoreApplication::translate("Configurator",
                                       "The remembered %1 could not be read from the keychain: please type it.")
        .arg(Secrets::fieldName(secret));
}

quint8 RememberedForm::modeCode() const
{
    return quint8(controls.modeList->currentData(Qt::UserRole).toInt() & 0xFF);
}

void RememberedForm::chooseMode(quint8 code)
{
    controls.modeList->setCurrentIndex(
        controls.modeList->findData(int(code), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

FormValues RememberedForm::values() const
{
    FormValues values;
    values.modeCode = modeCode();
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = controls.fields[field.id]->text();
    values.resetConfig = controls.reset->isChecked();
    values.driveIndex = controls.driveList->currentIndex();
    values.ejectCardWhenDone = controls.ejectCard->isChecked();
    return values;
}

void RememberedForm::apply(const FormValues& values)
{
    chooseMode(values.modeCode);
    for (const FormField::Description& field : FormField::fields) {
        QLineEdit* edit = controls.fields[field.id];
        // A secret that the keychain did not give is known once something else is put in its place.
        if (edit->text() != values.text(field.id))
            notGot &= FormField::Set(~FormField::bit(field.id));
        putText(*edit, values.text(field.id), field);
    }
    controls.driveList->setCurrentIndex(values.driveIndex);
    controls.reset->setChecked(values.resetConfig);
    controls.ejectCard->setChecked(values.ejectCardWhenDone);
    resetApplied(controls.reset->isChecked());
}

void RememberedForm::putPhoneNumbersInAcceptedForm()
{
    const FormValues accepted = PhoneNumber::inAcceptedForm(values());
    for (const FormField::Id field : {FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
        if (accepted.text(field) != controls.fields[field]->text())
            controls.fields[field]->setText(accepted.text(field));
    }
}

void RememberedForm::save()
{
    putPhoneNumbersInAcceptedForm();
    if (!storeUsable(FormStore::unwritableStore()))
        return;
    waitForSecrets();
    QSettings settings;
    if (!FormStore::save(settings, values(), notGot)) {
        // Nothing the user can do about it now; the form is simply not remembered.
        std::fprintf(stderr, "%s: the form could not be saved in %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(settings.fileName()));
    }
}

QString RememberedForm::restore()
{
    waitForSecrets(); // an answer still awaited is taken, then replaced
    QString note;
    FormValues values; // the defaults, when the store cannot be read
    FormField::Set marked = 0;
    if (storeUsable(FormStore::unusableStore())) {
        const QSettings settings;
        values = FormStore::load(settings);
        marked = Secrets::marked(settings);
        // Such a field starts empty, where the user sees it, as a missing key leaves it.
        if (const std::optional<QString> unreadable = FormStore::unreadableValues(settings)) {
            std::fprintf(stderr, "%s: the remembered form is restored without what it cannot read: %s\n",
                         qPrintable(QCoreApplication::applicationName()), qPrintable(*unreadable));
        } else if (FormStore::unknownMode(settings)) {
            // The first mode stands in for a mode the module does not know, as it always has; the user is told, rather
            // than left to take the fields for the remembered ones of another mode.
            note = QCoreApplication::translate("Configurator",
                                               "The remembered mode %1 is none of the module's: the form starts in %2.")
                       .arg(ShownText::escaped(settings.value(SettingsKeys::serialMode).toString()),
                            QCoreApplication::translate("Configurator", ModeCode::name(ModeCode::Default)));
        }
    }
    values.driveIndex = FormStore::driveIndexFor(values.driveIndex, controls.driveList->count());
    apply(values);
    notGot = 0;
    askKeychain(marked);
    return note;
}
