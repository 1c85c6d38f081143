#include "window/DriveChooser.h"

#include "base/DetachedTask.h"
#include "base/ShownText.h"
#include "base/ThreadInbox.h"
#include "drives/CardIdentity.h"
#include "drives/VolumeWatcher.h"
#include "generation/CardContents.h"
#include "generation/GenerateTexts.h"
#include "window/ElidedLabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

Q_DECLARE_METATYPE(MountedVolume)

namespace {
// Each entry's volume, as it was listed; the entry's user data is left empty, as the box's own users expect it.
const int volumeRole = Qt::UserRole + 1;

// Waits for one reading of the card: the reading's end arrives through the inbox, silence through the timer.
class ReadingWatch : public QTimer
{
public:
    explicit ReadingWatch(QObject* parent) : QTimer(parent)
    {
        setSingleShot(true);
        setInterval(TimeLimits::cardSilence);
    }
    ThreadInbox inbox{this}; // closed before the timer goes
    bool done = false;
};

QString itemText(const MountedVolume& volume)
{
    const QString mark =
        volume.readOnly ? QLatin1Char(' ') + QCoreApplication::translate("Configurator", "(READ ONLY)") : QString();
    // The card as every list names it, its capacity and device beside its name: three cards labelled alike are three
    // different entries. A mount path may be long: it comes last, so that a narrow box cuts the path instead. A card
    // without a name is known by its path already.
    QString shown = CardIdentity::shownName(volume) + mark;
    if (CardIdentity::isDriveLetterRoot(volume.rootPath) || volume.name.isEmpty())
        return shown;
    return shown + QStringLiteral(" \u2014 ") + ShownText::escaped(volume.rootPath);
}

QString toolTip(const MountedVolume& volume)
{
    QStringList lines{QCoreApplication::translate("Configurator", "Path: %1")
                          .arg(ShownText::escaped(QDir::toNativeSeparators(volume.rootPath)))};
    if (volume.capacity > 0)
        lines << QCoreApplication::translate("Configurator", "Capacity: %1")
                     .arg(CardIdentity::capacityText(volume.capacity));
    const QString device = CardIdentity::deviceText(volume);
    if (!device.isEmpty())
        lines << QCoreApplication::translate("Configurator", "Device: %1").arg(device);
    if (!volume.fileSystem.isEmpty())
        lines << QCoreApplication::translate("Configurator", "File system: %1")
                     .arg(ShownText::escaped(volume.fileSystem));
    const QString tip = lines.join(QLatin1Char('\n'));
    // A tooltip that looks like markup is taken for it: such a one is turned into markup that shows it as it is.
    return Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip, Qt::WhiteSpaceNoWrap) : tip;
}
} // namespace

DriveChooser::DriveChooser(QComboBox* box, QFormLayout* form, std::shared_ptr<DrivePlatform> drives, QObject* parent)
    : QObject(parent), box(box), drives(std::move(drives))
{
    QWidget* area = box->parentWidget();
    // One line, never cut: a long one ends in "…" and its tooltip holds it whole. A card's texts are shown as they
    // are: an APN in angle brackets is no markup.
    cardLine = new ElidedLabel(area);
    cardLine->setObjectName(QStringLiteral("cardContentsLabel"));
    auto* load = new QPushButton(QCoreApplication::translate("Configurator", "&Load from card"), area);
    load->setObjectName(QStringLiteral("loadFromCardButton"));
    load->setAutoDefault(true);
    load->setToolTip(
        QCoreApplication::translate("Configurator", "Fill the form from the parameter file on the chosen card"));
    connect(load, &QPushButton::clicked, this, &DriveChooser::loadAsked);
    // Right under the card list, across the form.
    auto* row = new QHBoxLayout;
    row->addWidget(cardLine, 1);
    row->addWidget(load);
    form->insertRow(1, row);
    // Queued: the drive list is complete by then when the box is being filled.
    connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &DriveChooser::showWhatTheCardHolds,
            Qt::QueuedConnection);
    // An entry (a card's name, device and mount path) may be longer than the window is wide: the box keeps its width
    // and cuts the entry's end, the mount path.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(5);
    connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &DriveChooser::showChosenToolTip);
}

QStringList DriveChooser::rootPaths() const
{
    QStringList paths;
    for (int i = 0; i < box->count(); ++i)
        paths << box->itemData(i, volumeRole).value<MountedVolume>().rootPath;
    return paths;
}

std::optional<MountedVolume> DriveChooser::listed(int index) const
{
    if (index < 0 || index >= box->count())
        return std::nullopt;
    return box->itemData(index, volumeRole).value<MountedVolume>();
}

std::optional<MountedVolume> DriveChooser::chosen() const
{
    return listed(box->currentIndex());
}

