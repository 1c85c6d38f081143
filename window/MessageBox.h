#pragma once

#include <QImage>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

// Every modal message box the window opens goes through here. A test says beforehand which button the next box gets:
// that box is then not shown but answered at once, and what it would have shown is kept for the test to read.
class MessageBox
{
public:
    // What a box shows.
    struct Shown
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons; // the standard ones among them
        QStringList buttonTexts;              // the text of every button, standard or not, as shown (no '&')
        QList<QKeySequence> buttonShortcuts;  // the shortcut of every button, in the same order
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton escapeButton = QMessageBox::NoButton; // set for the box; else Qt picks one
        bool textSelectable = false; // the text may be selected (and copied) with the mouse
        QString informativeText;     // the line under the text
        QImage picture;              // the picture in the icon's place (the identifier's QR code), or a null image
    };

    // Gives every button of the box that has none a shortcut letter of its own: the first letter of its text that no
    // other button of the box takes (Qt's standard buttons carry none in most languages).
    static void giveShortcutLetters(QMessageBox& box);
    // Shows the box modally (every button with its shortcut letter), its text as plain text with control characters
    // escaped (ShownText) but its line breaks, and returns the button chosen (nullptr when the box was closed without
    // one).
    static const QAbstractButton* exec(QMessageBox& box);
    // A warning with a Close button and no default one.
    static void warning(QWidget* parent, const QString& title, const QString& text);

    // For tests: the next box gets this standard button, or the button of this text (an empty text: its default
    // button, else its first), at once. Answers set beforehand are given in order, one to each box.
    static void setNextAnswer(QMessageBox::StandardButton button);
    static void setNextAnswer(const QString& buttonText = QString());
    // For tests: while held, a box without an answer set beforehand is not shown either, and gets its default button,
    // else its first; a test then cannot hang on a box it did not expect.
    static void holdBoxes(bool hold);
    // For tests: what the boxes answered without being shown would have shown, oldest first.
    static const QList<Shown>& answered();
    // For tests: forgets what was answered, and drops the answers that no box took.
    static void forgetAnswers();
};
