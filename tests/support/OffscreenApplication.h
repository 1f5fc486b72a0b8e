#pragma once
// The set-up shared by the test and benchmark entry points, before the
// QApplication is made: the offscreen platform unless another one is asked
// for, and the offscreen platform's warnings about window hints it cannot pass
// on (once per window: noise, nothing about the program) dropped.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace rv::test {

inline QtMessageHandler platformDefaultHandler = nullptr;

inline void dropPlatformNoise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    platformDefaultHandler(type, context, message);
}

inline void prepareOffscreenApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platformDefaultHandler = qInstallMessageHandler(dropPlatformNoise);
}

} // namespace rv::test
