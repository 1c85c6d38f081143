#include "window/TextEditor.h"

#include <QProcess>

void openInTextEditor(const QString& filePath)
{
    QProcess::startDetached(QStringLiteral("notepad.exe"), {filePath});
}
