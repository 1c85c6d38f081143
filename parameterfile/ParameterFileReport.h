#pragma once

// What vskinfo tells of a decoded parameter file: a readable account and one for scripts.

#include "form/FormFields.h"
#include "parameterfile/ParameterFileDecoder.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>

// A text record that no writer of this tool makes, though the module may read it: one that the form's field rules
// (form/FormCheck.h) refuse in the file's mode, as "Generate" and vskwrite refuse the field (a PIN "12", a user key of
// five characters without the reset option, an owner number of 30 characters). No damage: the file is whole.
struct UnlikeTheTool
{
    FormField::Id field;
    QString detail; // what the record holds and what the form takes instead
};

// The file's texts against the field rules, in the form's order; empty when every text is as the tool writes it, or
// when the records cannot be told apart or the mode is unknown (the checks tell those).
QList<UnlikeTheTool> textsUnlikeTheTool(const DecodedParameterFile& file);

// Every check passes and every text is as the tool writes it: vskinfo's exit status 0.
bool asTheToolWrites(const DecodedParameterFile& file);

// A readable account of the file: every header field, the records, a verdict per check and per text unlike the tool's,
// one line each, and the verdict on the whole.
QStringList describeParameterFile(const DecodedParameterFile& file);

// The same account for scripts: numbers as numbers, texts as Latin-1 strings (cut after 32767 bytes like the lines
// above), the checks as a list of {name, ok, detail}, the texts unlike the tool's as "unlikeTheTool", a list of
// {field, record, name, detail}; "pass" only when asTheToolWrites. Qt 5's JSON objects end a text at a NUL, so a NUL in
// a record is carried as jsonNulStandIn (which no Latin-1 text holds); write the object out with jsonLine.
QJsonObject describeParameterFileAsJson(const DecodedParameterFile& file);
constexpr ushort jsonNulStandIn = 0xFFFF;

// The object as one line of compact JSON (ShownText::jsonLine), each jsonNulStandIn written as \u0000.
QByteArray jsonLine(const QJsonObject& object);
