// The parameter file encoder: check values, timestamps, names, the layout of header and body, texts, identifiers.
#include "form/FormFields.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "support/MockClock.h"

#include <QtTest>

namespace {
// Digits chosen so that the text holds neither "00" nor "3B": bytes 12 34 56 78 9A BC DE F1 23 45 67 89 AB CD EF 12.
const QUuid fixedIdentifier(QStringLiteral("{12345678-9abc-def1-2345-6789abcdef12}"));

QByteArray hexBytes(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex));
}

quint32 u32At(const QByteArray& bytes, int offset)
{
    return (quint32(quint8(bytes.at(offset))) << 24) | (quint32(quint8(bytes.at(offset + 1))) << 16) |
           (quint32(quint8(bytes.at(offset + 2))) << 8) | quint32(quint8(bytes.at(offset + 3)));
}

quint16 u16At(const QByteArray& bytes, int offset)
{
    return quint16((quint8(bytes.at(offset)) << 8) | quint8(bytes.at(offset + 1)));
}

ParameterFileInput inputFor(quint8 modeCode)
{
    ParameterFileInput input;
    input.modeCode = modeCode;
    input.identifier = fixedIdentifier;
    input.fileName = parameterFileName(modeCode);
    return input;
}

// The body's records after the 16 identifier bytes (whose own bytes never hold ';').
QList<QByteArray> recordsAfterIdentifier(const QByteArray& body)
{
    QList<QByteArray> records = body.mid(17).split(';');
    records.removeLast(); // after the last separator
    return records;
}
} // namespace

class TestParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void checkValues_data();
    void checkValues();
    void timestamp_data();
    void timestamp();
    void timestampFromOneReading();
    void clockReadOncePerEncoding();
    void fileNameAndTag_data();
    void fileNameAndTag();
    void nameTagOfOtherNames_data();
    void nameTagOfOtherNames();
    void headerSerialisation();
    void lanFileByteForByte();
    void recordsPerMode_data();
    void recordsPerMode();
    void texts_data();
    void texts();
    void shownEmptyFieldEqualsHidden();
    void identifierAcceptance_data();
    void identifierAcceptance();
    void identifierCreationSkipsRejected();
    void acceptedIdentifiersKeepSeparatorsOut();
};

void TestParameterFile::checkValues_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("zeroBits");
    QTest::addColumn<quint32>("checksum");

    QTest::newRow("abc") << QByteArray("abc") << 14u << 0x8B3Au;
    QTest::newRow("one separator") << hexBytes("3B") << 3u << 0x803Bu;
    QTest::newRow("four FF") << hexBytes("FFFFFFFF") << 0u << 0x885Cu;
    QTest::newRow("nothing") << QByteArray() << 0u << 0x8000u;
    QTest::newRow("seven zero bytes") << QByteArray(7, '\0') << 56u << 0x8000u;
    // Far beyond 32 bits as one number: the remainder has to be carried byte by byte.
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QTest::newRow("bytes 0 to 255") << all << 1024u << 0x87CCu;
    QTest::newRow("100 FF") << QByteArray(100, char(0xFF)) << 0u << 0x848Fu;
}

void TestParameterFile::checkValues()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint32, zeroBits);
    QFETCH(quint32, checksum);

    QCOMPARE(countZeroBits(bytes), zeroBits);
    QCOMPARE(bodyChecksum(bytes), checksum);

    ParameterFileHeader header;
    header.setCheckValues(bytes);
    QCOMPARE(header.zeroBitCount, zeroBits);
    QCOMPARE(header.checksum, checksum);
}

void TestParameterFile::timestamp_data()
{
    QTest::addColumn<QDateTime>("localTime");
    QTest::addColumn<quint32>("packed");

    QTest::newRow("6 Dec 2026 05:15:53") << QDateTime(QDate(2026, 12, 6), QTime(5, 15, 53)) << 0x6B0C53F5u;
    QTest::newRow("first moment of 2000") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << 0x00420000u;
    QTest::newRow("last moment of 2031") << QDateTime(QDate(2031, 12, 31), QTime(23, 59, 59)) << 0x7F3F7EFBu;
    QTest::newRow("2032 wraps to the bits of 2000") << QDateTime(QDate(2032, 1, 1), QTime(0, 0)) << 0x00420000u;
    QTest::newRow("1999 gives year 31") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)) << 0x7F3F7EFBu;
    QTest::newRow("milliseconds dropped") << QDateTime(QDate(2026, 12, 6), QTime(5, 15, 53, 999)) << 0x6B0C53F5u;
}

