// What one 25 Hz frame of the trend costs: add the newest sample and redraw
// 60 s (1500 samples) of two axes, four values each (eight lines), into a
// 1100 x 320 picture. Our QPainter plot draws straight from the trend buffer;
// the Qt Charts plot of the same lines (built when Qt Charts is installed) is
// the yardstick the choice was made against.
#include <benchmark/benchmark.h>

#include <cmath>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "online/CTrendPlot.h"
#include "online/TrendBuffer.h"

#ifdef VANTREL_WITH_QT_CHARTS
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#endif

namespace {

using namespace vantrel;

constexpr int kWidth = 1100;
constexpr int kHeight = 320;
constexpr std::int64_t kPeriodMs = 40;

// A back-and-forth motion of axis a at time t (ms): position and speed.
TrendSample motionSample(std::int64_t t) {
    TrendSample s;
    s.timeMs = t;
    for (int a = 0; a < 2; ++a) {
        const double phase = static_cast<double>(t) / (1500.0 + 700.0 * a);
        s.setValue(a, TrendChannel::CommandPosition, 100 * std::sin(phase));
        s.setValue(a, TrendChannel::DetectedPosition, 100 * std::sin(phase - 0.05));
        s.setValue(a, TrendChannel::CommandSpeed, 100 * std::cos(phase));
        s.setValue(a, TrendChannel::DetectedSpeed, 100 * std::cos(phase - 0.05));
    }
    return s;
}

void QPainterPlotFrame(benchmark::State& run) {
    TrendBuffer buffer;
    std::int64_t t = 0;
    for (; t <= buffer.spanMs(); t += kPeriodMs) buffer.add(motionSample(t));
    CTrendPlot plot(buffer);
    plot.resize(kWidth, kHeight);
    plot.setAxisShown(1, true);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : run) {
        buffer.add(motionSample(t));
        plot.setEndTime(t);
        t += kPeriodMs;
        plot.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(QPainterPlotFrame)->Unit(benchmark::kMicrosecond);

#ifdef VANTREL_WITH_QT_CHARTS
void QtChartsFrame(benchmark::State& run) {
    auto* chart = new QChart;
    chart->legend()->hide();
    auto* time = new QValueAxis;
    auto* position = new QValueAxis;
    auto* speed = new QValueAxis;
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(position, Qt::AlignLeft);
    chart->addAxis(speed, Qt::AlignRight);
    position->setRange(-110, 110);
    speed->setRange(-110, 110);
    std::vector<QLineSeries*> lines;
    std::vector<QList<QPointF>> points(8);
    std::int64_t t = 0;
    for (; t <= 60000; t += kPeriodMs) {
        const TrendSample s = motionSample(t);
        for (std::size_t k = 0; k < 8; ++k) points[k].append(QPointF(t / 1000.0, s.values[k]));
    }
    for (std::size_t k = 0; k < 8; ++k) {
        auto* line = new QLineSeries;
        line->setPen(QPen(QColor::fromHsv(static_cast<int>(k) * 40, 200, 200), 1));  // as thin as ours
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(k % 4 < 2 ? position : speed);
        line->replace(points[k]);
        lines.push_back(line);
    }
    QChartView view(chart);
    view.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : run) {
        const TrendSample s = motionSample(t);
        for (std::size_t k = 0; k < 8; ++k) {
            points[k].removeFirst();
            points[k].append(QPointF(t / 1000.0, s.values[k]));
            lines[k]->replace(points[k]);
        }
        time->setRange((t - 60000) / 1000.0, t / 1000.0);
        t += kPeriodMs;
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(QtChartsFrame)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
