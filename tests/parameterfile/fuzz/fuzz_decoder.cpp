// libFuzzer target: decodes and describes any bytes as a parameter file under both file names. A file that passes
// every check must be exactly what the encoder writes for the contents read back from it.
#include "form/FormFields.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "parameterfile/ParameterFileReport.h"
#include "support/MockClock.h"

#include <cstddef>
#include <cstdint>

namespace {
std::optional<QString> textOrHidden(const QByteArray& record)
{
    if (record.isEmpty())
        return std::nullopt;
    return QString::fromLatin1(record);
}

// Re-encodes what a fully valid file says and compares it with the file. A file that passes names our server and
// carries an identifier the tool could have drawn.
void checkAgainstEncoder(const QByteArray& bytes, const DecodedParameterFile& file, const QString& fileName)
{
    if (!file.allChecksPass())
        return;
    if (file.hostName != QByteArray(ParameterFile::serverHostName, ParameterFile::serverHostNameLength) ||
        !isIdentifierAcceptable(file.identifier))
        __builtin_trap();
    ParameterFileInput input;
    input.modeCode = file.modeCode;
    input.identifier = file.identifier;
    input.fileName = fileName;
    std::array<std::optional<QString>, FormField::count>& fields = input.texts;
    for (int i = 0; i < ParameterFile::textRecordCount; ++i)
        fields[size_t(i)] = textOrHidden(file.textRecords.at(i));
    if (!file.resetRecord.isEmpty())
        input.resetConfig = file.resetRecord.at(0) != 0;
    const UnpackedTimestamp time = unpackTimestamp(file.header.timestamp);
    const MockClock clock(time.year, time.month, time.day, time.hour, time.minute, time.second);
    const EncodedParameterFile encoded = encodeParameterFile(input);
    if (encoded.header + encoded.body != bytes)
        __builtin_trap();
}

void inspect(const QByteArray& bytes, const QString& fileName)
{
    const DecodedParameterFile file = decodeParameterFile(bytes, fileName);
    if (file.truncated != (bytes.size() < ParameterFile::headerSize) || file.checks.isEmpty())
        __builtin_trap();
    if (describeParameterFile(file).isEmpty())
        __builtin_trap();
    checkAgainstEncoder(bytes, file, fileName);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    inspect(bytes, QStringLiteral("GP0_0000.VSK"));
    inspect(bytes, QStringLiteral("GP1_0000.VSK"));
    return 0;
}
