// The line under the card list: what the chosen card holds, read off the GUI thread so that a card that stopped
// answering never freezes the window.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "generation/CardContents.h"
#include "generation/CardWriter.h"
#include "generation/GenerateTexts.h"
#include "generation/ParameterFile.h"
#include "generation/ParameterFileForm.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <thread>

void Configurator::placeCardLine()
{
    cardLine = new QLabel(ui->centralWidget);
    cardLine->setObjectName(QStringLiteral("cardContentsLabel"));
    cardLine->setWordWrap(true);
    cardLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
        cardLine->clear();
        return;
    }
    cardLine->setText(tr("Reading the card..."));
    // The thread owns what it reads; its answer reaches the window only if the window still waits for it.
    QPointer<Configurator> window(this);
    std::thread([window, reading, root = driveList.at(index)] {
        const CardContents contents = readCardContents(root);
        QMetaObject::invokeMethod(
            qApp,
            [window, reading, contents] {
                if (!window || window->cardReadings != reading)
                    return;
                window->cardLine->setText(GenerateTexts::cardContents(contents));
                ++window->cardReadings; // answered: the silence below no longer applies
            },
            Qt::QueuedConnection);
    }).detach();
    QTimer::singleShot(TimeLimits::cardSilence, this, [this, reading] {
        if (cardReadings == reading)
            cardLine->setText(GenerateTexts::cardSilent());
    });
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
        done.path = QDir(root).filePath(QLatin1String(ParameterFile::cardFolderName)) + QLatin1Char('/') +
                    done.contents.fileName;
        if (done.contents.state != CardContents::State::Nothing)
            done.form = formFromParameterFile(done.path, current);
        return done;
    });
    if (!read) {
        warn(GenerateTexts::notResponding());
        return;
    }
    if (read->contents.state == CardContents::State::Nothing) {
        warn(tr("Nothing to load"), GenerateTexts::cardContents(read->contents));
        return;
    }
    showLoadedForm(read->form, read->path);
}
