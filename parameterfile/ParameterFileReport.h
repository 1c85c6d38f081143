#pragma once

// What vskinfo tells of a decoded parameter file: a readable account and one for scripts.

#include "parameterfile/ParameterFileDecoder.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

// A readable account of the file: every header field, the records, and a verdict per check, one line each.
QStringList describeParameterFile(const DecodedParameterFile& file);

// The same account for scripts: numbers as numbers, texts as Latin-1 strings (cut after 32767 bytes like the lines
// above), the checks as a list of {name, ok, detail}. Qt 5's JSON objects end a text at a NUL, so a NUL in a record
// is carried as jsonNulStandIn (which no Latin-1 text holds); write the object out with jsonLine.
QJsonObject describeParameterFileAsJson(const DecodedParameterFile& file);
constexpr ushort jsonNulStandIn = 0xFFFF;

// The object as one line of compact JSON (ShownText::jsonLine), each jsonNulStandIn written as \u0000.
QByteArray jsonLine(const QJsonObject& object);
