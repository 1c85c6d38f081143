#include "window/PresetControls.h"

#include "base/ShownText.h"
#include "settings/FormStore.h"
#include "settings/PresetFile.h"
#include "settings/Presets.h"
#include "window/AfterFirstPaint.h"
#include "window/BundleSymbol.h"
#include "window/FileDialog.h"
#include "window/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

#include <memory>

namespace {
QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString fileFilter()
{
    return QCoreApplication::translate("Configurator", "ORVA presets (*.%1)").arg(QLatin1String(PresetFile::extension));
}

// The export dialog's second choice: the file without the access point password and the PIN.
QString withoutSecretsFilter()
{
    return QCoreApplication::translate("Configurator", "ORVA presets without secrets (*.%1)")
        .arg(QLatin1String(PresetFile::extension));
}
} // namespace

namespace {
// The style's icon asks the icon theme, whose first question reads the theme's whole index: until the window's first
// paint the button shows the style's built-in picture of the same symbol, and the style's own icon right after it.
void showIconOf(QToolButton& button, QWidget& window)
{
    const QString builtIn = QStringLiteral(":/qt-project.org/styles/commonstyle/images/viewdetailed-%1.png");
    if (!QFile::exists(builtIn.arg(16))) {
        button.setIcon(window.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        return;
    }
    // Decoded when drawn: 32 pixels from the picture, 16 from its copy.
    button.setIcon(QIcon(new BundleSymbolEngine(builtIn.arg(32), QSize(32, 32), builtIn)));
    afterFirstPaint(window, &button,
                    [&button] { button.setIcon(button.style()->standardIcon(QStyle::SP_FileDialogDetailedView)); });
}
} // namespace

PresetControls::PresetControls(QWidget* window, QFormLayout* layout, QWidget* modeList, FrontEnd frontEnd)
    : window(window), frontEnd(std::move(frontEnd))
{
    menuButton = new QToolButton(window);
    menuButton->setObjectName(QStringLiteral("presetButton"));
    // A symbol, as the round buttons beside the card list and the user key show, named for tooltips and screen
    // readers.
    showIconOf(*menuButton, *window);
    menuButton->setToolTip(tr("Presets: fill the form from one; save the form as one, rename, delete, export or "
                              "import one"));
    menuButton->setAccessibleName(tr("Presets"));
    menuButton->setShortcut(QKeySequence(tr("Alt+J", "shortcut of the button that opens the presets menu")));
    menuButton->setPopupMode(QToolButton::InstantPopup);
    menuButton->setFocusPolicy(Qt::StrongFocus);
    auto* menu = new QMenu(menuButton);
    menu->setObjectName(QStringLiteral("presetMenu"));
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { fillMenu(); });
    menuButton->setMenu(menu);
    // At the right of the mode, which a preset sets: the row keeps its height and no other row moves.
    int row = -1;
    QFormLayout::ItemRole role = QFormLayout::FieldRole;
    layout->getWidgetPosition(modeList, &row, &role);
    layout->removeWidget(modeList);
    auto* modeRow = new QHBoxLayout;
    modeRow->setSpacing(6);
    modeRow->addWidget(modeList);
    modeRow->addWidget(menuButton);
    modeRow->addStretch(1);
    layout->setLayout(row, role, modeRow);
}

QMenu* PresetControls::menu() const
{
    return menuButton->menu();
}

QStringList PresetControls::names() const
{
    // A store that cannot be opened was told of at start-up; there are no presets then.
    if (FormStore::unusableStore())
        return {};
    QSettings settings;
    return Presets::names(settings);
}

