// Starts the program as `quelmarine` does and, with the tank running, opens the Fish Settings
// dialog several times the way the user does: a right click opens the popup menu and a click
// on "  Add/Delete Fish" chooses it. For each opening it writes one line: the milliseconds from
// that click (its release) to the end of the dialog's first paint on the screen. The first line
// is the first opening of the run.

#include "desktop/app/AquariumApp.h"
#include "desktop/dialogs/FishSettingsDialog.h"
#include "desktop/view/AquariumView.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kOpenings = 9;

// Times the first paint of each dialog and closes the dialog right after it.
class FirstPaintWatch : public QObject {
  public:
    Clock::time_point commandAt;
    double lastMs = -1;
    bool painting = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<quelmarine::FishSettingsDialog*>(watched);
        if (!dialog || event->type() != QEvent::Paint || lastMs >= 0 || painting)
            return false;
        painting = true; // the paint itself, then the time
        QCoreApplication::sendEvent(dialog, event);
        painting = false;
        lastMs = std::chrono::duration<double, std::milli>(Clock::now() - commandAt).count();
        QTimer::singleShot(0, dialog, &QDialog::reject);
        return true;
    }
};

// Clicks the fifth item of the open popup menu (left press and release on its middle).
void clickAddDeleteFish(FirstPaintWatch& watch) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || menu->actions().size() < 5)
        std::_Exit(1);
    const QPoint point = menu->actionGeometry(menu->actions()[4]).center();
    const QPoint global = menu->mapToGlobal(point);
    QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(menu, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                        {});
    watch.commandAt = Clock::now();
    QCoreApplication::sendEvent(menu, &release);
}

quelmarine::AquariumView* findView() {
    for (QWindow* window : QGuiApplication::allWindows())
        if (auto* view = qobject_cast<quelmarine::AquariumView*>(window))
            return view;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    quelmarine::AquariumApp::prepareBeforeApplication();
    QApplication app(argc, argv);
    quelmarine::AquariumApp::nameApplication();
    quelmarine::AquariumApp aquarium;
    FirstPaintWatch watch;
    app.installEventFilter(&watch);
    const bool started = aquarium.InitInstance([&] {
        // Let the tank run for a moment, then open the dialog again and again.
        QTimer::singleShot(1500, [&] {
            quelmarine::AquariumView* view = findView();
            if (!view)
                std::_Exit(1);
            for (int i = 0; i < kOpenings; ++i) {
                watch.lastMs = -1;
                QTimer::singleShot(300, [&] { clickAddDeleteFish(watch); });
                view->mouseHandling().OnRButtonDown(QPoint(300, 200));
                std::printf("%.3f\n", watch.lastMs);
                std::fflush(stdout);
                QEventLoop loop;
                QTimer::singleShot(300, &loop, &QEventLoop::quit);
                loop.exec();
            }
            std::_Exit(0);
        });
    });
    return started ? app.exec() : 1;
}
