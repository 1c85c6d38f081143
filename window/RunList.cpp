#include "window/RunList.h"

#include "base/ShownText.h"
#include "desktop/DesktopOpen.h"
#include "drives/DrivePlatform.h"
#include "generation/CardRecord.h"
#include "generation/CardRun.h"
#include "generation/GenerateTexts.h"
#include "generation/IdentifierCode.h"
#include "generation/RunTexts.h"
#include "labels/IdentifierImage.h"
#include "parameterfile/Identifier.h"
#include "window/FileDialog.h"
#include "window/LabelExport.h"
#include "window/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
enum Column
{
    Time,
    Card,
    Mode,
    Identifier, // written by this run
    Kept,       // held by a card left as it was
    ValuesRow,  // the row of the values per card it got
    Result,
    Columns
};
} // namespace

RunList::RunList(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("runList"));
    setWindowTitle(QCoreApplication::translate("Configurator", "Cards of this run"));
    auto* places = new QGridLayout;
    const QString record = QDir::toNativeSeparators(CardRecord::filePath());
    auto* recordLabel =
        new QLabel(QCoreApplication::translate("Configurator", "Record of prepared cards: %1").arg(record), this);
    recordLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* openRecord = new QPushButton(QCoreApplication::translate("Configurator", "Open the &record"), this);
    openRecord->setObjectName(QStringLiteral("openRecordButton"));
    connect(openRecord, &QPushButton::clicked, this, [] { DesktopOpen::textFile(CardRecord::filePath()); });
    identifiersFile =
        new QLabel(QCoreApplication::translate("Configurator", "Identifiers of this run: none yet"), this);
    identifiersFile->setObjectName(QStringLiteral("runIdentifiersLabel"));
    identifiersFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    openIdentifiers = new QPushButton(QCoreApplication::translate("Configurator", "Open the &identifiers"), this);
    openIdentifiers->setEnabled(false);
    connect(openIdentifiers, &QPushButton::clicked, this, [this] { DesktopOpen::textFile(identifiersPath); });
    places->addWidget(recordLabel, 0, 0);
    places->addWidget(openRecord, 0, 1);
    places->addWidget(identifiersFile, 1, 0);
    places->addWidget(openIdentifiers, 1, 1);
    places->setColumnStretch(0, 1);

    countBox = new QSpinBox(this);
    countBox->setObjectName(QStringLiteral("seriesCountBox"));
    countBox->setRange(0, 9999);
    countBox->setSpecialValueText(QCoreApplication::translate("Configurator", "no limit"));
    countBox->setToolTip(QCoreApplication::translate("Configurator", "Stop after this many cards were prepared"));
    countBox->setAccessibleName(countBox->toolTip());
    connect(countBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &RunList::countChanged);
    auto* countLabel =
        new QLabel(QCoreApplication::translate("Configurator", "Stop after this many cards were prepared"), this);
    countLabel->setBuddy(countBox);
    counters = new QLabel(this);
    counters->setObjectName(QStringLiteral("seriesCountersLabel"));
    places->addWidget(countLabel, 2, 0);
    places->addWidget(countBox, 2, 1);
    places->addWidget(counters, 3, 0, 1, 2);
    auto* readersLabel = new QLabel(QCoreApplication::translate("Configurator", "Card readers of the series:"), this);
    readerBoxes = new QVBoxLayout;
    places->addWidget(readersLabel, 4, 0, 1, 2);
    places->addLayout(readerBoxes, 5, 0, 1, 2);
    values = new QLabel(QCoreApplication::translate("Configurator", "Values per card: none"), this);
    values->setObjectName(QStringLiteral("valuesPerCardLabel"));
    values->setWordWrap(true);
    auto* chooseValues = new QPushButton(QCoreApplication::translate("Configurator", "&Values per card\u2026"), this);
    chooseValues->setObjectName(QStringLiteral("valuesPerCardButton"));
    chooseValues->setToolTip(QCoreApplication::translate(
        "Configurator", "A CSV list: each card prepared gets the next row's values, the form gives the rest"));
    connect(chooseValues, &QPushButton::clicked, this, &RunList::valuesRequested);
    places->addWidget(values, 6, 0);
    places->addWidget(chooseValues, 6, 1);

    table = new QTableWidget(0, Columns, this);
    table->setObjectName(QStringLiteral("runTable"));
    table->setHorizontalHeaderLabels(
        {QCoreApplication::translate("Configurator", "Time"), QCoreApplication::translate("Configurator", "Card"),
         QCoreApplication::translate("Configurator", "Mode"),
         QCoreApplication::translate("Configurator", "New identifier"),
         QCoreApplication::translate("Configurator", "Identifier kept"),
         QCoreApplication::translate("Configurator", "Row"), QCoreApplication::translate("Configurator", "Result")});
    table->horizontalHeader()->setStretchLastSection(true);
    table->setTextElideMode(Qt::ElideMiddle);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QCoreApplication::translate("Configurator", "&Copy the identifier"), table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &RunList::copyIdentifier);
    table->addAction(copy);
    auto* copyButton = new QPushButton(QCoreApplication::translate("Configurator", "&Copy the identifier"), this);
    connect(copyButton, &QPushButton::clicked, this, &RunList::copyIdentifier);
    auto* copyNew = new QPushButton(QCoreApplication::translate("Configurator", "Copy the &new identifiers"), this);
    copyNew->setObjectName(QStringLiteral("copyNewIdentifiersButton"));
    connect(copyNew, &QPushButton::clicked, this, &RunList::copyNewIdentifiers);
    auto* save = new QPushButton(QCoreApplication::translate("Configurator", "&Save the list\u2026"), this);
    save->setObjectName(QStringLiteral("saveRunListButton"));
    connect(save, &QPushButton::clicked, this, &RunList::saveList);
    // The selected row's identifier for the eye and for a phone's camera, and the run's labels.
    codePicture = new QLabel(this);
    codePicture->setObjectName(QStringLiteral("runCodePicture"));
    codeDigits = new QLabel(this);
    codeDigits->setObjectName(QStringLiteral("runGroupedIdentifier"));
    codeDigits->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(table, &QTableWidget::currentCellChanged, this, &RunList::showCode);
    auto* labelsButton = new QPushButton(QCoreApplication::translate("Configurator", "&Labels…"), this);
    labelsButton->setObjectName(QStringLiteral("runLabelsButton"));
    connect(labelsButton, &QPushButton::clicked, this, [this] { LabelExport::save(this, cards); });
    auto* code = new QHBoxLayout;
    code->addWidget(codePicture);
    code->addWidget(codeDigits, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(labelsButton);
    buttons->addWidget(save);
    buttons->addWidget(copyNew);
    buttons->addWidget(copyButton);
    code->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(places);
    layout->addWidget(table, 1);
    layout->addLayout(code);
    resize(760, 480);
}

