#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class DrivePlatform;
struct MountedVolume;
class QUuid;

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

    // Ends the process after a successful "Generate"; ::exit by default, replaced by tests.
    using ExitFunction = std::function<void(int status)>;
    void setExitFunction(ExitFunction exitFunction);

    // The drive list entries, aligned with the items of the drive box.
    const QStringList& drives() const { return driveList; }
    quint8 currentModeCode() const { return modeCode; }

private slots:
    void buttonSaveClicked();
    void buttonDefaultSettingsClicked();
    void saveSettings();
    void restoreSettings();
    void modeSerialChanged();
    void on_refreshButton_clicked();
    void on_resetConfigCheckBox_clicked(bool checked);
    void on_keyGenerationButton_clicked();

private:
    void refreshDriveList();
    bool isRemovableDrive(const MountedVolume& volume) const;
    // Returns the root path under which the volume is mounted afterwards (relabelling may remount it).
    QString applyVolumeLabel(const QString& rootPath, const QString& label);
    void identifierHandOff(const QUuid& identifier);
    bool formIsValid();
    bool textsAreReadable();
    void warnNoCard();
    void describeDriveAnew(int index, const QString& rootPath);
    void describeIconButtons();
    void installValidators();
    void warn(const QString& title, const QString& message);

    Ui::Configurator* ui;
    quint8 modeCode = 4;
    QStringList driveList;

    std::unique_ptr<DrivePlatform> drivePlatform;
    ExitFunction exitFunction;
};
