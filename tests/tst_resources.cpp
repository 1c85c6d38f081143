// The image bundle as the program sees it: the three entries, their sizes, how they are stored and what they show.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QtTest>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void bundleHoldsOnlyTheImages();
    void imagesShowWhatTheyShould_data();
    void imagesShowWhatTheyShould();
    void applicationIconHasItsSize();
};

void TestResources::entries_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("compression");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");

    QTest::newRow("icon") << QStringLiteral(":/logo/resources/icon.ico") << qint64(9662)
                          << int(QResource::ZlibCompression) << QByteArray("ico") << QSize(48, 48);
    QTest::newRow("refresh") << QStringLiteral(":/logo/resources/refresh.png") << qint64(24936)
                             << int(QResource::NoCompression) << QByteArray("png") << QSize(256, 256);
    QTest::newRow("logo") << QStringLiteral(":/logo/resources/logo.png") << qint64(1416)
                          << int(QResource::NoCompression) << QByteArray("png") << QSize(48, 27);
}

void TestResources::entries()
{
    QFETCH(QString, path);
    QFETCH(qint64, bytes);
    QFETCH(int, compression);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);

    QFile file(path);
    QVERIFY(file.exists());
    QCOMPARE(file.size(), bytes);

    const QResource resource(path);
    QVERIFY(resource.isValid());
    QCOMPARE(int(resource.compressionAlgorithm()), compression);
    QCOMPARE(resource.uncompressedSize(), bytes);
    if (compression == QResource::NoCompression)
        QCOMPARE(resource.size(), bytes);
    else
        QVERIFY2(resource.size() < bytes / 2, qPrintable(QString::number(resource.size())));

    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.depth(), 32);
}

void TestResources::bundleHoldsOnlyTheImages()
{
    QCOMPARE(QDir(QStringLiteral(":/logo")).entryList(), QStringList{QStringLiteral("resources")});
    QCOMPARE(QDir(QStringLiteral(":/logo/resources")).entryList(),
             (QStringList{QStringLiteral("icon.ico"), QStringLiteral("logo.png"), QStringLiteral("refresh.png")}));
}

// A few pixels of each image: clear where the background shows, blue where the drawing is. A mix-up of colour
// channels or a lost alpha channel shows here.
void TestResources::imagesShowWhatTheyShould_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("clear");
    QTest::addColumn<QPoint>("blue");

    QTest::newRow("icon: corner, card") << QStringLiteral(":/logo/resources/icon.ico") << QPoint(1, 1)
                                        << QPoint(14, 40);
    QTest::newRow("icon: past the cut corner, card")
        << QStringLiteral(":/logo/resources/icon.ico") << QPoint(38, 5) << QPoint(36, 20);
    QTest::newRow("refresh: middle, top arrow")
        << QStringLiteral(":/logo/resources/refresh.png") << QPoint(128, 128) << QPoint(128, 50);
    QTest::newRow("refresh: corner, bottom arrow")
        << QStringLiteral(":/logo/resources/refresh.png") << QPoint(2, 253) << QPoint(128, 206);
    QTest::newRow("logo: outside the rounded corner, plate")
        << QStringLiteral(":/logo/resources/logo.png") << QPoint(0, 0) << QPoint(2, 13);
}

void TestResources::imagesShowWhatTheyShould()
{
    QFETCH(QString, path);
    QFETCH(QPoint, clear);
    QFETCH(QPoint, blue);

    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    QCOMPARE(qAlpha(image.pixel(clear)), 0);
    const QRgb pixel = image.pixel(blue);
    QCOMPARE(qAlpha(pixel), 255);
    QVERIFY2(qBlue(pixel) > qRed(pixel) + 60 && qBlue(pixel) > qGreen(pixel), qPrintable(QString::number(pixel, 16)));
}

void TestResources::applicationIconHasItsSize()
{
    const QIcon icon(QStringLiteral(":/logo/resources/icon.ico"));
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(48, 48)));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
