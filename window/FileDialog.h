#pragma once

#include <QString>

class QWidget;

// Every file dialog the run's window opens goes through here. A test says beforehand which file the next dialog
// chooses: that dialog is then not shown, and what it would have asked is kept for the test to read.
namespace FileDialog {
// The file chosen to save into (suggested first), or an empty name when the user cancelled.
QString saveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter);
// The file chosen to open, or an empty name when the user cancelled.
QString openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

// For tests: the next dialog chooses path (an empty one: it is cancelled), at once. Answers are given in order.
void setNextAnswer(const QString& path);
// For tests: the title of the last dialog answered so.
QString lastTitle();
} // namespace FileDialog
