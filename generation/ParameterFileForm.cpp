#include "generation/ParameterFileForm.h"

#include "generation/ParameterFile.h"
#include "generation/ParameterFileDecoder.h"

#include <QFile>
#include <QFileInfo>

namespace {
// A parameter file holds a few hundred bytes; the window's texts make it at most about 230 KiB.
constexpr qint64 largestParameterFile = 1024 * 1024;

ParameterFileForm refused(ParameterFileForm::Outcome outcome, const QString& detail = QString())
{
    ParameterFileForm form;
    form.outcome = outcome;
    form.detail = detail;
    return form;
}
} // namespace

ParameterFileForm formFromParameterFile(const QByteArray& bytes, const FormValues& current)
{
    using Outcome = ParameterFileForm::Outcome;
    const DecodedParameterFile first = decodeParameterFile(bytes, parameterFileName(ModeCode::Default));
    if (first.truncated)
        return refused(Outcome::Damaged, QStringLiteral("%1 bytes, shorter than the 48-byte header").arg(bytes.size()));
    if (!first.hasModeCode || !ModeCode::find(first.modeCode)) {
        const DecodedParameterFile::Check* mode = first.check(QStringLiteral("mode code"));
        return refused(Outcome::Damaged, QStringLiteral("mode code: ") +
                                             (mode ? mode->detail : QStringLiteral("the body ends before it")));
    }
    // Decoded again under the name that its mode writes: the name tag is then checked against the mode.
    const DecodedParameterFile file = decodeParameterFile(bytes, parameterFileName(first.modeCode));
    const QList<DecodedParameterFile::Check> failed = file.failedChecks();
    if (!failed.isEmpty())
        return refused(Outcome::Damaged, failed.constFirst().name + QStringLiteral(": ") + failed.constFirst().detail);

    ParameterFileForm form;
    form.outcome = Outcome::Loaded;
    form.values = current;
    form.values.modeCode = file.modeCode;
    for (const FormField::Description& field : FormField::fields) {
        if (form.values.shows(field.id))
            form.values.text(field.id) = QString::fromLatin1(file.textRecords.at(field.id));
    }
    form.values.resetConfig = form.values.showsReset() && file.resetRecord == QByteArray(1, '\x01');
    return form;
}

ParameterFileForm formFromParameterFile(const QString& path, const FormValues& current)
{
    using Outcome = ParameterFileForm::Outcome;
    // A FIFO or a device would make the open or the read wait; Qt tells only a regular file as a file.
    const QFileInfo info(path);
    if (!info.isFile())
        return refused(Outcome::NotAFile);
    if (info.size() > largestParameterFile)
        return refused(Outcome::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Outcome::Unreadable, file.errorString());
    const QByteArray bytes = file.read(largestParameterFile + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(Outcome::Unreadable, file.errorString());
    if (bytes.size() > largestParameterFile)
        return refused(Outcome::TooLarge);
    return formFromParameterFile(bytes, current);
}
