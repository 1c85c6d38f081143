#pragma once

#include "base/DetachedTask.h"
#include "drives/DrivePlatform.h"
#include "form/FormFields.h"
#include "form/FormValues.h"
#include "generation/GenerateTexts.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

struct CardContents;
struct FormProblem;
struct RunCard;
class DriveChooser;
class FieldMarks;
class FormLoader;
class FormRows;
class PresetControls;
class QLabel;
class QLineEdit;
class SecretToggles;
class SeriesControls;

namespace Ui {
class Configurator;
}

// The tool's one window: it builds the configuration form from its .ui, wires the parts that own the form's behaviour
// (the drive chooser, the loads and their undo, the field marks, the secret toggles, the presets, the series and the
// rows of the form), remembers the form between runs and runs "Generate".
class Configurator : public QMainWindow
{
    Q_OBJECT

public:
    explicit Configurator(QWidget* parent = nullptr);
    // The drive platform answers every question about mounted volumes; tests present their own cards through it.
    explicit Configurator(std::unique_ptr<DrivePlatform> drives, QWidget* parent = nullptr);
    ~Configurator() override;

    // Ends the process after a successful "Generate"; DetachedWork::endProcess by default, replaced by tests.
    using ExitFunction = std::function<void(int status)>;
    void setExitFunction(ExitFunction exitFunction);

    // The root paths of the drive list's entries, in the box's order.
    QStringList drives() const;
    quint8 currentModeCode() const;

    // Fills the form from a parameter file (mode, fields, reset option); a file that cannot be loaded, or that does not
    // answer within the card's silence limit, is named in a warning, with the reason, and the form stays as it was.
    void loadParameterFile(const QString& path);

    // The named presets: their list and their menu (window/PresetControls.h).
    PresetControls& presets() { return *presetControls; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void buttonSaveClicked();
    void buttonDefaultSettingsClicked();
    void saveSettings();
    void restoreSettings();
    void modeSerialChanged();
    // Connected by name by the form's setupUi; the window tests press each of them, so a renamed control fails there.
    void on_refreshButton_clicked();                   // clazy:exclude=connect-by-name
    void on_resetConfigCheckBox_clicked(bool checked); // clazy:exclude=connect-by-name
    void on_keyGenerationButton_clicked();             // clazy:exclude=connect-by-name

private:
    FormValues formValues() const;
    void applyFormValues(const FormValues& values);
    // Restores the remembered form; what it held that the window could not restore, told where a load is.
    QString restoreForm();
    void describeControls();
    void applyFieldLimits();
    void installValidators();
    void putPhoneNumbersInAcceptedForm();
    void showFormProblem(const FormProblem& problem);
    bool replacementAccepted(const CardContents& held);
    void waitForCard(const std::function<void(const DetachedWork::Pump& keepPainting)>& wait);
    // Runs work on a task of its own while the window is busy; nothing when it was silent for longer than limit.
    template <typename T>
    std::optional<T> whileBusy(std::function<T()> work, std::chrono::milliseconds limit = TimeLimits::cardSilence)
    {
        std::optional<T> outcome;
        waitForCard([&](const DetachedWork::Pump& keepPainting) {
            DetachedTask<T> task([work = std::move(work)](const DetachedWork::Liveness&) { return work(); });
            outcome = task.waitWhile(limit, keepPainting);
        });
        return outcome;
    }
    // The same for work without an outcome: false when it was silent for longer than the card's silence limit.
    bool ranWhileBusy(const std::function<void()>& work);
    EjectOutcome letCardGo(const QString& rootPath);
    // offerPortal: the box has an answer that opens the customer portal (and shows the box again). A card with a new
    // GSM or LAN identifier shows it grouped and as a QR code, and offers its label.
    bool tellGenerated(const GenerateTexts::Message& generated, const QString& letGo, const RunCard& card,
                       bool offerPortal = false);
    void warn(const QString& title, const QString& message);
    void warn(const GenerateTexts::Message& message) { warn(message.title, message.text); }

    Ui::Configurator* ui;
    std::array<QLineEdit*, FormField::count> fieldEdits{};
    std::array<QLabel*, FormField::count> fieldLabels{};
    // Shared with a card write that outlives its wait: a card that stopped answering may hold it long after.
    std::shared_ptr<DrivePlatform> drivePlatform;
    ExitFunction exitFunction;
    bool writingCard = false; // "Generate" waits for the card: the window stays open meanwhile
    DriveChooser* driveChooser = nullptr;
    std::unique_ptr<FormRows> rows;
    std::unique_ptr<SecretToggles> secrets;
    std::unique_ptr<FieldMarks> fieldMarks;
    FormLoader* loader = nullptr;
    std::unique_ptr<PresetControls> presetControls;
    SeriesControls* series = nullptr;
};
