#pragma once

#include "window/MessageBox.h"

// While it lives, no message box of the window is shown: each is answered at once, with the answer set beforehand
// (answer()), else with its default button, else its first; seen() is what they would have shown, oldest first.
class HeldBoxes
{
public:
    HeldBoxes()
    {
        MessageBox::forgetAnswers();
        MessageBox::holdBoxes(true);
    }
    ~HeldBoxes()
    {
        MessageBox::holdBoxes(false);
        MessageBox::forgetAnswers();
    }
    HeldBoxes(const HeldBoxes&) = delete;
    HeldBoxes& operator=(const HeldBoxes&) = delete;

    // The next box gets the button of that text.
    void answer(const QString& buttonText) const { MessageBox::setNextAnswer(buttonText); }
    const QList<MessageBox::Shown>& seen() const { return MessageBox::answered(); }
    void clear() const { MessageBox::forgetAnswers(); }
};