void TestParameterFile::timestamp()
{
    QFETCH(QDateTime, localTime);
    QFETCH(quint32, packed);

    QCOMPARE(packTimestamp(localTime), packed);
    QCOMPARE(packTimestamp(localTime.date(), localTime.time()), packed);

    const QDate date = localTime.date();
    const QTime time = localTime.time();
    const MockClock clock(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    const EncodedParameterFile file = encodeParameterFile(inputFor(16));
    QCOMPARE(u32At(file.header, 18), packed);
}

void TestParameterFile::timestampFromOneReading()
{
    // A moment just before midnight keeps its own day: the date and the time come from the same value.
    const QDateTime lastMoment(QDate(2026, 12, 31), QTime(23, 59, 59, 999));
    const quint32 packed = packTimestamp(lastMoment);
    QCOMPARE(packed >> 26, 26u);
    QCOMPARE((packed >> 22) & 0xF, 12u);
    QCOMPARE((packed >> 17) & 0x1F, 31u);
    QCOMPARE((packed >> 12) & 0x1F, 23u);
    QCOMPARE((packed >> 6) & 0x3F, 59u);
    QCOMPARE(packed & 0x3F, 59u);
}

void TestParameterFile::clockReadOncePerEncoding()
{
    // The system's clock: the packed local time lies between readings taken around the encoding.
    const QDateTime before = QDateTime::currentDateTime();
    const EncodedParameterFile file = encodeParameterFile(inputFor(8));
    ParameterFileHeader header;
    header.setTimestamp();
    const QDateTime after = QDateTime::currentDateTime();

    QList<quint32> possible;
    for (QDateTime moment = before.addMSecs(-before.time().msec()); moment <= after; moment = moment.addSecs(1))
        possible << packTimestamp(moment);
    QVERIFY2(possible.contains(u32At(file.header, 18)), qPrintable(QString::number(u32At(file.header, 18), 16)));
    QVERIFY(possible.contains(header.timestamp));
}

void TestParameterFile::fileNameAndTag_data()
{
    QTest::addColumn<quint8>("modeCode");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("nameTag");

    const QByteArray gp0 = hexBytes("4700500030005F00");
    QTest::newRow("Kerv 38400") << quint8(4) << QStringLiteral("GP0_0000.VSK") << gp0;
    QTest::newRow("Kerv 115200") << quint8(64) << QStringLiteral("GP0_0000.VSK") << gp0;
    QTest::newRow("GSM") << quint8(8) << QStringLiteral("GP0_0000.VSK") << gp0;
    QTest::newRow("LAN") << quint8(16) << QStringLiteral("GP0_0000.VSK") << gp0;
    QTest::newRow("SMS") << quint8(32) << QStringLiteral("GP1_0000.VSK") << hexBytes("4700500031005F00");
    QTest::newRow("unknown code") << quint8(33) << QStringLiteral("GP0_0000.VSK") << gp0;
}

void TestParameterFile::fileNameAndTag()
{
    QFETCH(quint8, modeCode);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, nameTag);

    QCOMPARE(parameterFileName(modeCode), fileName);
    const EncodedParameterFile file = encodeParameterFile(inputFor(modeCode));
    QCOMPARE(file.header.mid(28, 8), nameTag);
}

void TestParameterFile::nameTagOfOtherNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("nameTag");

    QTest::newRow("short name") << QStringLiteral("AB.VSK") << hexBytes("4100420000000000");
    QTest::newRow("empty") << QString() << QByteArray(8, '\0');
    QTest::newRow("only the extension") << QStringLiteral(".VSK") << QByteArray(8, '\0');
    QTest::newRow("lower-case extension kept") << QStringLiteral("a.vsk") << hexBytes("61002E0076007300");
    QTest::newRow("beyond Latin-1") << QString(QChar(0x03A9)) << hexBytes("A903000000000000");
}

void TestParameterFile::nameTagOfOtherNames()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, nameTag);

    const std::array<quint8, 8> tag = parameterNameTag(fileName);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(tag.data()), 8), nameTag);
}

void TestParameterFile::headerSerialisation()
{
    ParameterFileHeader header;
    QCOMPARE(header.headerLength, 0u);
    QCOMPARE(header.checksum, 0u);
    QVERIFY(header.output.isEmpty());

    // A distinct value per field shows each field's place, width and byte order; 16-bit fields keep their low half.
    header.headerLength = 0xAA000102;
    header.reserved1 = 0x0304;
    header.magic1 = 0x0506;
    header.reserved2 = 0x0708090A;
    header.fileLength = 0x0B0C0D0E;
    header.magic2 = 0x0F101112;
    header.timestamp = 0x13141516;
    header.zeroBitCount = 0x1718191A;
    header.magic3 = 0x1B1C;
    header.nameTag = {0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24};
    header.magic4 = 0x2526;
    header.checksum = 0x2728;
    header.reserved3 = {0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30};

    QByteArray expected;
    for (int i = 1; i <= 48; ++i)
        expected.append(char(i));
    QCOMPARE(header.serialize(), expected);
    QCOMPARE(header.output, expected);
}

