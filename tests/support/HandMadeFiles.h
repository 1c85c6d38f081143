#pragma once

// Parameter files that the encoder would not write, made by hand from one it wrote: their header's length and check
// values made to fit the changed body, so that only the change stands out.
#include "parameterfile/ParameterFile.h"

#include <QByteArray>

// The file with its body replaced.
inline QByteArray withBody(const QByteArray& file, const QByteArray& body)
{
    ParameterFileHeader header = ParameterFileHeader::read(file);
    header.fileLength = quint32(ParameterFile::headerSize + body.size());
    header.setCheckValues(body);
    return header.serialize() + body;
}

// The file naming another host name as its server (record 3, after the identifier and the mode byte).
inline QByteArray withHostName(const QByteArray& file, const QByteArray& hostName)
{
    QByteArray body = file.mid(ParameterFile::headerSize);
    const int start = 16 + 3;
    body.replace(start, body.indexOf(ParameterFile::separator, start) - start, hostName);
    return withBody(file, body);
}
