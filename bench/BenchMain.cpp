// Benchmark entry point: a QApplication on the offscreen platform, then
// Google Benchmark. Figures are printed; nothing here asserts a time.
#include "tests/support/OffscreenApplication.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    rv::test::prepareOffscreenApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelto"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