void TestParameterFile::lanFileByteForByte()
{
    const MockClock clock(2026, 12, 6, 5, 15, 53);
    const EncodedParameterFile file = encodeParameterFile(inputFor(16));
    QCOMPARE(file.header.size(), 48);
    QCOMPARE(file.body.size(), 54);

    const QByteArray expectedHeader = hexBytes("0030"
                                               "0000"
                                               "0008"
                                               "00000000"
                                               "00000066"
                                               "0100050A"
                                               "00000000" // timestamp
                                               "00000000" // zero bits
                                               "0087"
                                               "4700500030005F00"
                                               "0516"
                                               "0000" // checksum
                                               "0000000000000000");
    QByteArray header = file.header;
    header.replace(18, 8, QByteArray(8, '\0'));
    header.replace(38, 2, QByteArray(2, '\0'));
    QCOMPARE(header, expectedHeader);

    const QByteArray expectedBody =
        QByteArray(16, '\0') + hexBytes("3B103B") + "config.orva.example.net" + hexBytes("3B3833") + QByteArray(9, ';');
    QByteArray body = file.body;
    body.replace(0, 16, QByteArray(16, '\0'));
    QCOMPARE(body, expectedBody);

    // And the four parts left out above, for this identifier and moment.
    QCOMPARE(file.body.left(16), hexBytes("123456789ABCDEF123456789ABCDEF12"));
    QCOMPARE(u32At(file.header, 18), 0x6B0C53F5u);
    QCOMPARE(u32At(file.header, 22), 200u);
    QCOMPARE(u16At(file.header, 38), quint16(0x8D7D));
}

void TestParameterFile::recordsPerMode_data()
{
    QTest::addColumn<quint8>("modeCode");
    QTest::addColumn<QList<int>>("textRecords"); // records that carry text, 5..11
    QTest::addColumn<bool>("resetShown");

    // The fields each mode shows on the form, as the window passes them.
    QTest::newRow("Kerv 38400") << quint8(4) << QList<int>{} << false;
    QTest::newRow("Kerv 115200") << quint8(64) << QList<int>{} << false;
    QTest::newRow("GSM") << quint8(8) << QList<int>{5, 6, 7, 8} << false;
    QTest::newRow("LAN") << quint8(16) << QList<int>{} << false;
    QTest::newRow("SMS") << quint8(32) << QList<int>{8, 9, 10, 11} << true;
}

void TestParameterFile::recordsPerMode()
{
    QFETCH(quint8, modeCode);
    QFETCH(QList<int>, textRecords);
    QFETCH(bool, resetShown);

    ParameterFileInput input = inputFor(modeCode);
    std::array<std::optional<QString>, FormField::count>& fields = input.texts;
    for (int record : textRecords)
        fields[size_t(record - 5)] = QStringLiteral("text%1").arg(record);
    if (resetShown)
        input.resetConfig = true;

    const EncodedParameterFile file = encodeParameterFile(input);
    QCOMPARE(u32At(file.header, 10), quint32(file.header.size() + file.body.size()));
    QCOMPARE(file.body.at(16), ';');
    QCOMPARE(quint8(file.body.at(17)), modeCode);

    const QList<QByteArray> records = recordsAfterIdentifier(file.body);
    QCOMPARE(records.size(), 11); // records 2..12
    QCOMPARE(records.at(1), QByteArray("config.orva.example.net"));
    QCOMPARE(records.at(2), QByteArray("83"));
    for (int record = 5; record <= 11; ++record) {
        const QByteArray expected =
            textRecords.contains(record) ? QByteArray("text" + QByteArray::number(record)) : QByteArray();
        QCOMPARE(records.at(record - 2), expected);
    }
    QCOMPARE(records.at(10), resetShown ? QByteArray(1, '\x01') : QByteArray());

    // The reset byte says unchecked as 0x00.
    if (resetShown) {
        input.resetConfig = false;
        const QByteArray body = encodeParameterFile(input).body;
        QCOMPARE(body.right(2), QByteArray("\x00;", 2));
    }
}

void TestParameterFile::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("separator unchanged") << QStringLiteral("net;work") << QByteArray("net;work");
    QTest::newRow("no trimming, no case change") << QStringLiteral(" Apn.Example ") << QByteArray(" Apn.Example ");
    QTest::newRow("euro sign") << QString(QChar(0x20AC)) << QByteArray("?");
    QTest::newRow("Latin-1 letter") << QStringLiteral("Z\u00FCrich") << hexBytes("5AFC72696368");
    QTest::newRow("outside the BMP, per code unit") << QString::fromUcs4(U"\U0001F600") << QByteArray("??");
}

