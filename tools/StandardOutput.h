#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A program started with its standard output or error closed: were those descriptors free, the next file the program
// opens (the parameter file, the record) would take one, and what is printed would go into that file. They are
// taken by a read-only null device instead, so that printing fails and is noticed.
void keepClosedStandardStreamsClosed();

// Flushes standard output and says what became of everything printed on it: nothing when it all got there, else the
// system's reason, or an empty text when the reason is not known (an earlier write failed). A full disk or a closed
// pipe must not look like success.
std::optional<QString> standardOutputFailure();

// Prints lines of block characters (a QR code) on standard output, in UTF-8 where it goes to a file or a pipe. On a
// terminal they are drawn light on dark whatever the terminal's own colours, so that the code reads as drawn.
void printCodeLines(const QStringList& lines);
