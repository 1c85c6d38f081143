#include "parameterfile/ParameterFileForm.h"

#include "base/RegularFile.h"
#include "form/FormCheck.h"
#include "form/PhoneNumber.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"

namespace {
constexpr qint64 largestParameterFile = ParameterFile::largestSize;

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
    const QList<DecodedParameterFile::Check> damaged = file.damagedChecks();
    if (!damaged.isEmpty())
        return refused(Outcome::Damaged,
                       damaged.constFirst().name + QStringLiteral(": ") + damaged.constFirst().detail);

    ParameterFileForm form;
    form.outcome = Outcome::Loaded;
    form.values = current;
    form.values.modeCode = file.modeCode;
    // A field takes no longer text than its length: of a longer record it holds the beginning.
    for (const FormField::Description& field : FormField::fields) {
        if (form.values.shows(field.id))
            form.values.text(field.id) = DecodedText::latin1(file.textRecords.at(field.id)).left(field.maxLength);
    }
    form.values.resetConfig = form.values.showsReset() && file.resetRecord == QByteArray(1, '\x01');

    // What "Generate" would write from the form, against what the file holds.
    const FormValues generated = PhoneNumber::inAcceptedForm(form.values);
    for (const FormField::Description& field : FormField::fields) {
        if (!form.values.shows(field.id))
            continue;
        // A text that "Generate" refuses as it stands is refused there, in so many words; it is told here only when
        // the form holds less of it than the file.
        ParameterFileForm::Difference difference{field.id, DecodedText::latin1(file.textRecords.at(field.id)),
                                                 form.values.text(field.id), std::nullopt};
        if (!checkField(generated, field.id))
            difference.written = generated.text(field.id);
        if (difference.cut() || (difference.written && *difference.written != difference.inFile))
            form.differences.append(difference);
    }
    if (file.namesAnotherServer())
        form.otherServer = QString::fromLatin1(file.hostName);
    return form;
}

ParameterFileForm formFromParameterFile(const QString& path, const FormValues& current)
{
    using Outcome = ParameterFileForm::Outcome;
    const RegularFileRead file = readRegularFile(path, largestParameterFile);
    switch (file.outcome) {
    case RegularFileRead::Outcome::Missing:
    case RegularFileRead::Outcome::NotRegular:
        return refused(Outcome::NotAFile);
    case RegularFileRead::Outcome::TooLarge:
        return refused(Outcome::TooLarge);
    case RegularFileRead::Outcome::Failed:
        return refused(Outcome::Unreadable, file.reason);
    case RegularFileRead::Outcome::Read:
        break;
    }
    return formFromParameterFile(file.bytes, current);
}
