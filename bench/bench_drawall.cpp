// Draw-all timings: the tick that draws every number of 1..N and fills the
// list, and the repaint that follows, as medians of repeated runs. Beside
// them, the plain algorithm that looks every draw up in the list widget and
// appends one item at a time, for comparison. Last, the exhaustion test that
// every press makes while skipping is on, on a full list.
//
// Usage: bench_drawall [--plain-max N]   (plain runs only for N up to this)

#include "draw/draw_formula.h"
#include "draw/pool.h"
#include "platform/numbers.h"
#include "platform/qt_platform.h"
#include "window/list_box.h"
#include "window/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double milliseconds(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The plain algorithm: a whole-list search for every draw, one append per
// new number.
void plainDrawAll(frmMain &window, QtPlatform &platform, float n)
{
    auto *list = window.findChild<QListWidget *>(QStringLiteral("lstDone"));
    list->clear();
    platform.randomize(window.property("intRandomize").value<qint16>());
    qint16 counter = numbers::int16FromReal(n);
    while (counter != 0) {
        const qint16 number = numbers::int16FromReal(draw::value(platform.nextRandom(), n));
        const QString text = numbers::decimalText(number);
        if (window.ItemExists(list, text) == frmMain::False) {
            list->addItem(text);
            --counter;
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int plainMax = 8192;
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) == "--plain-max")
            plainMax = QByteArray(argv[i + 1]).toInt();
    }

    QtPlatform platform;
    frmMain window(platform);
    window.show();
    QApplication::processEvents();
    auto *bound = window.findChild<QComboBox *>(QStringLiteral("cboBis"));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("lstDone"));

    std::printf("%-8s %6s %14s %14s %16s\n", "N", "runs", "tick ms", "repaint ms", "plain tick ms");
    for (const int n : { 10, 256, 4096, 32767 }) {
        const int runs = n >= 4096 ? 11 : 51;
        std::vector<double> tick;
        std::vector<double> paint;
        for (int run = 0; run < runs; ++run) {
            bound->setEditText(QString::number(n));
            window.mnuRandom_Click();
            QApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            window.Timer2_Timer();
            tick.push_back(milliseconds(timer));
            timer.restart();
            window.repaint();
            paint.push_back(milliseconds(timer));
            if (list->count() != n) {
                std::fprintf(stderr, "draw-all of %d gave %d items\n", n, list->count());
                return 1;
            }
        }

        double plain = -1;
        if (n <= plainMax) {
            std::vector<double> plainTicks;
            const int plainRuns = n >= 4096 ? 1 : 11;
            for (int run = 0; run < plainRuns; ++run) {
                QElapsedTimer timer;
                timer.start();
                plainDrawAll(window, platform, static_cast<float>(n));
                plainTicks.push_back(milliseconds(timer));
            }
            plain = median(plainTicks);
        }
        std::printf("%-8d %6d %14.3f %14.3f ", n, runs, median(tick), median(paint));
        if (plain < 0)
            std::printf("%16s\n", "(skipped)");
        else
            std::printf("%16.1f\n", plain);
        std::fflush(stdout);
    }

    // The list now holds 1..32767: reading every item and finding none of
    // 1..32767 missing is the dearest exhaustion test there is.
    std::vector<double> check;
    for (int run = 0; run < 51; ++run) {
        QElapsedTimer timer;
        timer.start();
        const bool exhausted = draw::missingNumbers(listbox::texts(*list), 32767.0F).empty();
        check.push_back(milliseconds(timer));
        if (!exhausted || list->count() != 32767) {
            std::fprintf(stderr, "the list of %d items is not 1..32767\n", list->count());
            return 1;
        }
    }
    std::printf("\nexhaustion test, %d items: %.3f ms (median of %zu runs)\n", list->count(),
        median(check), check.size());
    return 0;
}
