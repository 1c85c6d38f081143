#include "window/FileDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace {
QStringList& answers()
{
    static QStringList queued;
    return queued;
}
QString& answeredTitle()
{
    static QString title;
    return title;
}
} // namespace

QString FileDialog::saveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter)
{
    if (!answers().isEmpty()) {
        answeredTitle() = title;
        return answers().takeFirst();
    }
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

QString FileDialog::openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (!answers().isEmpty()) {
        answeredTitle() = title;
        return answers().takeFirst();
    }
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

void FileDialog::setNextAnswer(const QString& path)
{
    answers().append(path);
}

QString FileDialog::lastTitle()
{
    return answeredTitle();
}
