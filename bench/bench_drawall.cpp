// Draw-all timings: the tick that draws every number of 1..N and fills the
// list, and the repaint that follows, as medians of repeated runs. Last, the
// exhaustion test that every press makes while skipping is on, on a full list.

#include "draw/pool.h"
#include "platform/qt_platform.h"
#include "results/result_list.h"
#include "window/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QtPlatform platform;
    frmMain window(platform);
    window.show();
    QApplication::processEvents();
    auto *bound = window.findChild<QComboBox *>(QStringLiteral("cboBis"));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("lstDone"));

    std::printf("%-8s %6s %14s %14s\n", "N", "runs", "tick ms", "repaint ms");
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

        std::printf("%-8d %6d %14.3f %14.3f\n", n, runs, median(tick), median(paint));
        std::fflush(stdout);
    }

    // The list now holds 1..32767: reading every item and finding none of
    // 1..32767 missing is the dearest exhaustion test there is.
    std::vector<double> check;
    for (int run = 0; run < 51; ++run) {
        QElapsedTimer timer;
        timer.start();
        const bool exhausted = draw::missingNumbers(listbox::texts(*list), 32767.0F).none();
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
