#include "window/LabelExport.h"

#include "generation/RunCard.h"
#include "labels/LabelSheet.h"
#include "window/FileDialog.h"
#include "window/MessageBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

void LabelExport::save(QWidget* parent, const QVector<RunCard>& cards)
{
    const QString title = QCoreApplication::translate("Configurator", "Labels");
    const QVector<Label> labels = labelsOf(cards);
    if (labels.isEmpty()) {
        MessageBox::warning(parent, title,
                            QCoreApplication::translate("Configurator",
                                                        "No GSM or LAN card was prepared in this run: there is no "
                                                        "identifier to put on a label."));
        return;
    }
    // The layouts in the order of LabelLayout.
    const QStringList filters{QCoreApplication::translate("Configurator", "A4 sheet, 3 \u00d7 8 labels (*.pdf)"),
                              QCoreApplication::translate("Configurator", "62 mm label printer (*.pdf)")};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = folder + QStringLiteral("/ORVA labels ") +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) +
                              QStringLiteral(".pdf");
    const std::optional<FileDialog::Chosen> chosen =
        FileDialog::save(parent, QCoreApplication::translate("Configurator", "Save the labels"), suggested, filters);
    if (!chosen)
        return;
    QString path = chosen->path;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    const LabelLayout layout = chosen->filter == 1 ? LabelLayout::Strip : LabelLayout::Sheet;
    if (const std::optional<QString> failure = writeLabels(path, labels, layout)) {
        MessageBox::warning(parent, title,
                            QCoreApplication::translate("Configurator", "The labels could not be saved in %1:\n%2")
                                .arg(QDir::toNativeSeparators(path), *failure));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
