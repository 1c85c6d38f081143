#include "generation/CardContents.h"

#include "generation/ModeCodes.h"
#include "generation/ParameterFile.h"
#include "generation/ParameterFileDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr qint64 largestParameterFile = ParameterFile::largestSize;
const QLatin1String cardFolder(ParameterFile::cardFolderName);

QString mainValueOf(const DecodedParameterFile& file)
{
    if (!file.recordsKnown)
        return QString();
    FormField::Id field;
    if (file.modeCode == ModeCode::Gsm)
        field = FormField::AccessPointName;
    else if (file.modeCode == ModeCode::Sms)
        field = FormField::SimCardPhoneNumber;
    else
        return QString();
    return QString::fromLatin1(file.textRecords.value(field));
}
} // namespace

bool CardContents::carriesHandedOffIdentifier() const
{
    // Another server's file is not ours to call damaged, but its identifier may be registered all the same.
    return (state == State::Configured || state == State::Foreign || state == State::Damaged) &&
           ModeCode::handsOffIdentifier(modeCode);
}

CardContents readParameterFileAt(const QString& path)
{
    CardContents contents;
    contents.fileName = QFileInfo(path).fileName();
    // Looked at before it is opened: a FIFO, a device or a folder at that name is never opened (a FIFO would block).
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return contents;
    if (info.isSymLink() || !info.isFile()) {
        contents.state = CardContents::State::Damaged;
        contents.reason = QStringLiteral("not a regular file");
        return contents;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.state = CardContents::State::Unreadable;
        contents.reason = file.errorString();
        return contents;
    }
    const QByteArray bytes = file.read(largestParameterFile + 1);
    if (file.error() != QFileDevice::NoError) {
        contents.state = CardContents::State::Unreadable;
        contents.reason = file.errorString();
        return contents;
    }
    return contentsOfParameterFile(decodeParameterFile(bytes, contents.fileName), contents.fileName, bytes.size());
}

CardContents contentsOfParameterFile(const DecodedParameterFile& decoded, const QString& fileName, qint64 size)
{
    CardContents contents;
    contents.fileName = fileName;
    contents.modeCode = decoded.modeCode;
    contents.identifier = decoded.identifier;
    contents.written = unpackTimestamp(decoded.header.timestamp).toDateTime();
    contents.mainValue = mainValueOf(decoded);
    const QList<DecodedParameterFile::Check> damaged = decoded.damagedChecks();
    if (size > largestParameterFile) {
        contents.state = CardContents::State::Damaged;
        contents.reason = QStringLiteral("far too large for a parameter file");
    } else if (!damaged.isEmpty()) {
        contents.state = CardContents::State::Damaged;
        contents.reason = damaged.first().name;
    } else if (decoded.namesAnotherServer()) {
        contents.state = CardContents::State::Foreign;
        contents.server = QString::fromLatin1(decoded.hostName);
    } else {
        contents.state = CardContents::State::Configured;
    }
    return contents;
}

CardContents readParameterFileOnCard(const QString& cardRoot, quint8 modeCode)
{
    return readParameterFileAt(QDir(cardRoot).filePath(parameterFileOnCard(parameterFileName(modeCode))));
}

CardContents readCardContents(const QString& cardRoot)
{
    const QString folder = QDir(cardRoot).filePath(cardFolder);
    CardContents newest;
    for (const quint8 mode : {ModeCode::Default, ModeCode::Sms}) {
        const CardContents one = readParameterFileAt(folder + QLatin1Char('/') + parameterFileName(mode));
        if (one.state == CardContents::State::Nothing)
            continue;
        // What cannot be read is told first; else the file written last, which the card was prepared with.
        if (newest.state == CardContents::State::Nothing || one.state == CardContents::State::Unreadable ||
            (newest.state != CardContents::State::Unreadable && one.written > newest.written))
            newest = one;
    }
    return newest;
}