void RunList::add(const RunCard& card)
{
    const int row = table->rowCount();
    table->insertRow(row);
    cards.append(card);
    // Only an identifier the card may carry now is the run's; a card left as it was keeps its own.
    const QString identifier = card.carriesNew ? identifierText(card.identifier) : QString();
    const QString kept = card.keptIdentifier().isNull() ? QString() : identifierText(card.keptIdentifier());
    newCount += identifier.isEmpty() ? 0 : 1;
    keptCount += kept.isEmpty() ? 0 : 1;
    QString valuesRow;
    if (card.valuesRow > 0)
        valuesRow = card.site.isEmpty()
                        ? QString::number(card.valuesRow)
                        : QStringLiteral("%1 (%2)").arg(card.valuesRow).arg(ShownText::escaped(card.site));
    const QString texts[Columns] = {card.time.toString(QStringLiteral("HH:mm:ss")),
                                    card.card,
                                    GenerateTexts::modeText(card.modeCode),
                                    identifier,
                                    kept,
                                    valuesRow,
                                    RunTexts::result(card)};
    for (int column = 0; column < Columns; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setToolTip(texts[column]);
        table->setItem(row, column, item);
    }
    fitColumns();
    table->scrollToBottom();
    showIdentifiers();
}

void RunList::fitColumns()
{
    table->resizeColumnsToContents();
    // The result says whether the card may be taken out: it stays in sight, and a long card name gives way, shortened
    // in its middle (its tooltip has it whole).
    const int over = table->horizontalHeader()->length() - table->viewport()->width();
    if (over > 0) {
        const int card = table->columnWidth(Card);
        const int fewLetters = table->fontMetrics().horizontalAdvance(QStringLiteral("/media/x\u2026x"));
        table->setColumnWidth(Card, std::max(card - over, std::min(card, fewLetters)));
    }
}

void RunList::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitColumns();
}

void RunList::showIdentifiersFile(const QString& path)
{
    identifiersPath = path;
    openIdentifiers->setEnabled(!path.isEmpty());
    showIdentifiers();
}

