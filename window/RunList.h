#pragma once

#include "generation/RunCard.h"

#include <QSet>
#include <QStringList>
#include <QVector>
#include <QWidget>

struct CardReader;
class QLabel;
class QTableWidget;

// The run's list: one row per card of this run (a series, or cards prepared one after the other): the time, the
// card, the mode, the identifier the run wrote onto it or, apart, the one a card left as it was holds (selectable,
// with a copy action), the row of the values per card it got and the result; the run's new identifiers copied at
// once, and the run saved as CSV for the customer portal; the values per card of the series; above it, where the record
// of prepared cards and the run's identifiers file are, each with a button that opens it, and how many identifiers of
// each kind the list holds. A window of its own, so that the form keeps its size and places.
class RunList : public QWidget
{
    Q_OBJECT

public:
    explicit RunList(QWidget* parent = nullptr);

    void add(const RunCard& card);
    // The run's identifiers file, once there is one.
    void showIdentifiersFile(const QString& path);
    int rows() const;
    // The number of cards after which the series ends (0: no end), and the counters of the series.
    int count() const;
    void showCounters(int prepared, int refused);
    // The readers present as the series starts, each with a check box; those of skipped are unticked: the cards put in
    // them are left alone.
    void showReaders(const QVector<CardReader>& readers, const QSet<QString>& skipped);
    // Copies the identifiers of the selected rows to the clipboard, one a line: the new ones only; a single row's kept
    // identifier when that row alone is selected and holds no new one.
    void copyIdentifier();
    // Copies the run's new identifiers, one a line (those of the selected rows when several are selected).
    void copyNewIdentifiers();
    // Asks where, and writes the run's list there as CSV (CardRun::listCsv); false when it was not written.
    bool saveList();
    // What the series does with values per card: the list in use and the row the next card gets.
    void showValues(const QString& text);
    // The identifier of the current row, grouped and as a QR code under the list.
    void showCode();

signals:
    // The user asked to choose the values per card of the series.
    void valuesRequested();
    void countChanged(int count);
    // The user took the reader out of the series (skipped) or put it back in.
    void readerToggled(const QString& readerId, bool skipped);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Each column as wide as its content, the card's giving way to keep the result in sight.
    void fitColumns();
    // The line of the run's identifiers: how many the list holds, and the run's file once there is one.
    void showIdentifiers();
    // The new identifiers of the rows (all rows when rows is empty), one a line.
    QStringList newIdentifiers(const QList<int>& rows) const;
    QList<int> selectedRows() const;
    // The identifier a row stands for: the run's new one, else the one the card kept (null for neither).
    static QUuid identifierOf(const RunCard& card);

    QTableWidget* table;
    class QSpinBox* countBox;
    QLabel* counters;
    class QVBoxLayout* readerBoxes;
    QLabel* identifiersFile;
    class QPushButton* openIdentifiers;
    QString identifiersPath;
    QVector<RunCard> cards; // by row, for their labels
    QLabel* values;
    QLabel* codePicture;
    QLabel* codeDigits;
    int newCount = 0;
    int keptCount = 0;
};
