#include "window/SecretToggles.h"

#include "form/ModeCodes.h"

#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

#include <utility>

namespace {
// An eye, in the colour of the button's text.
QIcon eyeIcon(const QWidget& button)
{
    QPixmap eye(16, 16);
    eye.fill(Qt::transparent);
    QPainter painter(&eye);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = button.palette().color(QPalette::ButtonText);
    painter.setPen(QPen(ink, 1.5));
    painter.drawEllipse(QRectF(1.5, 4.5, 13, 7));
    painter.setBrush(ink);
    painter.drawEllipse(QRectF(6, 6, 4, 4));
    return QIcon(eye);
}
} // namespace

SecretToggles::SecretToggles(QLineEdit* password, QToolButton* showPassword, QLineEdit* pin, QToolButton* showPin)
    : showPassword(showPassword), showPin(showPin)
{
    const std::pair<QLineEdit*, QToolButton*> secrets[] = {{password, showPassword}, {pin, showPin}};
    for (const auto& [edit, button] : secrets) {
        button->setIcon(eyeIcon(*button));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(button->text().remove(QLatin1Char('&')));
        button->setAccessibleName(button->toolTip());
        QObject::connect(button, &QToolButton::toggled, edit, [edit = edit](bool shown) {
            edit->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        });
    }
}

void SecretToggles::showFor(quint8 modeCode)
{
    showPassword->setVisible(ModeCode::showsField(modeCode, FormField::Password));
    showPin->setVisible(ModeCode::showsField(modeCode, FormField::PinCode));
}

void SecretToggles::setPinEditable(bool editable)
{
    showPin->setEnabled(editable);
}
