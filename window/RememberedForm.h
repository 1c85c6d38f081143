#pragma once

#include "base/DetachedTask.h"
#include "form/FormFields.h"
#include "form/FormValues.h"
#include "settings/Secrets.h"

#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The form as one set of values: read from the controls, put into them, and remembered between runs in the
// application's default settings store (settings/FormStore.h), under the store's keys.
class RememberedForm
{
public:
    struct Controls
    {
        QComboBox* driveList = nullptr;
        QComboBox* modeList = nullptr; // each entry's mode code as its item data
        std::array<QLineEdit*, FormField::count> fields{};
        QCheckBox* reset = nullptr;
        QCheckBox* ejectCard = nullptr;
    };
    // resetApplied runs, with the reset option's state, once values were put into the form: the controls that the
    // option greys out follow it.
    RememberedForm(const Controls& controls, std::function<void(bool checked)> resetApplied);

    quint8 modeCode() const;
    // Chooses the mode in the mode list (none chosen for a code the list does not hold).
    void chooseMode(quint8 code);
    FormValues values() const;
    // Each text as it is: a value longer than its field takes is cut, as typing it would have been; no validator puts
    // a phone number into another spacing (a loaded number stays as its file holds it).
    void apply(const FormValues& values);
    // Same digits, other spacing: the field, the remembered form and the card get the accepted text.
    void putPhoneNumbersInAcceptedForm();

    // Remembers the form, its phone numbers in their accepted form, once the keychain answered or its limit passed: a
    // secret it did not give stays as stored.
    void save();
    // Puts the remembered form in (the defaults where the store cannot be read); returns what it held that the window
    // could not restore, to be told where a load is, or nothing. The secrets kept in the keychain follow when it
    // answers: their fields wait meanwhile, read-only.
    QString restore();

    // Where the window says that no keychain answers (one line), once it is known.
    void tellKeychainNote(std::function<void(const QString& line)> tell);
    bool awaitsKeychain() const { return askPending || reading; }
    // Waits for the keychain's answer, within its limit (pump: what the window does meanwhile); at once when it came.
    void waitForSecrets(const DetachedWork::Pump& pump = {});
    // The first secret that the mode shows and the keychain did not give (nor the user type since), if any: the form
    // must not be written with it empty.
    std::optional<FormField::Id> secretNotGot() const;
    // What the user is told of it.
    static QString secretNotGotText(FormField::Id secret);

private:
    void askKeychain(FormField::Set marked);
    // Starts asking, once: after the window's first paint, or at once when an answer is needed before it.
    void startReading();
    void answered(const Secrets::Got& got);

    Controls controls;
    std::function<void(bool checked)> resetApplied;
    std::function<void(const QString& line)> tellNote;
    std::unique_ptr<DetachedTask<Secrets::Got>> reading;
    QTimer readingLook;
    bool askPending = false;      // the keychain is to be asked, once the window's first frame is drawn
    bool firstFrameDrawn = false; // (or the event loop found the window hidden)
    FormField::Set asked = 0;     // the remembered secrets that the keychain holds, while it is asked for them
    FormField::Set notGot = 0;    // those it did not give, until the user types them
    std::array<QString, FormField::count> placeholders;
};
