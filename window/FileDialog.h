#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// Every file dialog of the window goes through here. A test says beforehand what the next dialog answers: that dialog
// is then not shown, and what it would have asked is kept for the test to read.
namespace FileDialog {
struct Chosen
{
    QString path;
    int filter = 0; // the index of the filter chosen among those offered
};

// Asks where to save, offering suggested and the filters; nothing when the user cancelled.
std::optional<Chosen> save(QWidget* parent, const QString& title, const QString& suggested, const QStringList& filters);
// The file chosen to save into (suggested first), or an empty name when the user cancelled.
QString saveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter);
// The file chosen to open, or an empty name when the user cancelled.
QString openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

// For tests: the next dialog chooses path and the filter of that index (an empty path: it is cancelled), at once.
// Answers are given in order.
void setNextAnswer(const QString& path, int filter = 0);
// For tests: the title of the last dialog answered so.
QString lastTitle();
} // namespace FileDialog
