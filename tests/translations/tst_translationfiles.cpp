// The translation sources against the program's texts: lupdate collects the texts of today's code into copies of the
// .ts files, and every text must then have a finished translation in every language that keeps its placeholders.
// A text added to the code without a translation fails here, not in front of a German-speaking installer.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
// CMake hands its lists over with '|' between the items.
QStringList cmakeList(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

struct Message
{
    QString source;
    QString translation;
    bool finished = false;
};

QList<Message> readMessages(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    Message message;
    bool vanished = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            message = Message();
            vanished = false;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            const auto type = xml.attributes().value(QLatin1String("type"));
            // Texts that left the code: lupdate keeps them only until the next update.
            vanished = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
            message.finished = type.isEmpty();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message") && !vanished) {
            messages.append(message);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

// What a translation must keep of its source: the arguments (%1, %L2), the line breaks, and the spaces at either end
// that join a piece of a sentence to the next.
QStringList shape(const QString& text)
{
    QStringList parts;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%L?\\d+")).globalMatch(text);
    while (it.hasNext())
        parts.append(it.next().captured());
    parts.sort();
    parts.append(QStringLiteral("%1 line breaks").arg(text.count(QLatin1Char('\n'))));
    if (!text.isEmpty() && text.front().isSpace())
        parts.append(QStringLiteral("leading space"));
    if (!text.isEmpty() && text.back().isSpace())
        parts.append(QStringLiteral("trailing space"));
    return parts;
}

QString quoted(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('\n'), QLatin1String("\\n")) + QLatin1Char('"');
}
} // namespace

class TestTranslationFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lupdateFindsEveryText();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();

private:
    QTemporaryDir work;
    QString lupdateOutput;
};

void TestTranslationFiles::initTestCase()
{
    const QString lupdate = QString::fromUtf8(ORVA_LUPDATE);
    if (lupdate.isEmpty())
        QSKIP("built without Qt's Linguist tools (lupdate): the program has no translations to check");
    QVERIFY(work.isValid());

    const QDir sources(QString::fromUtf8(ORVA_SOURCE_DIR));
    QStringList arguments = cmakeList(ORVA_LUPDATE_OPTIONS);
    const QStringList folders = cmakeList(ORVA_TRANSLATED_FOLDERS);
    for (const QString& folder : folders)
        arguments.append(sources.filePath(folder));
    arguments.append(QStringLiteral("-ts"));
    const QStringList languages = cmakeList(ORVA_TRANSLATION_LANGUAGES);
    for (const QString& language : languages) {
        const QString name = QStringLiteral("OrvaConfigurator_%1.ts").arg(language);
        const QString copy = work.filePath(name);
        QVERIFY2(QFile::copy(sources.filePath(QStringLiteral("resources/translations/") + name), copy),
                 qPrintable(QStringLiteral("resources/translations/%1 is missing").arg(name)));
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        arguments.append(copy);
    }

    QProcess process;
    process.setWorkingDirectory(sources.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(lupdate, arguments);
    QVERIFY2(process.waitForFinished(60000), qPrintable(lupdate + QStringLiteral(": ") + process.errorString()));
    lupdateOutput = QString::fromLocal8Bit(process.readAll());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, qPrintable(lupdateOutput));
}

// lupdate warns, file and line, about a text it cannot give a context ("tr() cannot be called without context"):
// such a text is in no .ts file and stays English in every language.
void TestTranslationFiles::lupdateFindsEveryText()
{
    const QStringList lines = lupdateOutput.split(QLatin1Char('\n'));
    QStringList warnings;
    for (const QString& line : lines) {
        if (line.contains(QRegularExpression(QStringLiteral("^\\S+:\\d+: "))))
            warnings.append(line);
    }
    QVERIFY2(warnings.isEmpty(), qPrintable(QStringLiteral("lupdate cannot place these texts (use tr() in a "
                                                           "Configurator member, or QCoreApplication::translate("
                                                           "\"Configurator\", ...)):\n") +
                                            warnings.join(QLatin1Char('\n'))));
}

void TestTranslationFiles::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    const QStringList languages = cmakeList(ORVA_TRANSLATION_LANGUAGES);
    for (const QString& language : languages)
        QTest::newRow(qPrintable(language)) << language;
}

void TestTranslationFiles::everyTextIsTranslated()
{
    QFETCH(QString, language);

    QString error;
    const QList<Message> messages =
        readMessages(work.filePath(QStringLiteral("OrvaConfigurator_%1.ts").arg(language)), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!messages.isEmpty());

    QStringList problems;
    for (const Message& message : messages) {
        if (!message.finished || message.translation.isEmpty()) {
            problems.append(QStringLiteral("not translated: ") + quoted(message.source));
            continue;
        }
        const QStringList expected = shape(message.source);
        const QStringList actual = shape(message.translation);
        if (actual != expected) {
            problems.append(QStringLiteral("%1 -> %2: keeps [%3], should keep [%4]")
                                .arg(quoted(message.source), quoted(message.translation),
                                     actual.join(QStringLiteral(", ")), expected.join(QStringLiteral(", "))));
        }
    }
    QVERIFY2(problems.isEmpty(),
             qPrintable(QStringLiteral("resources/translations/OrvaConfigurator_%1.ts (update it with the target "
                                       "update_translations, then translate in Qt Linguist):\n")
                            .arg(language) +
                        problems.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslationFiles)
#include "tst_translationfiles.moc"
