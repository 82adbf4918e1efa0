// Starts the program exactly as `quelmarine` does and, when the first frame has reached the
// screen, writes the CLOCK_MONOTONIC time in nanoseconds to standard output and ends.
//
// With QUELMARINE_PROBE_PICTURES=N it goes on until the background dialog holds N pictures and
// none is still being made, then writes that time and the longest wait between two 10 ms ticks
// of the user-interface thread meanwhile. With QUELMARINE_PROBE_ADD=<picture> it adds that
// picture half a second after the first frame, as "Add Image" does, and writes the time it
// was added, the time its row appeared and the longest wait from the add until then.

#include "desktop/app/AquariumApp.h"
#include "desktop/dialogs/CustomBackgroundDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

quelmarine::CustomBackgroundDialog* backgroundDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<quelmarine::CustomBackgroundDialog*>(w))
            return d;
    return nullptr;
}

// Measures the longest gap between ticks of a 10 ms timer until `done` holds; then prints the
// time ("done") and the gap ("longest"), and ends the process.
void watchUntil(std::function<bool()> done) {
    auto* ticks = new QTimer;
    auto* last = new long long(now());
    auto* longest = new long long(0);
    QObject::connect(ticks, &QTimer::timeout, [=] {
        const long long t = now();
        if (t - *last > *longest)
            *longest = t - *last;
        *last = t;
        if (done()) {
            std::printf("done %lld\nlongest %lld\n", t, *longest);
            std::fflush(stdout);
            std::_Exit(0);
        }
    });
    ticks->start(10);
}

} // namespace

int main(int argc, char** argv) {
    quelmarine::AquariumApp::prepareBeforeApplication();
    QApplication app(argc, argv);
    quelmarine::AquariumApp::nameApplication();
    quelmarine::AquariumApp aquarium;
    const char* pictures = std::getenv("QUELMARINE_PROBE_PICTURES");
    const char* add = std::getenv("QUELMARINE_PROBE_ADD");
    const bool started = aquarium.InitInstance([=] {
        std::printf("%lld\n", now());
        std::fflush(stdout);
        quelmarine::CustomBackgroundDialog* dialog = backgroundDialog();
        if (pictures && dialog) {
            const std::size_t count = std::size_t(std::atoi(pictures));
            watchUntil([=] {
                return dialog->pictures().rows().size() >= count &&
                       dialog->pictures().pending() == 0;
            });
        } else if (add && dialog) {
            QTimer::singleShot(500, [=] {
                const std::size_t before = dialog->pictures().rows().size();
                std::printf("added %lld\n", now());
                std::fflush(stdout);
                dialog->addImageFile(QString::fromLocal8Bit(add));
                watchUntil([=] { return dialog->pictures().rows().size() > before; });
            });
        } else {
            std::_Exit(0);
        }
    });
    return started ? app.exec() : 1;
}
