#pragma once

#include <QString>
#include <QStringList>

// Runs a program to its end, waiting at most timeoutMs; output, when given, receives what it printed (both streams).
// True when it ended by itself with status 0.
bool runTool(const QString& program, const QStringList& arguments, QString* output = nullptr, int timeoutMs = 60000);