void TestParameterFile::texts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    ParameterFileInput input = inputFor(8);
    input.texts[FormField::AccessPointName] = text;
    input.texts[FormField::PinCode] = QStringLiteral("1234");
    const QByteArray body = encodeParameterFile(input).body;
    // APN starts right after "83;"; the GSM file ends with the PIN and five separators.
    const int start = body.indexOf("83;") + 3;
    QCOMPARE(body.mid(start, bytes.size() + 1), QByteArray(bytes + ';'));
    QVERIFY(body.endsWith("1234;;;;;"));
    QCOMPARE(body.size(), ParameterFile::fixedBodyLength + 23 + bytes.size() + 4);
}

void TestParameterFile::shownEmptyFieldEqualsHidden()
{
    ParameterFileInput shown = inputFor(32);
    shown.texts[FormField::PinCode] = QString();
    shown.texts[FormField::UserKey] = QString();
    shown.resetConfig = false;
    ParameterFileInput hidden = shown;
    hidden.texts[FormField::PinCode].reset();
    hidden.texts[FormField::UserKey].reset();
    QCOMPARE(encodeParameterFile(shown).body, encodeParameterFile(hidden).body);

    // The reset byte is another matter: shown and unchecked is a byte 0x00.
    hidden.resetConfig.reset();
    QCOMPARE(encodeParameterFile(shown).body.size(), encodeParameterFile(hidden).body.size() + 1);
}

void TestParameterFile::identifierAcceptance_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("clean") << QStringLiteral("{12345678-9abc-def1-2345-6789abcdef12}") << true;
    QTest::newRow("00 inside a byte") << QStringLiteral("{12005678-9abc-def1-2345-6789abcdef12}") << false;
    QTest::newRow("00 across two bytes") << QStringLiteral("{1a00b678-9abc-def1-2345-6789abcdef12}") << false;
    QTest::newRow("00 in the last group") << QStringLiteral("{12345678-9abc-def1-2345-6789abcdef00}") << false;
    QTest::newRow("3b inside a byte") << QStringLiteral("{12345678-9abc-def1-2345-6789ab3bef12}") << false;
    QTest::newRow("3b as a whole byte") << QStringLiteral("{12345678-9a3b-def1-2345-6789abcdef12}") << false;
    QTest::newRow("3b across two bytes") << QStringLiteral("{1233b678-9abc-def1-2345-6789abcdef12}") << false;
    QTest::newRow("3b across bytes, later group") << QStringLiteral("{12345678-9abc-d3b1-2345-6789abcdef12}") << false;
    QTest::newRow("0 - 0 across a hyphen") << QStringLiteral("{12345670-0abc-def1-2345-6789abcdef12}") << true;
    QTest::newRow("3 - b across a hyphen") << QStringLiteral("{12345673-bab1-def1-2345-6789abcdef12}") << true;
    QTest::newRow("b3 is not 3b") << QStringLiteral("{12345678-9abc-deb3-2345-6789abcdef12}") << true;
}

void TestParameterFile::identifierAcceptance()
{
    QFETCH(QString, identifier);
    QFETCH(bool, accepted);

    const QUuid uuid(identifier);
    QVERIFY(!uuid.isNull());
    QCOMPARE(isIdentifierAcceptable(uuid), accepted);
    if (accepted) {
        const QByteArray bytes = identifierBytes(uuid);
        QCOMPARE(bytes.size(), 16);
        QVERIFY(!bytes.contains('\0') && !bytes.contains(';'));
    }
}

void TestParameterFile::identifierCreationSkipsRejected()
{
    const QList<QUuid> draws = {QUuid(QStringLiteral("{12005678-9abc-def1-2345-6789abcdef12}")),
                                QUuid(QStringLiteral("{12345678-9a3b-def1-2345-6789abcdef12}")), fixedIdentifier};
    int next = 0;
    QCOMPARE(createAcceptableIdentifier([&] { return draws.at(next++); }), fixedIdentifier);
    QCOMPARE(next, 3);
}

void TestParameterFile::acceptedIdentifiersKeepSeparatorsOut()
{
    for (int i = 0; i < 2000; ++i) {
        const QUuid identifier = createAcceptableIdentifier();
        ParameterFileInput input = inputFor(16);
        input.identifier = identifier;
        const QByteArray body = encodeParameterFile(input).body;
        const QByteArray bytes = body.left(16);
        QVERIFY2(!bytes.contains('\0') && !bytes.contains(';'), qPrintable(identifier.toString()));
        QCOMPARE(QString::fromLatin1(bytes.toHex()), identifierDigits(identifier));
        QCOMPARE(body.count(';'), 12);
    }
}

QTEST_GUILESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"
