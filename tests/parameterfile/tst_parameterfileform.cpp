// A parameter file back into the form: what a file that cannot be loaded is told as, that no path makes the caller
// wait, and that a field holds its record exactly or the difference is told. (The form a good file gives, in every
// mode, is checked through the window in tst_openfile.)
#include "form/PhoneNumber.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileForm.h"
#include "support/HandMadeFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
QByteArray encoded(const ParameterFileInput& input)
{
    const EncodedParameterFile file = encodeParameterFile(input);
    return file.header + file.body;
}

ParameterFileInput gsmInput()
{
    FormValues values;
    values.modeCode = ModeCode::Gsm;
    values.text(FormField::AccessPointName) = QStringLiteral("internet.example.net");
    values.text(FormField::PinCode) = QStringLiteral("5273");
    return parameterFileInput(values, createAcceptableIdentifier());
}

QByteArray gsmFile()
{
    return encoded(gsmInput());
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestParameterFileForm : public QObject
{
    Q_OBJECT

private slots:
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("detail");
        const QByteArray good = gsmFile();
        QByteArray changedText = good;
        changedText[changedText.indexOf("internet")] = 'I'; // a changed byte that the header does not account for
        ParameterFileInput hiddenText = gsmInput();
        hiddenText.texts[FormField::SimCardPhoneNumber] = QStringLiteral("+41791234567"); // GSM has no such field
        QByteArray unknownMode = good;
        unknownMode[48 + 17] = 7;
        QTest::newRow("cut in the header") << good.left(40) << "40 bytes, shorter than the 48-byte header";
        QTest::newRow("cut in the body") << good.left(good.size() - 10) << "file length: ";
        QTest::newRow("one byte changed") << changedText << "zero-bit count: ";
        QTest::newRow("text where the mode has no field")
            << encoded(hiddenText) << "records for mode: record 9 holds text the mode does not show";
        QTest::newRow("unknown mode") << unknownMode << "mode code: 7 (unknown mode)";
        QTest::newRow("appended byte") << good + QByteArray(1, 'x') << "file length: ";
    }

    // A damaged file leaves the form as it was and says which check failed.
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, detail);
        FormValues current;
        current.modeCode = ModeCode::Sms;
        const ParameterFileForm form = formFromParameterFile(bytes, current);
        QCOMPARE(int(form.outcome), int(ParameterFileForm::Outcome::Damaged));
        QVERIFY2(form.detail.startsWith(detail), qPrintable(form.detail));
    }

    // A copy under another name is the same file: the name tag is checked against the name its mode writes.
    void renamedCopyLoads()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("card 3 - copy.vsk"));
        QVERIFY(writeFile(path, gsmFile()));
        const ParameterFileForm form = formFromParameterFile(path, FormValues());
        QCOMPARE(int(form.outcome), int(ParameterFileForm::Outcome::Loaded));
        QCOMPARE(form.values.modeCode, ModeCode::Gsm);
        QCOMPARE(form.values.text(FormField::AccessPointName), QStringLiteral("internet.example.net"));
    }

    // Each field at the length it takes holds its record exactly; one character more and the field holds the
    // beginning, told as a difference of that field alone, with what the file holds and what the form writes.
    void recordsAtAndBeyondTheirFieldsLength()
    {
        for (const FormField::Description& field : FormField::fields) {
            const quint8 mode = ModeCode::showsField(ModeCode::Gsm, field.id) ? ModeCode::Gsm : ModeCode::Sms;
            QString longest;
            if (PhoneNumber::isPhoneField(field.id))
                longest = QStringLiteral("0041 79 123 45 67");
            else if (field.id == FormField::PinCode)
                longest = QString(field.maxLength, QLatin1Char('7'));
            else
                longest = QString(field.maxLength, QLatin1Char('k'));
            QCOMPARE(longest.size(), field.maxLength);
            for (const QString& text : {longest, QString(longest + QLatin1Char('8'))}) {
                FormValues values;
                values.modeCode = mode;
                values.resetConfig = true; // the key is written, whatever it is
                values.text(field.id) = text;
                const ParameterFileForm form =
                    formFromParameterFile(encoded(parameterFileInput(values, createAcceptableIdentifier())), {});
                QCOMPARE(int(form.outcome), int(ParameterFileForm::Outcome::Loaded));
                QCOMPARE(form.values.text(field.id), longest);
                QVERIFY(form.otherServer.isEmpty());
                if (text == longest) {
                    QVERIFY2(form.differences.isEmpty(), field.objectName);
                    continue;
                }
                QCOMPARE(form.differences.size(), 1);
                const ParameterFileForm::Difference& difference = form.differences.first();
                QCOMPARE(difference.field, field.id);
                QCOMPARE(difference.inFile, text);
                QCOMPARE(difference.inForm, longest);
                QVERIFY(difference.cut());
                // The PIN's digits are refused at "Generate" as they stand; every other field writes what it holds.
                QVERIFY(difference.written ==
                        (field.id == FormField::PinCode ? std::optional<QString>() : std::optional<QString>(longest)));
            }
        }
    }

    // A number whose digits make an accepted form stays as the file holds it and is told with the form "Generate"
    // writes; one of no accepted form is kept for "Generate" to refuse.
    void phoneNumbersKeepTheirSpacing()
    {
        FormValues values;
        values.modeCode = ModeCode::Sms;
        values.text(FormField::SimCardPhoneNumber) = QStringLiteral("0041791234567");
        values.text(FormField::OwnerPhoneNumber) = QStringLiteral("12345");
        values.text(FormField::UserKey) = QStringLiteral("Wd3kPz");
        const ParameterFileForm form =
            formFromParameterFile(encoded(parameterFileInput(values, createAcceptableIdentifier())), {});
        QCOMPARE(int(form.outcome), int(ParameterFileForm::Outcome::Loaded));
        QCOMPARE(form.values.texts, values.texts);
        QCOMPARE(form.differences.size(), 1);
        QCOMPARE(form.differences.first().field, FormField::SimCardPhoneNumber);
        QVERIFY(!form.differences.first().cut());
        QVERIFY(form.differences.first().written == QStringLiteral("0041 79 123 45 67"));
    }

    // Another server's file loads, and says whose it is; a record 3 that is no host name is damage.
    void hostNames()
    {
        const QByteArray other = withHostName(gsmFile(), "config.orva.example.org");
        const ParameterFileForm form = formFromParameterFile(other, FormValues());
        QCOMPARE(int(form.outcome), int(ParameterFileForm::Outcome::Loaded));
        QCOMPARE(form.otherServer, QStringLiteral("config.orva.example.org"));
        QVERIFY(form.differences.isEmpty() && form.differsFromFile());
        QCOMPARE(form.values.text(FormField::AccessPointName), QStringLiteral("internet.example.net"));

        const ParameterFileForm damaged = formFromParameterFile(withHostName(gsmFile(), "config orva"), FormValues());
        QCOMPARE(int(damaged.outcome), int(ParameterFileForm::Outcome::Damaged));
        QCOMPARE(damaged.detail, QStringLiteral("host name: \"config orva\" is no host name"));
    }

    // Nothing but a regular file is opened: a FIFO without a writer would make the window wait for ever.
    void onlyRegularFilesAreOpened()
    {
        QTemporaryDir folder;
        QCOMPARE(int(formFromParameterFile(folder.path(), FormValues()).outcome),
                 int(ParameterFileForm::Outcome::NotAFile));
        QCOMPARE(int(formFromParameterFile(folder.filePath(QStringLiteral("GP0_0000.VSK")), FormValues()).outcome),
                 int(ParameterFileForm::Outcome::NotAFile));
#ifdef Q_OS_UNIX
        const QString fifo = folder.filePath(QStringLiteral("fifo.VSK"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(int(formFromParameterFile(fifo, FormValues()).outcome), int(ParameterFileForm::Outcome::NotAFile));
        QVERIFY(timer.elapsed() < 2000);
#endif
        const QString large = folder.filePath(QStringLiteral("large.VSK"));
        QVERIFY(writeFile(large, QByteArray(int(ParameterFile::largestSize) + 1, ';')));
        QCOMPARE(int(formFromParameterFile(large, FormValues()).outcome), int(ParameterFileForm::Outcome::TooLarge));
    }
};

QTEST_GUILESS_MAIN(TestParameterFileForm)
#include "tst_parameterfileform.moc"