void RunList::showIdentifiers()
{
    if (newCount == 0 && keptCount == 0) {
        identifiersFile->setText(QCoreApplication::translate("Configurator", "Identifiers of this run: none yet"));
        return;
    }
    const QString counted = QCoreApplication::translate("Configurator", "Identifiers of this run: %1 new, %2 kept")
                                .arg(newCount)
                                .arg(keptCount);
    // The file holds the GSM and LAN ones, the identifiers handed to the user.
    identifiersFile->setText(identifiersPath.isEmpty()
                                 ? counted
                                 : QCoreApplication::translate("Configurator", "%1; the GSM and LAN ones are in %2")
                                       .arg(counted, QDir::toNativeSeparators(identifiersPath)));
}

int RunList::count() const
{
    return countBox->value();
}

void RunList::showCounters(int prepared, int refused)
{
    counters->setText(
        QCoreApplication::translate("Configurator", "Prepared: %1, refused: %2").arg(prepared).arg(refused));
}

void RunList::showReaders(const QVector<CardReader>& readers, const QSet<QString>& skipped)
{
    while (QLayoutItem* item = readerBoxes->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const CardReader& reader : readers) {
        // A model and an identity are anybody's text: shown safely, an "&" no shortcut.
        QString text = ShownText::escaped(reader.id);
        if (!reader.model.isEmpty())
            text = ShownText::escaped(reader.model) + QStringLiteral(" \u2014 ") + text;
        auto* box = new QCheckBox(text.replace(QLatin1Char('&'), QStringLiteral("&&")), this);
        box->setObjectName(QStringLiteral("readerCheckBox"));
        box->setToolTip(QCoreApplication::translate("Configurator", "Untick to leave the cards put in it alone"));
        box->setChecked(!skipped.contains(reader.id));
        connect(box, &QCheckBox::toggled, this, [this, id = reader.id](bool on) { emit readerToggled(id, !on); });
        readerBoxes->addWidget(box);
    }
}

int RunList::rows() const
{
    return table->rowCount();
}

QList<int> RunList::selectedRows() const
{
    QList<int> rows;
    const QModelIndexList selected = table->selectionModel()->selectedRows();
    for (const QModelIndex& index : selected)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList RunList::newIdentifiers(const QList<int>& rows) const
{
    QStringList identifiers;
    for (int row = 0; row < cards.size(); ++row) {
        if ((rows.isEmpty() || rows.contains(row)) && cards.at(row).carriesNew)
            identifiers << identifierText(cards.at(row).identifier);
    }
    return identifiers;
}

QUuid RunList::identifierOf(const RunCard& card)
{
    return card.carriesNew ? card.identifier : card.keptIdentifier();
}

void RunList::showCode()
{
    const QUuid identifier = table->currentRow() >= 0 ? identifierOf(cards.at(table->currentRow())) : QUuid();
    if (identifier.isNull()) {
        codePicture->clear();
        codeDigits->clear();
        return;
    }
    codePicture->setPixmap(QPixmap::fromImage(identifierImage(IdentifierCode(identifier))));
    codeDigits->setText(groupedIdentifier(identifier));
}

void RunList::copyIdentifier()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    // The one row chosen: the identifier it stands for. Several: their new identifiers only.
    QString copied;
    if (rows.size() > 1)
        copied = newIdentifiers(rows).join(QLatin1Char('\n'));
    else if (const QUuid identifier = identifierOf(cards.at(rows.first())); !identifier.isNull())
        copied = identifierText(identifier);
    if (!copied.isEmpty())
        QApplication::clipboard()->setText(copied);
}

void RunList::copyNewIdentifiers()
{
    const QList<int> rows = selectedRows();
    const QStringList identifiers = newIdentifiers(rows.size() > 1 ? rows : QList<int>());
    if (!identifiers.isEmpty())
        QApplication::clipboard()->setText(identifiers.join(QLatin1Char('\n')));
}

bool RunList::saveList()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QDateTime started = cards.isEmpty() ? QDateTime::currentDateTime() : cards.first().time;
    const QString suggested = QDir(folder).filePath(
        QStringLiteral("ORVA Cards %1.csv").arg(started.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"))));
    const QString title = QCoreApplication::translate("Configurator", "Save the list of this run");
    const QString path = FileDialog::saveFileName(this, title, suggested,
                                                  QCoreApplication::translate("Configurator", "CSV files (*.csv)"));
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(CardRun::listCsv(cards)) < 0 || !file.commit()) {
        MessageBox::warning(this, title,
                            QCoreApplication::translate("Configurator", "The list could not be saved in %1: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

void RunList::showValues(const QString& text)
{
    values->setText(text);
}
