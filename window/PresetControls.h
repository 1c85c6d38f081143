#pragma once

#include "form/FormValues.h"
#include "settings/Presets.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QFormLayout;
class QSettings;
class QMenu;
class QToolButton;
class QWidget;

// The window's named presets: a button whose menu lists them, to pick one, which fills the form as a parameter file
// does (told under the fields, and undone by Ctrl+Z), and to save the form as a preset, rename or delete the chosen
// one, export it to a file and import one. The presets live in the settings store beside the remembered form
// (settings/Presets.h); their files are settings/PresetFile.h's.
class PresetControls
{
    Q_DECLARE_TR_FUNCTIONS(Configurator)

public:
    struct FrontEnd
    {
        std::function<FormValues()> form; // what the form holds now
        // Puts values into the form as a load from source does: the window says what changed, and the user can take
        // it back.
        std::function<void(const FormValues& values, const QString& source)> fill;
        // Runs work on a thread of its own while the window waits, busy; false when it did not end within the card's
        // silence limit (it is then left to end by itself).
        std::function<bool(const std::function<void()>& work)> whileBusy;
        // Runs wait while the window waits, busy and painting: a change of the list waits so for the keychain, which
        // takes each preset's secrets.
        std::function<void(const std::function<void(const DetachedWork::Pump& keepPainting)>& wait)> whileWaiting;
    };

    // Places the button at the right of the mode list, in layout's row of it, on window.
    PresetControls(QWidget* window, QFormLayout* layout, QWidget* modeList, FrontEnd frontEnd);

    // What the menu's actions do once they have their name or file; each tells the user what kept it from its work
    // and returns false then. The user is asked before a preset is replaced.
    bool saveAs(const QString& name);
    bool pick(const QString& name);
    bool rename(const QString& from, const QString& to);
    bool remove(const QString& name);
    // Without secrets, the file holds neither the access point password nor the PIN.
    bool exportTo(const QString& name, const QString& path, bool withSecrets = true);
    bool importFrom(const QString& path);

    QStringList names() const;                    // the presets, in the menu's order
    QMenu* menu() const;                          // its entries are made as it is shown
    QString chosen() const { return chosenName; } // the preset picked or saved last, or an empty name

private:
    void fillMenu();
    void choose(const QString& name) { chosenName = name; }
    void askSaveAs();
    void askRename();
    void askRemove();
    void askExport();
    void askImport();
    bool storeReadable(const QString& title);
    bool storeWritable(const QString& title);
    std::optional<Preset> find(const QString& name, const QString& title);
    // Saves values under name in the store (replacing the preset of that name, with replace).
    std::optional<PresetProblem> save(QSettings& settings, const QString& name, const FormValues& values, bool replace);
    // Makes the change in the store; false, with the user told why, when it was not made.
    bool changed(const QString& title,
                 const std::function<std::optional<PresetProblem>(QSettings& settings,
                                                                  const DetachedWork::Pump& keepPainting)>& change);
    // Runs work, which the keychain may keep waiting up to its time limit, while the window waits busy and painting.
    template <typename Work> auto awaited(const Work& work) -> decltype(work(DetachedWork::Pump()))
    {
        decltype(work(DetachedWork::Pump())) outcome{};
        frontEnd.whileWaiting([&](const DetachedWork::Pump& keepPainting) { outcome = work(keepPainting); });
        return outcome;
    }
    bool asked(const QString& title, const QString& question, const QString& yes);
    void warn(const QString& title, const QString& text);

    QWidget* window;
    FrontEnd frontEnd;
    QToolButton* menuButton = nullptr;
    QString chosenName;
};
