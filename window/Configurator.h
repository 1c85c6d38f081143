#pragma once

#include "drives/DrivePlatform.h"
#include "form/FormFields.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

struct FormProblem;
class DriveChooser;
class FieldMarks;
class FormLoader;
class FormRows;
class GenerateFrontEnd;
class PresetControls;
class QLabel;
class QLineEdit;
class RememberedForm;
class SecretToggles;
class SeriesControls;

namespace Ui {
class Configurator;
}

// The tool's one window: it builds the configuration form from its .ui, wires the parts that own the form's behaviour
// (the drive chooser, the loads and their undo, the field marks, the secret toggles, the presets, the series, the
// rows of the form and the form remembered between runs) and runs "Generate" through its front end.
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
    void describeControls();
    void showFormProblem(const FormProblem& problem);

    Ui::Configurator* ui;
    std::array<QLineEdit*, FormField::count> fieldEdits{};
    std::array<QLabel*, FormField::count> fieldLabels{};
    ExitFunction exitFunction;
    std::unique_ptr<RememberedForm> form;
    std::unique_ptr<GenerateFrontEnd> generate;
    DriveChooser* driveChooser = nullptr;
    std::unique_ptr<FormRows> rows;
    std::unique_ptr<SecretToggles> secrets;
    std::unique_ptr<FieldMarks> fieldMarks;
    FormLoader* loader = nullptr;
    std::unique_ptr<PresetControls> presetControls;
    SeriesControls* series = nullptr;
};
