#pragma once

#include "base/DetachedTask.h"
#include "drives/DrivePlatform.h"
#include "form/FormFields.h"
#include "form/FormValues.h"
#include "form/ModeCodes.h"
#include "generation/CardSeries.h"
#include "generation/GenerateTexts.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>
#include <memory>
#include <optional>

struct CardContents;
struct ParameterFileForm;
struct FormProblem;
class ElidedLabel;
class PresetControls;
class QAction;
class QCheckBox;
class QLabel;
class QLayoutItem;
class QPushButton;
class QSpacerItem;
class QLineEdit;
class RunList;
class VolumeWatcher;

namespace Ui {
class Configurator;
}

// The tool's one window: the configuration form, the SD card drive list, the remembered form and "Generate".
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

    // The drive list entries, aligned with the items of the drive box.
    const QStringList& drives() const { return driveList; }
    quint8 currentModeCode() const { return modeCode; }

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
    void showLoadedForm(const ParameterFileForm& loaded, const QString& path, const QString& source = QString());
    void warnNotLoaded(const QString& path, const QString& reason);
    void loadFromCard();
    void refreshDriveList();
    void followVolumes();
    bool isRemovableDrive(const MountedVolume& volume) const;
    void describeDriveAnew(int index, const QString& rootPath);
    void describeDrive(int index, const MountedVolume& volume);
    void showChosenDriveToolTip();
    void placeCardLine();
    void showWhatTheCardHolds();
    void showOnCardLine(const QString& text);
    // The form's help (FormHelp.cpp): marks on the fields that "Generate" would refuse, masked secrets, a shortcut on
    // every button, a field column and bottom rows that stay where they are, and a load that can be taken back.
    void helpWithTheForm();
    void keepLayoutStill();
    void closeHiddenRows();
    void watchFieldMarks();
    void showFieldMarks();
    void markEveryField();
    void maskSecrets();
    // Fills the form from a card, a file or a preset, and says so under the fields until Ctrl+Z takes it back.
    void loadIntoForm(const FormValues& values, const QString& source);
    void undoLoad();
    static QString driveItemText(const MountedVolume& volume);
    static QString driveToolTip(const MountedVolume& volume);
    void describeIconButtons();
    void describeLabelledControls();
    void applyFieldLimits();
    void installValidators();
    static void showAcceptedForms(QLineEdit* edit, const QString& forms);
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
    EjectOutcome letCardGo(const QString& rootPath);
    // offerPortal: the box has an answer that opens the customer portal (and shows the box again).
    bool tellGenerated(const GenerateTexts::Message& generated, const QString& letGo, bool offerPortal = false);
    void waitForAnotherCard(const QString& preparedRoot);
    void warn(const QString& title, const QString& message);
    void warn(const GenerateTexts::Message& message) { warn(message.title, message.text); }
    // "Prepare each card put in" (Series.cpp).
    void placeSeriesControls();
    void seriesToggled(bool on);
    // While a series runs the form is read-only, with a line that says why.
    void holdFormForSeries(bool held);
    // The card readers taken out of a series, remembered in the settings store.
    QSet<QString> rememberedSkippedReaders() const;
    void readerToggled(const QString& readerId, bool skipped);
    // A card prepared with "Generate" joins the run, and its list; a card of the series is in the run already.
    void addToRun(const RunCard& card);
    void showInRunList(const RunCard& card);
    void endRun();

    Ui::Configurator* ui;
    quint8 modeCode = ModeCode::Default;
    QStringList driveList;
    QVector<MountedVolume> listedVolumes;   // what was listed for each entry of driveList
    VolumeWatcher* volumeWatcher = nullptr; // the drive list follows the cards that come and go

    std::array<QLineEdit*, FormField::count> fieldEdits{};
    std::array<QLabel*, FormField::count> fieldLabels{};
    // Shared with a card write that outlives its wait: a card that stopped answering may hold it long after.
    std::shared_ptr<DrivePlatform> drivePlatform;
    ExitFunction exitFunction;
    bool writingCard = false;        // "Generate" waits for the card: the window stays open meanwhile
    ElidedLabel* cardLine = nullptr; // what the chosen card holds
    quint64 cardReadings = 0;        // the card line takes only the answer of the latest reading

    FormField::Set fieldsChecked = 0; // the fields marked when "Generate" would refuse them: left once, or loaded
    std::array<QAction*, FormField::count> fieldMarks{};
    std::optional<FormValues> beforeLoad; // the form as it was before the last load, while that can be taken back
    ElidedLabel* loadNote = nullptr;      // what the last load did
    QString restoreNote; // what the remembered form held that the window could not restore, told where a load is
    QHash<QLabel*, QLayoutItem*> rowsOut; // Qt 5: the field of each row out of the form while its mode hides it
    QSpacerItem* labelColumn = nullptr;   // holds the form's label column at its one width
    QPushButton* undoLoadButton = nullptr;
    std::unique_ptr<PresetControls> presetControls;
    CardRun run; // the cards of this run, prepared by a series or one by one
    CardSeries* series = nullptr;
    RunList* runList = nullptr;
    QCheckBox* seriesBox = nullptr;
    QLabel* seriesNote = nullptr;
    bool closeAfterSeries = false; // closed while cards were being prepared: closes once they ended
};
