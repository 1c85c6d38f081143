#pragma once

#include "form/FormFields.h"
#include "form/FormValues.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class ElidedLabel;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QMargins;
class QPushButton;
class QWidget;
struct MountedVolume;
struct ParameterFileForm;

// Fills the form from a parameter file, the chosen card or a preset, and says under the fields what it changed, with a
// button (and Ctrl+Z, in a field that has nothing of its own to undo) that puts the form back as it was. A file that
// cannot be loaded, or that does not answer within the card's silence limit, is named in a warning, with the reason,
// and the form stays as it was.
class FormLoader : public QObject
{
    Q_OBJECT

public:
    struct Form
    {
        std::function<FormValues()> values;                  // what the form holds now
        std::function<void(const FormValues& values)> apply; // puts values into the form
        // Runs work on a thread of its own while the window waits, busy; false when it did not end within the card's
        // silence limit (it is then left to end by itself).
        std::function<bool(const std::function<void()>& work)> whileBusy;
        std::function<bool()> held; // a series holds the form: nothing is taken back meanwhile
        // What the note names: the labels of the mode, the fields and the reset option, and the mode list.
        QLabel* modeLabel = nullptr;
        std::array<QLabel*, FormField::count> fieldLabels{};
        QLabel* resetLabel = nullptr;
        QComboBox* modeList = nullptr;
        QComboBox* driveList = nullptr;
        std::array<QLineEdit*, FormField::count> fields{}; // where Ctrl+Z may reach the window's undo of a load
    };

    // Places the note and its button on area, in the row under the fields of column, at the form's margins; note is
    // shown there until a load replaces it (what the remembered form held that the window could not restore).
    FormLoader(QWidget* window, QWidget* area, QBoxLayout* column, const QMargins& margins, Form form,
               const QString& note);

    void fromFile(const QString& path);
    // From the parameter file on card, shown as name.
    void fromCard(const std::optional<MountedVolume>& card, const QString& name);
    // Puts values into the form as a load from source does.
    void fill(const FormValues& values, const QString& source);
    void undo();
    // Shows line in the note, as the remembered form's note is shown; a load replaces it.
    void tell(const QString& line);

signals:
    // The fields filled holds a value now.
    void loaded(FormField::Set filled);
    void undone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const ParameterFileForm& loaded, const QString& path, const QString& source = QString());
    void warnNotLoaded(const QString& path, const QString& reason);

    QWidget* window;
    Form form;
    std::optional<FormValues> before; // the form as it was before the last load, while that can be taken back
    ElidedLabel* note = nullptr;      // what the last load did
    QPushButton* undoButton = nullptr;
};
