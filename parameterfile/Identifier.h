#pragma once

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <functional>

// The installation identifier and the user key are both drawn from random UUIDs whose text is free of "00" and of
// "3B": the module separates records with ';' (0x3B) and reads 0x00 as an end, so neither byte may appear.

// False when the UUID's text form (braces, hyphens, lower-case digits) contains "00", or its upper-case form "3B".
bool isIdentifierAcceptable(const QUuid& identifier);

// Draws UUIDs from the generator (QUuid::createUuid by default) until one is acceptable.
QUuid createAcceptableIdentifier(const std::function<QUuid()>& generate = &QUuid::createUuid);

// The 32 hexadecimal digits of the UUID in the order of its bytes, lower case, without braces or hyphens.
QString identifierDigits(const QUuid& identifier);

// The identifier as the user reads it, in the identifier file, on standard output and in the card record: the 32
// digits in upper case.
QString identifierText(const QUuid& identifier);

// The identifier as a person reads it off a screen or a label: identifierText's digits in groups of four, separated
// by spaces ("1A2B 3C4D ..."). What is copied, saved or encoded is identifierText.
QString groupedIdentifier(const QUuid& identifier);

// The UUID's 16 bytes as the parameter file carries them: the 32 digits read left to right.
QByteArray identifierBytes(const QUuid& identifier);

// The user key drawn from a UUID: its first six hexadecimal digits in upper case.
QString userKeyFromIdentifier(const QUuid& identifier);
