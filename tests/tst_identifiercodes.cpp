// The identifier's QR codes read back by a decoder (zbarimg), as a phone's camera reads them: the picture in the box
// that tells of a GSM card, a page of the labels saved from that box, and vskwrite's --qr as a terminal shows it with
// a page of its --labels. Each must hold the identifier written on the card, digit for digit.
#include "parameterfile/ParameterFileDecoder.h"
#include "support/QuietOffscreen.h"
#include "support/RunTool.h"
#include "support/TestFiles.h"
#include "support/WindowTest.h"
#include "window/FileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

namespace {
QString cardIdentifier(const QString& card)
{
    const QString name = QStringLiteral("GP0_0000.VSK");
    return QString::fromLatin1(
        decodeParameterFile(readFile(card + QStringLiteral("/02/") + name), name).identifierBytes.toHex().toUpper());
}

// What zbarimg reads in the picture.
QString decoded(const QString& picture)
{
    QProcess zbarimg;
    zbarimg.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), picture});
    zbarimg.waitForFinished(30000);
    return QString::fromUtf8(zbarimg.readAllStandardOutput()).trimmed();
}

// The first page of the PDF as a picture, as a printer would have it.
QString firstPage(const QString& pdf)
{
    const QString prefix = pdf + QStringLiteral("-page");
    QString output;
    if (!runTool(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"), QStringLiteral("-f"),
                  QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix},
                 &output))
        qWarning("pdftoppm: %s", qPrintable(output));
    return prefix + QStringLiteral("-1.png");
}

// The terminal's lines drawn as a terminal shows them: each character two modules high, its blocks light, the rest
// dark, 8 pixels a module. A character that is none of the four is drawn red, which no decoder takes for a module.
QImage terminalPicture(const QStringList& lines)
{
    constexpr int scale = 8;
    int columns = 0;
    for (const QString& line : lines)
        columns = std::max(columns, int(line.size()));
    QImage picture(columns * scale, int(lines.size()) * 2 * scale, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    for (int row = 0; row < lines.size(); ++row) {
        for (int column = 0; column < lines.at(row).size(); ++column) {
            const QChar shown = lines.at(row).at(column);
            const bool known = QStringLiteral(" \u2580\u2584\u2588").contains(shown);
            const bool upper = shown == QChar(0x2580) || shown == QChar(0x2588);
            const bool lower = shown == QChar(0x2584) || shown == QChar(0x2588);
            const QColor light = known ? QColor(Qt::white) : QColor(Qt::red);
            if (upper || !known)
                painter.fillRect(column * scale, row * 2 * scale, scale, scale, light);
            if (lower || !known)
                painter.fillRect(column * scale, (row * 2 + 1) * scale, scale, scale, light);
        }
    }
    return picture;
}
} // namespace

class TestIdentifierCodes : public QObject
{
    Q_OBJECT

public slots:
    // The desktop's viewer, as QDesktopServices would start it for a file.
    void open(const QUrl& url) { opened << url; }

private:
    QList<QUrl> opened;

private slots:
    void initTestCase()
    {
        for (const char* tool : {"zbarimg", "pdftoppm"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                skipWholeTest(QStringLiteral("%1 is not installed (packages zbar-tools, poppler-utils)")
                                  .arg(QLatin1String(tool)));
        }
        QStandardPaths::setTestModeEnabled(true);
        quietOffscreenPlatform();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }

    void windowBoxLabelsAndVskwriteReadBackAsTheCardsIdentifier()
    {
        FreshDesk desk;
        QVERIFY(desk.isValid());
        const QString pictures = desk.home.filePath(QStringLiteral("pictures"));
        QVERIFY(QDir().mkpath(pictures));
        {
            // The window: its box for a GSM card, and "Labels…" in it, saved as the A4 sheet.
            auto platform = std::make_unique<FakeDrivePlatform>();
            QVERIFY(QDir().mkpath(desk.card(0)));
            platform->addCard(desk.card(0), QStringLiteral("CARD0"));
            Configurator window(std::move(platform));
            window.setExitFunction([](int) {});
            window.show();
            auto* modes = widget<QComboBox>(window, "modeSerial");
            modes->setCurrentIndex(modes->findText(QStringLiteral("GSM")));
            widget<QLineEdit>(window, "APN")->setText(QStringLiteral("internet.example.net"));
            widget<QCheckBox>(window, "ejectCardCheckBox")->setChecked(false);
            const QString sheet = pictures + QStringLiteral("/window labels.pdf");
            desk.boxes.answer(QStringLiteral("Labels…"));
            FileDialog::setNextAnswer(sheet, 0);
            QTest::mouseClick(widget(window, "button_Save"), Qt::LeftButton);
            QTRY_COMPARE(desk.boxes.seen().size(), 2); // shown again after the labels, then "OK"

            const QString identifier = cardIdentifier(desk.card(0));
            QCOMPARE(identifier.size(), 32);
            const MessageBox::Shown box = desk.boxes.seen().first();
            // Grouped by four, on one line.
            QCOMPARE(box.informativeText.split(QChar::Nbsp).join(QString()), identifier);
            QCOMPARE(box.informativeText.size(), 32 + 7);
            // 25 modules and the quiet zone, 4 pixels or more each.
            QVERIFY2(box.picture.width() >= 33 * 4, qPrintable(QString::number(box.picture.width())));
            const QString boxPicture = pictures + QStringLiteral("/box.png");
            QVERIFY(box.picture.save(boxPicture));
            QCOMPARE(decoded(boxPicture), identifier);
            QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(sheet)});
            QCOMPARE(decoded(firstPage(sheet)), identifier);
        }

        // vskwrite: the identifier's line first, its code after it; the labels of its card.
        QVERIFY(QDir().mkpath(desk.card(1)));
        const QString sheet = pictures + QStringLiteral("/vskwrite labels.pdf");
        QProcess vskwrite;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), desk.home.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        vskwrite.setProcessEnvironment(environment);
        vskwrite.start(QStringLiteral(VSKWRITE_PATH),
                       {QStringLiteral("--mode"), QStringLiteral("gsm"), QStringLiteral("--apn"),
                        QStringLiteral("internet.example.net"), QStringLiteral("--any-folder"),
                        QStringLiteral("--no-open"), QStringLiteral("--qr"), QStringLiteral("--labels"), sheet,
                        desk.card(1)});
        QVERIFY(vskwrite.waitForFinished(60000));
        QVERIFY2(vskwrite.exitCode() == 0, vskwrite.readAllStandardError().constData());
        QStringList lines = QString::fromUtf8(vskwrite.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.takeLast(), QString());
        const QString identifier = cardIdentifier(desk.card(1));
        QCOMPARE(lines.takeFirst(), identifier);
        const QString terminal = pictures + QStringLiteral("/terminal.png");
        QVERIFY(terminalPicture(lines).save(terminal));
        QCOMPARE(decoded(terminal), identifier);
        QCOMPARE(decoded(firstPage(sheet)), identifier);
    }
};

ORVA_WINDOW_TEST_MAIN(TestIdentifierCodes)
#include "tst_identifiercodes.moc"
