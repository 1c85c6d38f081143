#include "window/MessageBox.h"

#include "base/ShownText.h"

#include <QPushButton>

#include <variant>

namespace {
using Answer = std::variant<QMessageBox::StandardButton, QString>;

// Set and read on the GUI thread only, as the boxes are.
struct Answers
{
    QList<Answer> next;
    bool held = false;
    QList<MessageBox::Shown> given;
};

Answers& answers()
{
    static Answers instance;
    return instance;
}

// A button's text as shown: its '&' marks gone ("&&" shows one '&').
QString withoutMarks(const QString& text)
{
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    return shown;
}

MessageBox::Shown shownBy(const QMessageBox& box)
{
    MessageBox::Shown shown;
    shown.icon = box.icon();
    shown.title = box.windowTitle();
    shown.text = box.text();
    shown.buttons = box.standardButtons();
    const QList<QAbstractButton*> buttons = box.buttons();
    for (const QAbstractButton* button : buttons) {
        shown.buttonTexts << withoutMarks(button->text());
        shown.buttonShortcuts << button->shortcut();
    }
    shown.defaultButton = box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton;
    shown.escapeButton = box.escapeButton() ? box.standardButton(box.escapeButton()) : QMessageBox::NoButton;
    shown.textSelectable = box.textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
    shown.informativeText = box.informativeText();
    if (box.icon() == QMessageBox::NoIcon && !box.iconPixmap().isNull())
        shown.picture = box.iconPixmap().toImage();
    return shown;
}

QAbstractButton* buttonFor(const QMessageBox& box, const Answer& answer)
{
    if (const auto* standard = std::get_if<QMessageBox::StandardButton>(&answer))
        return box.button(*standard);
    const QString& text = std::get<QString>(answer);
    const QList<QAbstractButton*> buttons = box.buttons();
    if (text.isEmpty()) {
        if (QPushButton* button = box.defaultButton())
            return button;
        return buttons.value(0);
    }
    for (QAbstractButton* button : buttons) {
        if (withoutMarks(button->text()) == withoutMarks(text))
            return button;
    }
    return nullptr;
}
} // namespace

void MessageBox::giveShortcutLetters(QMessageBox& box)
{
    const QList<QAbstractButton*> buttons = box.buttons();
    QString taken;
    for (const QAbstractButton* button : buttons) {
        const QKeySequence letter = QKeySequence::mnemonic(button->text());
        if (!letter.isEmpty())
            taken += letter.toString().right(1).toUpper();
    }
    for (QAbstractButton* button : buttons) {
        QString text = button->text();
        if (!QKeySequence::mnemonic(text).isEmpty())
            continue;
        for (int i = 0; i < text.size(); ++i) {
            const QChar letter = text.at(i).toUpper();
            if (text.at(i).isLetterOrNumber() && !taken.contains(letter)) {
                taken += letter;
                button->setText(text.insert(i, QLatin1Char('&')));
                break;
            }
        }
    }
}

const QAbstractButton* MessageBox::exec(QMessageBox& box)
{
    giveShortcutLetters(box);
    // A card's or the system's text in a message is no markup, and no control character in it reaches the screen
    // raw; the message's own line breaks stay.
    box.setTextFormat(Qt::PlainText);
    QStringList lines = box.text().split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = ShownText::escaped(line);
    box.setText(lines.join(QLatin1Char('\n')));
    Answers& all = answers();
    if (all.next.isEmpty() && !all.held) {
        box.exec();
        return box.clickedButton();
    }
    const Answer answer = all.next.isEmpty() ? Answer(QString()) : all.next.takeFirst();
    all.given.append(shownBy(box));
    // Clicked as the user would: the box records the button and ends as after exec().
    if (QAbstractButton* button = buttonFor(box, answer))
        button->click();
    return box.clickedButton();
}

void MessageBox::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Close, parent);
    exec(box);
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton button)
{
    answers().next.append(button);
}

void MessageBox::setNextAnswer(const QString& buttonText)
{
    answers().next.append(buttonText);
}

void MessageBox::holdBoxes(bool hold)
{
    answers().held = hold;
}

const QList<MessageBox::Shown>& MessageBox::answered()
{
    return answers().given;
}

void MessageBox::forgetAnswers()
{
    answers().next.clear();
    answers().given.clear();
}
