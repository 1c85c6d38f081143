#pragma once

#include <QString>
#include <QStringList>

// Runs a program to its end, waiting at most timeoutMs; output, when given, receives what it printed (both streams).
// True when it ended by itself with status 0.
bool runTool(const QString& program, const QStringList& arguments, QString* output = nullptr, int timeoutMs = 60000);

// Ends a test that cannot run on this machine at all (not root, a tool missing): says why and exits with 77, which
// CTest reports as skipped. Whatever the test made must be cleaned up first.
[[noreturn]] void skipWholeTest(const QString& reason);