void PresetControls::fillMenu()
{
    QMenu* menu = menuButton->menu();
    menu->clear();
    // The presets first, the one picked or saved last checked; a name is shown as it may be shown (ShownText), and an
    // '&' in it is no shortcut mark.
    const QStringList presetNames = names();
    for (const QString& name : presetNames) {
        QString shown = ShownText::escaped(name);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* preset = menu->addAction(shown, menu, [this, name] { pick(name); });
        preset->setCheckable(true);
        preset->setChecked(name == chosenName);
        preset->setData(name);
    }
    // A damaged list is told where its presets would be; saving, renaming and importing tell it again.
    if (presetNames.isEmpty() && !FormStore::unusableStore()) {
        const QSettings settings;
        if (const std::optional<PresetProblem> damaged = Presets::damagedList(settings)) {
            QString shown = Presets::problemText(*damaged);
            shown.replace(QLatin1Char('&'), QLatin1String("&&"));
            menu->addAction(shown)->setEnabled(false);
        }
    }
    if (!menu->isEmpty())
        menu->addSeparator();
    const bool one = !chosenName.isEmpty();
    menu->addAction(tr("&Save as..."), menu, [this] { askSaveAs(); });
    menu->addAction(tr("&Rename..."), menu, [this] { askRename(); })->setEnabled(one);
    menu->addAction(tr("&Delete"), menu, [this] { askRemove(); })->setEnabled(one);
    menu->addSeparator();
    menu->addAction(tr("&Export..."), menu, [this] { askExport(); })->setEnabled(one);
    menu->addAction(tr("&Import..."), menu, [this] { askImport(); });
}

bool PresetControls::storeReadable(const QString& title)
{
    // Something else than a regular file where the store belongs would make reading it wait without end.
    if (const std::optional<QString> problem = FormStore::unusableStore()) {
        warn(title, tr("The presets cannot be read: %1").arg(*problem));
        return false;
    }
    return true;
}

bool PresetControls::storeWritable(const QString& title)
{
    if (const std::optional<QString> problem = FormStore::unwritableStore()) {
        warn(title, tr("The presets cannot be saved: %1").arg(*problem));
        return false;
    }
    return true;
}

bool PresetControls::saveAs(const QString& name)
{
    const QString title = tr("Preset not saved");
    if (!storeWritable(title))
        return false;
    QSettings settings;
    const FormValues values = frontEnd.form();
    std::optional<PresetProblem> problem = save(settings, name, values, false);
    if (problem && problem->kind == PresetProblem::Kind::NameTaken) {
        if (!asked(tr("Replace preset"),
                   tr("There is a preset called \"%1\" already. Replace it with the form?")
                       .arg(ShownText::escaped(problem->name)),
                   tr("&Replace")))
            return false;
        problem = save(settings, problem->name, values, true);
    }
    if (problem) {
        warn(title, Presets::problemText(*problem));
        return false;
    }
    choose(Presets::of(name, values).name);
    return true;
}

std::optional<Preset> PresetControls::find(const QString& name, const QString& title)
{
    if (!storeReadable(title))
        return std::nullopt;
    QSettings settings;
    const Presets::Found found =
        awaited([&](const DetachedWork::Pump& keepPainting) { return Presets::find(settings, name, keepPainting); });
    if (!found.preset) {
        warn(title, Presets::problemText(*found.problem));
        return std::nullopt;
    }
    // A secret that the keychain did not give would be taken for an empty one.
    if (const std::optional<PresetProblem> notGot = Presets::secretNotGot(found)) {
        warn(title, Presets::problemText(*notGot));
        return std::nullopt;
    }
    return found.preset;
}

bool PresetControls::pick(const QString& name)
{
    const std::optional<Preset> found = find(name, tr("Preset not used"));
    if (!found)
        return false;
    frontEnd.fill(Presets::applied(*found, frontEnd.form()), tr("preset \"%1\"").arg(ShownText::escaped(found->name)));
    choose(found->name);
    return true;
}

std::optional<PresetProblem> PresetControls::save(QSettings& settings, const QString& name, const FormValues& values,
                                                  bool replace)
{
    return awaited([&](const DetachedWork::Pump& keepPainting) {
        return Presets::save(settings, name, values, replace, keepPainting);
    });
}

bool PresetControls::changed(
    const QString& title,
    const std::function<std::optional<PresetProblem>(QSettings& settings, const DetachedWork::Pump& keepPainting)>&
        change)
{
    if (!storeWritable(title))
        return false;
    QSettings settings;
    if (const std::optional<PresetProblem> problem =
            awaited([&](const DetachedWork::Pump& keepPainting) { return change(settings, keepPainting); })) {
        warn(title, Presets::problemText(*problem));
        return false;
    }
    return true;
}

bool PresetControls::rename(const QString& from, const QString& to)
{
    if (!changed(tr("Preset not renamed"), [&](QSettings& settings, const DetachedWork::Pump& keepPainting) {
            return Presets::rename(settings, from, to, keepPainting);
        }))
        return false;
    if (from.trimmed().compare(chosenName, Qt::CaseInsensitive) == 0)
        choose(to.trimmed());
    return true;
}

