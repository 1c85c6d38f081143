#include "desktop/DesktopOpen.h"

#include "desktop/DesktopOpenPlatform.h"

namespace {
DesktopOpen::Handler& handler()
{
    static DesktopOpen::Handler replaced;
    return replaced;
}
} // namespace

void DesktopOpen::setHandler(Handler replacement)
{
    handler() = std::move(replacement);
}

void DesktopOpen::textFile(const QString& filePath)
{
    if (handler())
        handler()(Kind::TextFile, filePath);
    else
        startTextEditor(filePath);
}

void DesktopOpen::webAddress(const QString& address)
{
    if (handler())
        handler()(Kind::WebAddress, address);
    else
        startBrowser(address);
}
