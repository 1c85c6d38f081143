#pragma once

#include <QDate>
#include <QString>
#include <QUuid>
#include <QVector>

#include <optional>

struct RunCard;

// A label for a module: what the installer sticks on it, so that its identifier can be registered on the portal
// later, from a phone, and the module told from the others of a box.
struct Label
{
    QUuid identifier;
    quint8 modeCode = 0;
    QString name; // the site's or the preset's, when the card was written with one; else empty
    QDate date;   // the day the card was prepared
};

// The label of a card. This is where a label takes its name.
Label labelOf(const RunCard& card);
// The labels of a run: one for each card it prepared in a mode that hands its identifier off (GSM, LAN), in the
// run's order. Kept and refused cards get none: their identifier is not the run's.
QVector<Label> labelsOf(const QVector<RunCard>& cards);

enum class LabelLayout
{
    Sheet, // A4 sheets of self-adhesive labels, 3 across and 8 down, each 70 x 37 mm
    Strip, // a label printer's 62 mm roll: one label a page
};

// Writes the labels into a PDF at path, replacing the file only once it is complete. Needs a QGuiApplication (any
// platform: offscreen and minimal do). Returns why it failed, or nothing.
std::optional<QString> writeLabels(const QString& path, const QVector<Label>& labels, LabelLayout layout);
