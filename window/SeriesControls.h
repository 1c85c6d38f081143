#pragma once

#include "form/FormValues.h"
#include "generation/CardSeries.h"

#include <QList>
#include <QObject>
#include <QSet>

#include <functional>
#include <memory>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QMargins;
class QWidget;
class RunList;
struct FormProblem;

// "Prepare each card put in" and the run: the option (off at every start), the note that holds the form while a series
// runs, the run's list in a window of its own with the number of cards, the counters and the card readers (those taken
// out of a series remembered in the settings store), a notification per card, and the run's identifiers handed off
// once at its end. The series itself is the core's (generation/CardSeries.h).
class SeriesControls : public QObject
{
    Q_OBJECT

public:
    struct Form
    {
        // What the form holds now, its phone numbers put in their accepted form first.
        std::function<FormValues()> values;
        // What a series holds still: the fields, and the controls named here (looked for on the window as it starts).
        QList<QLineEdit*> fields; // in the form's order (FormField::Id)
        QList<const char*> controls;
        // The preset the form was filled from, or an empty name.
        std::function<QString()> preset;
    };

    // Places the option on area, under options in column, at the form's margins.
    SeriesControls(QWidget* window, QWidget* area, QBoxLayout* column, QLayout* options, const QMargins& margins,
                   std::shared_ptr<DrivePlatform> drives, Form form);
    ~SeriesControls() override;

    bool isRunning() const;
    // The window is closed: false while the series still has cards in hand (it stops, and closeAgain follows once they
    // ended); true once the run ended, its identifiers handed off.
    bool windowMayClose();

    // A card prepared with "Generate" joins the run, and its list; a card of the series is in the run already.
    void addToRun(const RunCard& card);
    // How many of the run's cards handed their identifier off.
    // Where the card's identifier is handed off, were it added to the run now.
    CardRun::HandOff handOffOf(const RunCard& card) const { return run.handOffOf(card); }
    // The run's identifiers are shown once, and the portal opened once, for all of them.
    void endRun();

signals:
    // A series did not start: the form would be refused so.
    void formRefused(const FormProblem& problem);
    // The series let the form go; the window is to check what the reset option greys out.
    void formReleased();
    // The window was closed while cards were in hand: they ended now.
    void closeAgain();

private:
    RunList& list();
    void toggled(bool on);
    void holdForm(bool held);
    QSet<QString> rememberedSkippedReaders() const;
    void readerToggled(const QString& readerId, bool skipped);
    void showInRunList(const RunCard& card);
    // "Values per card…": a list read and checked against the form, for the series running or the next one.
    void chooseValues();
    // The list in use and the row the next card gets, in the run's window, the note and the fields.
    void showNextRow();

    QWidget* window;
    std::shared_ptr<DrivePlatform> drives;
    Form form;
    CardRun run; // the cards of this run, prepared by a series or one by one
    CardSeries* series = nullptr;
    std::unique_ptr<RunList> runList; // a window of its own, without a parent, made as it is first needed
    QCheckBox* box = nullptr;
    QLabel* note = nullptr;
    bool closeAfterSeries = false; // closed while cards were being prepared: closes once they ended
    // The values per card chosen for one series; dropped as it ends, so that no row is given twice.
    std::shared_ptr<const ValuesPerCard::List> valuesList;
    FormValues heldValues; // what the form held as the series started: its fields show it again when it ends
};
