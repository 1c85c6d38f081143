#include "support/ModalBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

ModalBoxCloser::ModalBoxCloser(QObject* parent) : QObject(parent)
{
    timer.setInterval(5);
    connect(&timer, &QTimer::timeout, this, &ModalBoxCloser::poll);
    timer.start();
}

void ModalBoxCloser::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
        seen.append(SeenBox());
        modal->close();
        return;
    }
    SeenBox record;
    record.icon = box->icon();
    record.title = box->windowTitle();
    record.text = box->text();
    record.buttons = box->standardButtons();
    record.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
    seen.append(record);
    if (onBox)
        onBox(box);
    // The test may have answered the box itself.
    if (!box->isVisible())
        return;
    const QList<QAbstractButton*> buttons = box->buttons();
    if (buttons.isEmpty())
        box->close();
    else
        buttons.first()->click();
}
