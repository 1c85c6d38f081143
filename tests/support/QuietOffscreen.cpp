#include "support/QuietOffscreen.h"

#include <QString>
#include <QtGlobal>

namespace {
QtMessageHandler previousHandler = nullptr;

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    previousHandler(type, context, message);
}
} // namespace

void quietOffscreenPlatform()
{
    previousHandler = qInstallMessageHandler(handler);
}
