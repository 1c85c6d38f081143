// orva_icon_png ICON PNG SIZE: writes the SIZE x SIZE image of a Windows icon file as a PNG, for the desktop's icon
// theme. Fails when the icon holds no image of exactly that size: a scaled image would look blurred.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

namespace {
void printError(const QString& message)
{
    std::fprintf(stderr, "orva_icon_png: %s\n", qPrintable(message));
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool sizeOk = false;
    const int size = arguments.size() == 4 ? arguments.at(3).toInt(&sizeOk) : 0;
    if (!sizeOk || size <= 0) {
        std::fputs("usage: orva_icon_png ICON PNG SIZE\n", stderr);
        return 2;
    }
    const QString iconPath = arguments.at(1);
    const QString pngPath = arguments.at(2);

    QImageReader reader(iconPath, "ico");
    if (!reader.canRead()) {
        printError(iconPath + QStringLiteral(": ") + reader.errorString());
        return 1;
    }
    // An icon file holds one image per size; take the one asked for.
    for (int index = 0; index < reader.imageCount(); ++index) {
        if (!reader.jumpToImage(index))
            break;
        const QImage image = reader.read();
        if (image.width() != size || image.height() != size)
            continue;
        if (!image.convertToFormat(QImage::Format_ARGB32).save(pngPath, "PNG")) {
            printError(QStringLiteral("cannot write ") + pngPath);
            return 1;
        }
        return 0;
    }
    printError(QStringLiteral("%1 holds no %2 x %2 image").arg(iconPath).arg(size));
    return 1;
}
