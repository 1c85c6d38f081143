// A parameter file back into the form: what a file that cannot be loaded is told as, and that no path makes the
// caller wait. (The form a good file gives, in every mode, is checked through the window in tst_openfile.)
#include "generation/Identifier.h"
#include "generation/ParameterFile.h"
#include "generation/ParameterFileForm.h"

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
        QVERIFY(writeFile(large, gsmFile() + QByteArray(2 * 1024 * 1024, ';')));
        QCOMPARE(int(formFromParameterFile(large, FormValues()).outcome), int(ParameterFileForm::Outcome::TooLarge));
    }
};

QTEST_GUILESS_MAIN(TestParameterFileForm)
#include "tst_parameterfileform.moc"
