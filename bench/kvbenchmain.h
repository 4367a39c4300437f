#pragma once
// main() of a benchmark program that needs a QApplication. Without a chosen
// platform it runs offscreen; `./kv bench` runs the programs under Xvfb.

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#define KV_BENCHMARK_QAPPLICATION_MAIN()                  \
  int main(int argc, char** argv) {                       \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))   \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    QApplication app(argc, argv);                         \
    benchmark::Initialize(&argc, argv);                   \
    benchmark::RunSpecifiedBenchmarks();                  \
    benchmark::Shutdown();                                \
    return 0;                                             \
  }
