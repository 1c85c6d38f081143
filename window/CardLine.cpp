// The line under the card list: what the chosen card holds, read off the GUI thread so that a card that stopped
// answering never freezes the window.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "generation/CardContents.h"
#include "generation/CardWriter.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <thread>

void Configurator::placeCardLine()
{
    cardLine = new QLabel(ui->centralWidget);
    cardLine->setObjectName(QStringLiteral("cardContentsLabel"));
    cardLine->setWordWrap(true);
    cardLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Right under the card list, across the form.
    ui->formLayout->insertRow(1, cardLine);
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
