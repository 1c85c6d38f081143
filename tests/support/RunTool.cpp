#include "support/RunTool.h"

#include <QProcess>

#include <cstdio>
#include <cstdlib>

bool runTool(const QString& program, const QStringList& arguments, QString* output, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void skipWholeTest(const QString& reason)
{
    std::printf("SKIP: %s\n", qPrintable(reason));
    std::fflush(stdout);
    std::exit(77);
}
