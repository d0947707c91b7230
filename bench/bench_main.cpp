// The benchmarks' entry: the windows need an application object (offscreen unless told
// otherwise).
#include "platform/vb_controls.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // The web view lays pages out in this program started again.
    if (const auto laidOut = vb::WebView::runLayoutProcess(argc, argv))
        return *laidOut;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
