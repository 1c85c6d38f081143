// The line under the card list: what the chosen card holds, read off the GUI thread so that a card that stopped
// answering never freezes the window.
#include "ui_Configurator.h"
#include "window/Configurator.h"
#include "window/ElidedLabel.h"

#include "base/DetachedTask.h"
#include "base/ThreadInbox.h"
#include "generation/CardContents.h"
#include "generation/CardWriter.h"
#include "generation/GenerateTexts.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileForm.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace {
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
} // namespace

void Configurator::placeCardLine()
{
    // One line, never cut: a long one ends in "…" and its tooltip holds it whole. A card's texts are shown as they
    // are: an APN in angle brackets is no markup.
    cardLine = new ElidedLabel(ui->centralWidget);
    cardLine->setObjectName(QStringLiteral("cardContentsLabel"));
    auto* load = new QPushButton(tr("&Load from card"), ui->centralWidget);
    load->setObjectName(QStringLiteral("loadFromCardButton"));
    load->setAutoDefault(true);
    load->setToolTip(tr("Fill the form from the parameter file on the chosen card"));
    connect(load, &QPushButton::clicked, this, &Configurator::loadFromCard);
    // Right under the card list, across the form.
    auto* row = new QHBoxLayout;
    row->addWidget(cardLine, 1);
    row->addWidget(load);
    ui->formLayout->insertRow(1, row);
    // Queued: the drive list is complete by then when the box is being filled.
    connect(ui->sdCardPath, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Configurator::showWhatTheCardHolds, Qt::QueuedConnection);
}

void Configurator::showWhatTheCardHolds()
{
    const int index = ui->sdCardPath->currentIndex();
    const quint64 reading = ++cardReadings;
    if (index < 0 || index >= driveList.size()) {
        cardLine->setLine(tr("No card chosen: put in an SD card."));
        return;
    }
    showOnCardLine(tr("Reading the card..."));
    // Read on a thread of its own; the reading wakes the window as it ends, and is looked at otherwise only once its
    // silence limit is up. A card silent for the silence limit is given up (and left to end by itself); so is a
    // reading that a newer one replaced.
    auto read = std::make_shared<DetachedTask<QVector<CardContents>>>(
        [root = driveList.at(index)](const DetachedWork::Liveness&) { return readCardFiles(root); });
    auto* watch = new ReadingWatch(this);
    const auto look = [this, watch, read, reading] {
        if (watch->done)
            return;
        std::optional<QVector<CardContents>> files;
        if (cardReadings == reading) {
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

void Configurator::showOnCardLine(const QString& text)
{
    // A card that takes no file says so first.
    const int index = ui->sdCardPath->currentIndex();
    const bool readOnly = index >= 0 && index < listedVolumes.size() && listedVolumes.at(index).readOnly;
    cardLine->setLine(readOnly ? tr("Read only: %1").arg(text) : text);
}

void Configurator::loadFromCard()
{
    const int index = ui->sdCardPath->currentIndex();
    if (index < 0 || index >= driveList.size()) {
        warn(GenerateTexts::noCard());
        return;
    }
    // The file the line under the list describes, read and turned into the form on a thread of its own.
    const QString root = driveList.at(index);
    const FormValues current = formValues();
    struct Read
    {
        CardContents contents;
        ParameterFileForm form;
        QString path;
    };
    const std::optional<Read> read = whileBusy<Read>([root, current] {
        Read done;
        done.contents = readCardContents(root);
        done.path = QDir(root).filePath(parameterFileOnCard(done.contents.fileName));
        if (!done.contents.fileName.isEmpty())
            done.form = formFromParameterFile(done.path, current);
        return done;
    });
    if (!read) {
        warn(GenerateTexts::notResponding());
        return;
    }
    // No file to load: none on the card, or a folder 02 that cannot be read or leads off the card.
    if (read->contents.fileName.isEmpty()) {
        warn(tr("Nothing to load"), GenerateTexts::cardContents(read->contents));
        return;
    }
    showLoadedForm(read->form, read->path, tr("the card %1").arg(ui->sdCardPath->currentText()));
}
