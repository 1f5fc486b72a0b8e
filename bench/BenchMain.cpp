// Benchmark entry point: a QApplication on the offscreen platform, then
// Google Benchmark. Figures are printed; nothing here asserts a time.
#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The offscreen platform warns about window hints it cannot pass on, once per
// window: noise in the output, nothing about the program.
QtMessageHandler defaultHandler = nullptr;

void dropPlatformNoise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(dropPlatformNoise);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelto"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
