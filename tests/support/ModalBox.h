#pragma once

#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <functional>

// What a test saw of a message box that the code under test opened.
struct SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Watches for modal message boxes while it lives; records each one and presses its first button, so that a test can
// drive code that waits in QMessageBox::exec(). A box that is not a QMessageBox is closed and recorded untitled.
class ModalBoxCloser : public QObject
{
    Q_OBJECT

public:
    explicit ModalBoxCloser(QObject* parent = nullptr);

    QList<SeenBox> seen;
    // Called with each box before it is answered; a box it answered itself is left so.
    std::function<void(QMessageBox*)> onBox;

private:
    void poll();
    QTimer timer;
};
