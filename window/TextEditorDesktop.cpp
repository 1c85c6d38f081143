#include "window/TextEditor.h"

#include <QDesktopServices>
#include <QUrl>

void openInTextEditor(const QString& filePath)
{
    // The desktop's handler for text files is the user's own choice of editor.
    QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}
