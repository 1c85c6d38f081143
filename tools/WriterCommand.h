#pragma once

#include "form/FormCheck.h"
#include "form/FormValues.h"
#include "generation/GenerateTexts.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// vskwrite's command line: which form to write onto which card, or help, version or a usage error.
struct WriterCommand
{
    enum class Action
    {
        Write,
        List,          // the removable cards, one a line
        PresetRefused, // --preset names no preset that can be used (the lookup said why)
        EachCard,      // the form onto each card put in, until stopped or count cards were prepared
        Help,
        Version,
        BadUsage,
    };
    Action action = Action::BadUsage;
    QString text; // the help text, or what is wrong with the command line

    FormValues values;
    FormField::Set remembered = 0; // the fields whose text is the remembered form's or the preset's, not an option's
    QString preset;                // the preset's name (--preset)
    QString cardRoot;              // cleaned and absolute
    bool anyFolder = false;        // write into a folder that is not a card (an image being prepared), without a label
    bool noOpen = false;           // leave the editor and the portal closed
    bool replace = false;          // replace a file whose identifier was handed to the user (gsm, lan)
    bool json = false;             // --list, --each-card: one JSON object a line
    int count = 0;                 // --each-card: stop after that many cards were prepared; 0: no end
    QStringList skippedReaders;    // --each-card: the readers whose cards are not prepared (--skip-reader)
    bool eject = false;            // --each-card: let each card go once it ended, so that it may be taken out
    QString valuesFile;            // --each-card --values: each card gets the next row of this CSV list
    bool qr = false;               // print each identifier as a QR code too (not with json)
    QString labels;                // the labels' PDF to write for the cards prepared, cleaned and absolute; or empty
};

// The command-line name of a mode (kerv38400, kerv115200, gsm, lan, sms), or a null string for an unknown code.
QString writerModeName(quint8 modeCode);

// What the window says of a refused form, in the words of the command line: options, not buttons or fields, or the
// remembered form's key when the value is the remembered one (remembered holds the field), named with its preset when
// it is a preset's; a refused control character written as \n or \x7f.
GenerateTexts::Message writerFormProblem(const FormProblem& problem, FormField::Set remembered = 0,
                                         const QString& preset = QString());

// Reads arguments (the program's name first). rememberedForm gives the window's remembered form; it is asked only
// for --from-settings, whose values the options given beside it replace. presetForm gives the preset of a name, or
// nothing when it cannot be used; it is asked only for --preset, whose values the options replace likewise. An option
// for a field that the mode does not use is a usage error, as is a value longer than the field takes (the window could
// not hold it), a missing mode or card root.
WriterCommand parseWriterCommand(const QStringList& arguments, const std::function<FormValues()>& rememberedForm,
                                 const std::function<std::optional<FormValues>(const QString& name)>& presetForm = {});
