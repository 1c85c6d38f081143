#include "generation/CardContents.h"

#include "base/FileSystem.h"
#include "form/ModeCodes.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
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
    return DecodedText::latin1(file.textRecords.value(field));
}
} // namespace

CardContents::HandedOff CardContents::handedOffIdentifier() const
{
    switch (state) {
    case State::Nothing:
    case State::OffCard: // the write refuses such a folder itself
        return HandedOff::No;
    case State::Unreadable:
        return HandedOff::CannotTell;
    case State::Configured:
    case State::Foreign: // not ours to call damaged, but its identifier may be registered all the same
    case State::Damaged:
        break;
    }
    switch (modeFound) {
    case ModeFound::NotRead: // a link, a folder, a FIFO: no file the module reads
        return HandedOff::No;
    case ModeFound::Known:
        return ModeCode::handsOffIdentifier(modeCode) ? HandedOff::Yes : HandedOff::No;
    case ModeFound::CutInHeader:
    case ModeFound::CutBeforeMode:
    case ModeFound::NoSuchMode:
        break;
    }
    return HandedOff::CannotTell;
}

bool CardContents::carriesHandedOffIdentifier() const
{
    return handedOffIdentifier() != HandedOff::No;
}

CardContents readParameterFileAt(const QString& path)
{
    CardContents contents;
    contents.fileName = QFileInfo(path).fileName();
    // Looked at before it is opened: a FIFO, a device or a folder at that name is never opened (a FIFO would block).
    const FileSystem::Entry entry = FileSystem::entryAt(path);
    contents.standing.kind = entry.kind;
    contents.standing.stamp = entry.stamp;
    switch (entry.kind) {
    case FileSystem::Entry::Kind::Missing:
        return contents;
    case FileSystem::Entry::Kind::Unreadable:
        contents.state = CardContents::State::Unreadable;
        contents.reason = entry.reason;
        return contents;
    case FileSystem::Entry::Kind::RegularFile:
        break;
    case FileSystem::Entry::Kind::Folder:
    case FileSystem::Entry::Kind::Link:
    case FileSystem::Entry::Kind::Other:
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
    const StandingEntry standing = contents.standing;
    contents = contentsOfParameterFile(decodeParameterFile(bytes, contents.fileName), contents.fileName, bytes.size());
    contents.standing = standing;
    contents.standing.bytes = bytes;
    return contents;
}

CardContents contentsOfParameterFile(const DecodedParameterFile& decoded, const QString& fileName, qint64 size)
{
    CardContents contents;
    contents.fileName = fileName;
    contents.modeCode = decoded.modeCode;
    if (decoded.truncated)
        contents.modeFound = CardContents::ModeFound::CutInHeader;
    else if (!decoded.hasModeCode)
        contents.modeFound = CardContents::ModeFound::CutBeforeMode;
    else if (!ModeCode::name(decoded.modeCode))
        contents.modeFound = CardContents::ModeFound::NoSuchMode;
    else
        contents.modeFound = CardContents::ModeFound::Known;
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

std::optional<CardContents> cardFolderFinding(const QString& cardRoot)
{
    const QString folder = QDir(cardRoot).filePath(cardFolder);
    // Looked at without following a link: the writer refuses such a folder, and what it leads to is not on the card.
    const FileSystem::Entry entry = FileSystem::entryAt(folder);
    CardContents finding;
    switch (entry.kind) {
    case FileSystem::Entry::Kind::Link:
        finding.state = CardContents::State::OffCard;
        finding.reason = QLatin1String(QT_TRANSLATE_NOOP("Configurator", "it is a link"));
        return finding;
    case FileSystem::Entry::Kind::Folder:
        if (FileSystem::isFolderOnVolume(folder, cardRoot))
            return std::nullopt;
        finding.state = CardContents::State::OffCard;
        finding.reason = QLatin1String(QT_TRANSLATE_NOOP("Configurator", "it leads to another drive"));
        return finding;
    case FileSystem::Entry::Kind::Unreadable:
        finding.state = CardContents::State::Unreadable;
        finding.reason = entry.reason;
        return finding;
    case FileSystem::Entry::Kind::Missing:
    case FileSystem::Entry::Kind::RegularFile:
    case FileSystem::Entry::Kind::Other:
        break;
    }
    return std::nullopt;
}

QVector<CardContents> readCardFiles(const QString& cardRoot)
{
    if (const std::optional<CardContents> finding = cardFolderFinding(cardRoot))
        return {*finding};
    const QString folder = QDir(cardRoot).filePath(cardFolder);
    QVector<CardContents> files;
    for (const quint8 mode : {ModeCode::Default, ModeCode::Sms}) {
        const CardContents one = readParameterFileAt(folder + QLatin1Char('/') + parameterFileName(mode));
        if (one.state != CardContents::State::Nothing)
            files.append(one);
    }
    return files;
}

CardContents readCardContents(const QString& cardRoot)
{
    CardContents newest;
    const QVector<CardContents> files = readCardFiles(cardRoot);
    for (const CardContents& one : files) {
        // What cannot be read is told first; else the file written last, which the card was prepared with.
        if (newest.state == CardContents::State::Nothing || one.state == CardContents::State::Unreadable ||
            (newest.state != CardContents::State::Unreadable && one.written > newest.written))
            newest = one;
    }
    return newest;
}

bool isFileSystemOwnEntry(const QString& name)
{
    // What formatting, Windows, macOS and Linux put on a drive without the user: never files of the user's. A recycle
    // bin or a trash folder is not among them: it may hold the user's files.
    static const char* const own[] = {"System Volume Information",
                                      "lost+found",
                                      ".Trashes",
                                      "._.Trashes",
                                      ".fseventsd",
                                      ".Spotlight-V100",
                                      ".TemporaryItems",
                                      ".metadata_never_index",
                                      ".DS_Store",
                                      "._.DS_Store"};
    // FAT and exFAT do not tell the case of a name apart.
    for (const char* entry : own) {
        if (name.compare(QLatin1String(entry), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

CardRootFinding lookAtCardRoot(const QString& cardRoot)
{
    CardRootFinding finding;
    const QDir root(cardRoot);
    if (!root.isReadable())
        return finding;
    // A folder "02" on the card (not a link, nor another drive mounted there) with a parameter file in it.
    const QString folder = root.filePath(cardFolder);
    if (!cardFolderFinding(cardRoot) && FileSystem::entryAt(folder).kind == FileSystem::Entry::Kind::Folder) {
        for (const quint8 mode : {ModeCode::Default, ModeCode::Sms}) {
            if (FileSystem::entryAt(folder + QLatin1Char('/') + parameterFileName(mode)).kind ==
                FileSystem::Entry::Kind::RegularFile) {
                finding.kind = CardRootFinding::Kind::Configured;
                return finding;
            }
        }
    }
    // Names only: nothing listed is opened or followed, and the look ends at the first entry of someone's.
    QDirIterator entries(cardRoot, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        if (!isFileSystemOwnEntry(entries.fileName())) {
            finding.kind = CardRootFinding::Kind::OtherFiles;
            finding.otherName = entries.fileName();
            return finding;
        }
    }
    finding.kind = CardRootFinding::Kind::Blank;
    return finding;
}
