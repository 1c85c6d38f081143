#pragma once

#include "form/FormCheck.h"

#include <QString>

// What the user is told of a form that breaks a rule (FormCheck), from one table: for each kind of problem, the box's
// title and text, the few words that mark the field while the form is filled in, and the command line's words, which
// name an option, or the key a remembered value is kept under, where the window names a field. Translated in the
// context "Configurator".
namespace FormTexts {
// A box's title and text.
struct Message
{
    QString title;
    QString text;
};

// The form refused: the window's box, which a preset's problem and vskwrite's remembered form show as well.
Message problem(const FormProblem& problem);

// The same problem in a few words, beside the field that holds it (a field's tooltip, what a screen reader adds to its
// name) while the form is filled in.
QString fieldMark(const FormProblem& problem);

// The same box in the words of the command line: the value given with option ("--sim"), or, when remembered, the
// value of the remembered form (of the preset, when preset names one) that option replaces, named by its key; a
// refused control character written as C writes it (\n, \x7f).
Message commandLineProblem(const FormProblem& problem, const QString& option, bool remembered = false,
                           const QString& preset = QString());
} // namespace FormTexts