void DriveChooser::describe(int index, const MountedVolume& volume)
{
    box->setItemData(index, QVariant::fromValue(volume), volumeRole);
    box->setItemText(index, itemText(volume));
    box->setItemData(index, toolTip(volume), Qt::ToolTipRole);
    if (index == box->currentIndex())
        showChosenToolTip();
}

void DriveChooser::showChosenToolTip()
{
    // The closed box shows the chosen card's tooltip too.
    box->setToolTip(box->currentData(Qt::ToolTipRole).toString());
}

void DriveChooser::refresh()
{
    box->clear();
    const QVector<MountedVolume> volumes = drives->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (!volume.removable)
            continue;
        // Adding to the emptied box makes the first item current.
        box->insertItem(box->count(), QIcon(), QString());
        describe(box->count() - 1, volume);
    }
}

void DriveChooser::follow()
{
    if (watcher)
        return;
    watcher = new VolumeWatcher(this);
    connect(watcher, &VolumeWatcher::volumesChanged, this, &DriveChooser::followVolumes);
}

void DriveChooser::followVolumes()
{
    // Unlike the refresh button, a card coming or going never moves the user's choice to another card.
    const std::optional<MountedVolume> chosenBefore = chosen();
    const QStringList before = rootPaths();

    refresh();

    const QStringList after = rootPaths();
    int choice = -1;
    if (chosenBefore) {
        choice = after.indexOf(chosenBefore->rootPath);
        // The same card mounted again elsewhere (labelling may do that) is still the user's choice.
        for (int i = 0; choice < 0 && chosenBefore->device != 0 && i < after.size(); ++i) {
            if (listed(i)->device == chosenBefore->device)
                choice = i;
        }
    } else {
        // With no card chosen, the first card that has just arrived becomes the choice.
        for (int i = 0; choice < 0 && i < after.size(); ++i) {
            if (!before.contains(after.at(i)))
                choice = i;
        }
    }
    box->setCurrentIndex(choice);
}

void DriveChooser::chooseOtherThan(const QString& preparedRoot)
{
    refresh();
    const QStringList paths = rootPaths();
    int choice = -1;
    for (int i = 0; choice < 0 && i < paths.size(); ++i) {
        if (paths.at(i) != preparedRoot)
            choice = i;
    }
    box->setCurrentIndex(choice);
}

void DriveChooser::describeAnew(const QString& listedRoot, const QString& rootPath)
{
    const int index = rootPaths().indexOf(listedRoot);
    if (index < 0 || rootPath == listedRoot)
        return;
    // Shown as the system describes it now; the entry keeps what was listed of it, at its new path.
    MountedVolume listedThere = *listed(index);
    listedThere.rootPath = rootPath;
    MountedVolume described;
    described.rootPath = rootPath;
    describe(index, drives->volumeAt(rootPath).value_or(described));
    box->setItemData(index, QVariant::fromValue(listedThere), volumeRole);
}

void DriveChooser::showWhatTheCardHolds()
{
    const std::optional<MountedVolume> card = chosen();
    const quint64 reading = ++readings;
    if (!card) {
        cardLine->setLine(QCoreApplication::translate("Configurator", "No card chosen: put in an SD card."));
        return;
    }
    showOnCardLine(QCoreApplication::translate("Configurator", "Reading the card..."));
    // Read on a thread of its own; the reading wakes the window as it ends, and is looked at otherwise only once its
    // silence limit is up. A card silent for the silence limit is given up (and left to end by itself); so is a
    // reading that a newer one replaced.
    auto read = std::make_shared<DetachedTask<QVector<CardContents>>>(
        [root = card->rootPath](const DetachedWork::Liveness&) { return readCardFiles(root); });
    auto* watch = new ReadingWatch(this);
    const auto look = [this, watch, read, reading] {
        if (watch->done)
            return;
        std::optional<QVector<CardContents>> files;
        if (readings == reading) {
            switch (read->look(TimeLimits::cardSilence, files)) {
            case DetachedWork::Look::Running: // it gave signs of life since: its limit starts again
                watch->start();
                return;
            case DetachedWork::Look::Ended:
                showOnCardLine(GenerateTexts::cardFiles(*files));
                break;
            case DetachedWork::Look::GivenUp:
                showOnCardLine(GenerateTexts::cardSilent());
                break;
            }
        }
        watch->done = true;
        watch->stop();
        watch->deleteLater();
    };
    connect(watch, &QTimer::timeout, this, look);
    watch->start();
    read->wakeWhenEnded(watch->inbox.poster(look));
}

void DriveChooser::showOnCardLine(const QString& text)
{
    // A card that takes no file says so first.
    const std::optional<MountedVolume> card = chosen();
    cardLine->setLine(card && card->readOnly ? QCoreApplication::translate("Configurator", "Read only: %1").arg(text)
                                             : text);
}