bool PresetControls::remove(const QString& name)
{
    if (!changed(tr("Preset not deleted"), [&](QSettings& settings, const DetachedWork::Pump& keepPainting) {
            return Presets::remove(settings, name, keepPainting);
        }))
        return false;
    if (name.trimmed().compare(chosenName, Qt::CaseInsensitive) == 0)
        choose(QString());
    return true;
}

bool PresetControls::exportTo(const QString& name, const QString& path, bool withSecrets)
{
    const QString title = tr("Preset not exported");
    const std::optional<Preset> found = find(name, title);
    if (!found)
        return false;
    // The file may lie on a share that stops answering.
    auto failure = std::make_shared<std::optional<QString>>();
    const bool ended = frontEnd.whileBusy(
        [failure, path, withSecrets, preset = *found] { *failure = PresetFile::write(path, preset, withSecrets); });
    if (!ended)
        *failure = tr("The drive that holds it does not respond.");
    if (*failure) {
        warn(title, tr("The preset could not be written to %1.").arg(shownPath(path)) + QLatin1Char('\n') +
                        ShownText::escaped(**failure));
        return false;
    }
    return true;
}

bool PresetControls::importFrom(const QString& path)
{
    const QString title = tr("Preset not imported");
    auto read = std::make_shared<PresetFile::Read>();
    if (!frontEnd.whileBusy([read, path] { *read = PresetFile::read(path); })) {
        warn(title, tr("No preset could be taken from %1.").arg(shownPath(path)) + QLatin1Char('\n') +
                        tr("The drive that holds it does not respond."));
        return false;
    }
    if (!read->preset) {
        warn(title, tr("No preset could be taken from %1.").arg(shownPath(path)) + QLatin1Char('\n') +
                        PresetFile::refusalText(*read->refusal));
        return false;
    }
    if (!storeWritable(title))
        return false;
    QSettings settings;
    const FormValues& values = read->preset->values;
    std::optional<PresetProblem> problem = save(settings, read->preset->name, values, false);
    if (problem && problem->kind == PresetProblem::Kind::NameTaken) {
        if (!asked(tr("Replace preset"),
                   tr("There is a preset called \"%1\" already. Replace it with the one of %2?")
                       .arg(ShownText::escaped(problem->name), shownPath(path)),
                   tr("&Replace")))
            return false;
        problem = save(settings, problem->name, values, true);
    }
    if (problem) {
        warn(title, Presets::problemText(*problem));
        return false;
    }
    return pick(read->preset->name);
}

void PresetControls::askSaveAs()
{
    bool given = false;
    const QString name =
        QInputDialog::getText(window, tr("Save as preset"), tr("Name of the preset (a site, a customer):"),
                              QLineEdit::Normal, chosen(), &given);
    if (given)
        saveAs(name);
}

void PresetControls::askRename()
{
    const QString from = chosen();
    bool given = false;
    const QString to = QInputDialog::getText(window, tr("Rename preset"),
                                             tr("New name of the preset \"%1\":").arg(ShownText::escaped(from)),
                                             QLineEdit::Normal, from, &given);
    if (given)
        rename(from, to);
}

void PresetControls::askRemove()
{
    const QString name = chosen();
    if (asked(tr("Delete preset"), tr("Delete the preset \"%1\"?").arg(ShownText::escaped(name)), tr("&Delete")))
        remove(name);
}

void PresetControls::askExport()
{
    const QString name = chosen();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // The second file type leaves the secrets out.
    const std::optional<FileDialog::Chosen> answer =
        FileDialog::save(window, tr("Export preset"),
                         QDir(folder).filePath(name + QLatin1Char('.') + QLatin1String(PresetFile::extension)),
                         {fileFilter(), withoutSecretsFilter()});
    if (!answer)
        return;
    QString path = answer->path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QLatin1String(PresetFile::extension);
    exportTo(name, path, answer->filter != 1);
}

void PresetControls::askImport()
{
    const QString path = QFileDialog::getOpenFileName(
        window, tr("Import preset"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        fileFilter() + QStringLiteral(";;") + tr("All files (*)"));
    if (!path.isEmpty())
        importFrom(path);
}

bool PresetControls::asked(const QString& title, const QString& question, const QString& yes)
{
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, window);
    QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return MessageBox::exec(box) == accept;
}

void PresetControls::warn(const QString& title, const QString& text)
{
    MessageBox::warning(window, title, text);
}
