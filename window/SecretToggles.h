#pragma once

#include <QtGlobal>

class QLineEdit;
class QToolButton;

// The PIN and the password are shown only on request: an eye beside each, in the colour of the button's text, named
// for tooltips and screen readers. The store keeps them as before.
class SecretToggles
{
public:
    SecretToggles(QLineEdit* password, QToolButton* showPassword, QLineEdit* pin, QToolButton* showPin);

    // Each toggle is there when its field is, in the mode shown.
    void showFor(quint8 modeCode);
    // The reset option greys the PIN out, and its toggle with it.
    void setPinEditable(bool editable);

private:
    QToolButton* showPassword;
    QToolButton* showPin;
};
