#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes into the file at path so that they are on the medium when this returns: a temporary file beside it
// is written, flushed to the medium and moved over the old file, the folder is flushed, and the file is read back
// and compared. Returns why it failed, or an empty string. On failure the old file, if any, is left as it was.
QString writeDurably(const QString& path, const QByteArray& bytes);

// Flushes the folder itself, so that a file just moved into it stays there after a power cut or an unplugged card.
// Returns why it failed, or an empty string.
QString syncDirectory(const QString& path);
