#pragma once

#include <QString>

// Shows a text file to the user in the desktop's text editor, without waiting for it. Nothing is reported when the
// editor does not start: the user still has the file.
void openInTextEditor(const QString& filePath);
