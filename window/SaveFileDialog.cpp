#include "window/SaveFileDialog.h"

#include <QFileDialog>

namespace {
// Set and read on the GUI thread only, as the dialogs are.
struct Answers
{
    std::optional<SaveFileDialog::Chosen> next;
    QString suggested;
};

Answers& answers()
{
    static Answers instance;
    return instance;
}
} // namespace

std::optional<SaveFileDialog::Chosen> SaveFileDialog::ask(QWidget* parent, const QString& title,
                                                          const QString& suggested, const QStringList& filters)
{
    Answers& all = answers();
    if (all.next) {
        const Chosen chosen = *all.next;
        all.next.reset();
        all.suggested = suggested;
        if (chosen.path.isEmpty())
            return std::nullopt;
        return chosen;
    }
    QString filter = filters.value(0);
    const QString path =
        QFileDialog::getSaveFileName(parent, title, suggested, filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return std::nullopt;
    return Chosen{path, std::max(0, int(filters.indexOf(filter)))};
}

void SaveFileDialog::setNextAnswer(const QString& path, int filter)
{
    answers().next = Chosen{path, filter};
}

QString SaveFileDialog::lastSuggested()
{
    return answers().suggested;
}
