// Makes the symbol bundle from a picture of the image bundle: a copy of the picture for each side given, scaled as Qt's
// icons scale it (premultiplied, smoothly), written as FOLDER/NAME-SIDE.png, and the bundle's list of them,
// FOLDER/symbols.qrc. The window draws the symbol from a copy where its side is asked for (window/BundleSymbol.h).
//
//     scale_symbol PICTURE FOLDER SIDE...
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QImage picture =
        arguments.size() > 3 ? QImage(arguments[1]).convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
    if (picture.isNull()) {
        std::fprintf(stderr, "usage: scale_symbol PICTURE FOLDER SIDE...\n");
        return 2;
    }
    const QString name = QFileInfo(arguments[1]).completeBaseName();
    QString list = QStringLiteral("<RCC>\n  <qresource prefix=\"/symbols\">\n");
    for (const QString& given : arguments.mid(3)) {
        const int side = given.toInt();
        const QString file = QStringLiteral("%1-%2.png").arg(name).arg(side);
        const QImage copy = picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (side <= 0 || !copy.save(arguments[2] + QLatin1Char('/') + file)) {
            std::fprintf(stderr, "scale_symbol: %s not written\n", qPrintable(file));
            return 1;
        }
        list += QStringLiteral("    <file compression-algorithm=\"none\">%1</file>\n").arg(file);
    }
    list += QStringLiteral("  </qresource>\n</RCC>\n");
    QSaveFile qrc(arguments[2] + QStringLiteral("/symbols.qrc"));
    if (!qrc.open(QIODevice::WriteOnly) || qrc.write(list.toUtf8()) < 0 || !qrc.commit()) {
        std::fprintf(stderr, "scale_symbol: symbols.qrc not written\n");
        return 1;
    }
    return 0;
}
