#include "form/FormTexts.h"

#include "base/ShownText.h"

#include <QCoreApplication>

#include <array>
#include <initializer_list>

namespace {
// What a text puts in its place holders %1, %2, ..., in this order.
enum class Arg
{
    Label,         // the field's label
    AcceptedForms, // the accepted forms of a phone number
    Length,        // the text's length
    MaxLength,     // what the field takes
    Character,     // the refused character, escaped as the window or the command line shows it
    Option,        // the command-line option that gives the field
    Key,           // the key the remembered value is kept under
};

struct Text
{
    const char* source = nullptr; // none: the row has no such text
    std::array<Arg, 4> args{};
    int count = 0;
};

constexpr Text text(const char* source, std::initializer_list<Arg> args = {})
{
    Text made;
    made.source = source;
    for (const Arg arg : args)
        made.args[made.count++] = arg;
    return made;
}

// One row for each kind of problem, in the order of the kinds.
struct Row
{
    FormProblem::Kind kind;
    const char* title;
    Text text;              // the window's box
    Text mark;              // beside the field
    Text localMark;         // beside a phone number in a country's local form, without the country code
    Text option;            // the command line's box for a value given with an option; none: the window's text
    Text remembered;        // the command line's box for a remembered value that the option replaces
    bool rememberedFollows; // remembered follows the window's text instead of taking its place
};

using Kind = FormProblem::Kind;
constexpr Row rows[] = {
    {Kind::PinCode, QT_TRANSLATE_NOOP("Configurator", "PIN Code error"),
     text(QT_TRANSLATE_NOOP("Configurator",
                            "The PIN code seems to be erroneous.\nPlease enter a code with 4-6 digits!")),
     text(QT_TRANSLATE_NOOP("Configurator", "Not accepted: the PIN code has 4 to 6 digits.")), Text(), Text(),
     text(QT_TRANSLATE_NOOP("Configurator", "\nThe value is the one remembered as %1; %2 replaces it."),
          {Arg::Key, Arg::Option}),
     true},
    {Kind::UserKey, QT_TRANSLATE_NOOP("Configurator", "User key error"),
     text(QT_TRANSLATE_NOOP("Configurator", "The user key seems to be erroneous.\nPlease enter a code with 6 "
                                            "characters or generate it with the button at the right of field!")),
     text(QT_TRANSLATE_NOOP("Configurator", "Not accepted: the user key has 6 letters (A-Z, a-z) or digits.")), Text(),
     text(QT_TRANSLATE_NOOP("Configurator",
                            "The user key seems to be erroneous.\nPlease give --key 6 letters or digits, or --reset.")),
     text(QT_TRANSLATE_NOOP("Configurator", "\nThe value is the one remembered as %1; %2 replaces it."),
          {Arg::Key, Arg::Option}),
     true},
    {Kind::PhoneNumber, QT_TRANSLATE_NOOP("Configurator", "Phone number error"),
     text(QT_TRANSLATE_NOOP("Configurator", "The phone number in the field \"%1\" is not in a form that the module "
                                            "reads.\nPlease enter it as %2, or leave the field empty."),
          {Arg::Label, Arg::AcceptedForms}),
     text(QT_TRANSLATE_NOOP("Configurator", "Not accepted: not a form the module reads.\nAccepted: %1"),
          {Arg::AcceptedForms}),
     text(QT_TRANSLATE_NOOP("Configurator", "Not accepted: the number needs the country code.\nAccepted: %1"),
          {Arg::AcceptedForms}),
     text(QT_TRANSLATE_NOOP("Configurator", "The phone number given with %1 is not in a form that the module "
                                            "reads.\nPlease give it as %2, or leave %1 out."),
          {Arg::Option, Arg::AcceptedForms}),
     text(QT_TRANSLATE_NOOP("Configurator", "The phone number remembered as %1 is not in a form that the module "
                                            "reads.\nPlease give it with %2 as %3."),
          {Arg::Key, Arg::Option, Arg::AcceptedForms}),
     false},
    {Kind::UnreadableCharacter, QT_TRANSLATE_NOOP("Configurator", "Unsupported character"),
     text(QT_TRANSLATE_NOOP("Configurator", "The field \"%1\" contains the character \"%2\", which the Orva module "
                                            "cannot read.\nPlease remove it."),
          {Arg::Label, Arg::Character}),
     text(QT_TRANSLATE_NOOP("Configurator", "Not accepted: the module cannot read the character \"%1\"."),
          {Arg::Character}),
     Text(),
     text(QT_TRANSLATE_NOOP("Configurator", "The value of %1 contains the character \"%2\", which the Orva module "
                                            "cannot read.\nPlease remove it."),
          {Arg::Option, Arg::Character}),
     text(QT_TRANSLATE_NOOP("Configurator", "The value remembered as %1 contains the character \"%2\", which the "
                                            "Orva module cannot read.\nPlease give %3 without it."),
          {Arg::Key, Arg::Character, Arg::Option}),
     false},
    {Kind::TooLong, QT_TRANSLATE_NOOP("Configurator", "Text too long"),
     text(QT_TRANSLATE_NOOP("Configurator",
                            "The field \"%1\" holds %2 characters, more than the %3 it takes.\nPlease shorten it."),
          {Arg::Label, Arg::Length, Arg::MaxLength}),
     text(QT_TRANSLATE_NOOP("Configurator", "Not accepted: longer than the %1 characters it takes."), {Arg::MaxLength}),
     Text(),
     // Refused with the command line already, as longer than the field takes: only a remembered value comes here.
     Text(),
     text(QT_TRANSLATE_NOOP("Configurator", "The value remembered as %1 has %2 characters, more than the %3 that the "
                                            "field takes.\nPlease give a shorter one with %4."),
          {Arg::Key, Arg::Length, Arg::MaxLength, Arg::Option}),
     false},
};

constexpr bool inKindOrder()
{
    int index = 0;
    for (const Row& row : rows) {
        if (int(row.kind) != index++ || !row.title || !row.text.source || !row.mark.source || !row.remembered.source)
            return false;
    }
    return index == int(Kind::TooLong) + 1;
}
static_assert(inKindOrder(), "one row for each kind of problem, in the order of the kinds, with every text it needs");

const Row& rowOf(Kind kind)
{
    return rows[int(kind)];
}

QString translated(const char* source)
{
    return QCoreApplication::translate("Configurator", source);
}

// A character as a C string would write it, so that a control character shows as what it is.
QString cEscaped(const QString& character)
{
    QString shown;
    for (const QChar c : character) {
        const ushort code = c.unicode();
        if (c == QLatin1Char('\n'))
            shown += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            shown += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            shown += QLatin1String("\\t");
        else if (code < 0x20 || (code >= 0x7f && code <= 0x9f))
            shown += QLatin1String("\\x") + QString::number(code, 16).rightJustified(2, QLatin1Char('0'));
        else
            shown += c;
    }
    // A bidirectional control as every shown text has it.
    return ShownText::escaped(shown);
}

// What the place holders of one text stand for.
struct Words
{
    QString character;
    QString option;
    QString key;
};

QString filled(const Text& text, const FormProblem& problem, const Words& words)
{
    const FormField::Description& field = FormField::describe(problem.field);
    std::array<QString, 4> args;
    for (int i = 0; i < text.count; ++i) {
        switch (text.args[i]) {
        case Arg::Label:
            // The field labels are translated where the form table names them.
            args[i] = translated(field.label);
            break;
        case Arg::AcceptedForms:
            args[i] = translated(field.acceptedForms);
            break;
        case Arg::Length:
            args[i] = QString::number(problem.length);
            break;
        case Arg::MaxLength:
            args[i] = QString::number(field.maxLength);
            break;
        case Arg::Character:
            args[i] = words.character;
            break;
        case Arg::Option:
            args[i] = words.option;
            break;
        case Arg::Key:
            args[i] = words.key;
            break;
        }
    }
    // All place holders at once: a value that holds "%1" (a preset's name) stays as it is.
    QString source = translated(text.source);
    switch (text.count) {
    case 0:
        return source;
    case 1:
        return source.arg(args[0]);
    case 2:
        return source.arg(args[0], args[1]);
    case 3:
        return source.arg(args[0], args[1], args[2]);
    default:
        return source.arg(args[0], args[1], args[2], args[3]);
    }
}
} // namespace

