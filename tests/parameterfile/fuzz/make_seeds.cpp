// Writes the fuzzer's seeds: parameter files the encoder makes, one per mode and a few with unusual texts.
#include "form/FormFields.h"
#include "parameterfile/ParameterFile.h"
#include "support/MockClock.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {
bool writeSeed(const QDir& dir, const char* name, const ParameterFileInput& input)
{
    const EncodedParameterFile encoded = encodeParameterFile(input);
    QFile file(dir.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly) && file.write(encoded.header + encoded.body) > 0;
}

ParameterFileInput inputFor(quint8 modeCode)
{
    ParameterFileInput input;
    input.modeCode = modeCode;
    input.identifier = QUuid(QStringLiteral("{12345678-9abc-def1-2345-6789abcdef12}"));
    input.fileName = parameterFileName(modeCode);
    return input;
}
} // namespace

int main(int argc, char* argv[])
{
    const MockClock clock(2026, 12, 6, 5, 15, 53);
    if (argc != 2) {
        std::fputs("usage: fuzz_seeds FOLDER\n", stderr);
        return 2;
    }
    const QDir dir(QFile::decodeName(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

    bool written = writeSeed(dir, "kerv38400.vsk", inputFor(4)) && writeSeed(dir, "kerv115200.vsk", inputFor(64)) &&
                   writeSeed(dir, "lan.vsk", inputFor(16));

    ParameterFileInput gsm = inputFor(8);
    gsm.texts[FormField::AccessPointName] = QStringLiteral("internet.example");
    gsm.texts[FormField::Username] = QStringLiteral("user");
    gsm.texts[FormField::Password] = QStringLiteral("pa\u00DF;word");
    gsm.texts[FormField::PinCode] = QStringLiteral("1234");
    written = written && writeSeed(dir, "gsm-separator-in-password.vsk", gsm);
    gsm.texts[FormField::Password] = QStringLiteral("pa\u00DFword");
    written = written && writeSeed(dir, "gsm.vsk", gsm);

    ParameterFileInput sms = inputFor(32);
    sms.texts[FormField::PinCode] = QStringLiteral("9876");
    sms.texts[FormField::SimCardPhoneNumber] = QStringLiteral("+41790000001");
    sms.texts[FormField::OwnerPhoneNumber] = QStringLiteral("+41790000002");
    sms.texts[FormField::UserKey] = QStringLiteral("A1B2C3");
    sms.resetConfig = true;
    written = written && writeSeed(dir, "sms-reset.vsk", sms);
    sms.resetConfig = false;
    sms.identifier = QUuid(QStringLiteral("{a1b2c3d4-e5f6-4789-9abc-def123456789}"));
    written = written && writeSeed(dir, "sms.vsk", sms);
    return written ? 0 : 1;
}
