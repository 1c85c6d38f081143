#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The window's "save as" dialogs go through here. A test says beforehand what the next dialog answers: that dialog is
// then not shown, and what it would have asked is kept for the test to read.
namespace SaveFileDialog {
struct Chosen
{
    QString path;
    int filter = 0; // the index of the filter chosen among those offered
};

// Asks where to save, offering suggested and the filters; nothing when the user cancelled.
std::optional<Chosen> ask(QWidget* parent, const QString& title, const QString& suggested, const QStringList& filters);

// For tests: the next dialog answers this path and filter (an empty path: cancelled).
void setNextAnswer(const QString& path, int filter = 0);
// For tests: the path the last dialog answered without being shown suggested.
QString lastSuggested();
} // namespace SaveFileDialog
