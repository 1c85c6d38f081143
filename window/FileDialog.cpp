#include "window/FileDialog.h"

#include <QFileDialog>
#include <QVector>

#include <algorithm>

namespace {
// Set and read on the GUI thread only, as the dialogs are.
struct Answers
{
    QVector<FileDialog::Chosen> queued;
    QString title;
};

Answers& answers()
{
    static Answers instance;
    return instance;
}

// The answer a test gave for this dialog, if it gave one.
std::optional<FileDialog::Chosen> answered(const QString& title)
{
    Answers& all = answers();
    if (all.queued.isEmpty())
        return std::nullopt;
    all.title = title;
    return all.queued.takeFirst();
}
} // namespace

std::optional<FileDialog::Chosen> FileDialog::save(QWidget* parent, const QString& title, const QString& suggested,
                                                   const QStringList& filters)
{
    std::optional<Chosen> chosen = answered(title);
    if (!chosen) {
        QString filter = filters.value(0);
        const QString path =
            QFileDialog::getSaveFileName(parent, title, suggested, filters.join(QStringLiteral(";;")), &filter);
        chosen = Chosen{path, std::max(0, int(filters.indexOf(filter)))};
    }
    if (chosen->path.isEmpty())
        return std::nullopt;
    return chosen;
}

QString FileDialog::saveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter)
{
    const std::optional<Chosen> chosen = save(parent, title, suggested, QStringList{filter});
    return chosen ? chosen->path : QString();
}

QString FileDialog::openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (const std::optional<Chosen> chosen = answered(title))
        return chosen->path;
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

void FileDialog::setNextAnswer(const QString& path, int filter)
{
    answers().queued.append(Chosen{path, filter});
}

QString FileDialog::lastTitle()
{
    return answers().title;
}