FormTexts::Message FormTexts::problem(const FormProblem& problem)
{
    const Row& row = rowOf(problem.kind);
    return {translated(row.title), filled(row.text, problem, {ShownText::escaped(problem.character), {}, {}})};
}

QString FormTexts::fieldMark(const FormProblem& problem)
{
    const Row& row = rowOf(problem.kind);
    const Text& mark = problem.local && row.localMark.source ? row.localMark : row.mark;
    return filled(mark, problem, {ShownText::escaped(problem.character), {}, {}});
}

FormTexts::Message FormTexts::commandLineProblem(const FormProblem& problem, const QString& option, bool remembered,
                                                 const QString& preset)
{
    const Row& row = rowOf(problem.kind);
    Message message = FormTexts::problem(problem);
    Words words{cEscaped(problem.character), option, {}};
    if (remembered) {
        words.key = QLatin1String(FormField::describe(problem.field).settingsKey);
        if (!preset.isEmpty())
            words.key = QCoreApplication::translate("Configurator", "%1 in the preset \"%2\"")
                            .arg(words.key, ShownText::escaped(preset));
        const QString text = filled(row.remembered, problem, words);
        message.text = row.rememberedFollows ? message.text + text : text;
    } else if (row.option.source) {
        message.text = filled(row.option, problem, words);
    }
    return message;
}
