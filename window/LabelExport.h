#pragma once

#include <QVector>

class QWidget;
struct RunCard;

// "Labels...": a label for each GSM or LAN card among cards that the run prepared, saved as a PDF where the user says
// (an A4 sheet of 3 x 8 labels, or a 62 mm label printer's strip, by the file type chosen), then opened in the
// desktop's viewer, from which it is printed.
namespace LabelExport {
void save(QWidget* parent, const QVector<RunCard>& cards);
}
