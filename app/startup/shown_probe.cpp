#include "app/startup/shown_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace levywise {
namespace {

// Watches every paint of the application: a window whose children cover it
// whole is never painted itself, only its children are.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || seen_ || !watched->isWidgetType()) return false;
        if (static_cast<QWidget*>(watched)->window() != window_) return false;
        seen_ = true;
        // After this painting pass has reached the screen.
        QTimer::singleShot(0, this, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("levywise-shown-at-ns %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        return false;
    }

private:
    QWidget* window_;
    bool seen_ = false;
};

} // namespace

bool WantsExitWhenShown(const QStringList& arguments) {
    return arguments.contains(QString::fromLatin1(kExitWhenShownOption));
}

void ExitWhenShown(QWidget* window) {
    QCoreApplication::instance()->installEventFilter(new FirstPaintProbe(window));
}

} // namespace levywise
