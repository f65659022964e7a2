// Where the window's start goes: the start sequence of the program, step by
// step, with the monotonic clock after each step (ms since main), up to the
// first paint and its flush. With --split, the font lookups (the first one
// loads the font configuration) and the artwork decoding are timed on their
// own before the window is built, so that its construction shows what
// remains; with --bare, this same program shows a bare black window instead,
// which tells the cost of what is linked in from the cost of the window. Run
// under selenara_xprobe paint to see the time before main as well (the
// "main" line against its start).
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "platform/SystemClock.h"
#include "settings/QtSettingsStore.h"
#include "toolkit/JpegImage.h"
#include "toolkit/Look.h"
#include "Version.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <future>
#include <memory>

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

const double mainEntry = NowMs();
double last = mainEntry;

void Mark(const char* step) {
    const double now = NowMs();
    std::printf("%-34s %8.2f ms  (+%.2f)\n", step, now - mainEntry, now - last);
    std::fflush(stdout);
    last = now;
}

// The first paint of the window, and the moment after it and its flush.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            Mark("first paint event");
            QTimer::singleShot(0, [] { Mark("first paint done and flushed"); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::printf("main monotonic_ms=%.3f\n", mainEntry);
    const bool split = argc > 1 && !std::strcmp(argv[1], "--split");
    const bool bare = argc > 1 && !std::strcmp(argv[1], "--bare");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vandrel"));
    QApplication::setApplicationName(QStringLiteral("Selenara"));
    QApplication::setApplicationVersion(QString::fromLatin1(selenara::ProgramRelease));
    QApplication::setQuitOnLastWindowClosed(false);
    Mark("QApplication");
    // As the program does: the window's fonts are looked up on a thread of
    // their own (not with --split, which times them one by one).
    std::future<void> fonts;
    if (!bare && !split) fonts = std::async(std::launch::async, selenara::look::LoadWindowFonts);

    selenara::SingleInstance guard(selenara::SingleInstance::DefaultName());
    if (!guard.TryBecomePrimary()) return 0;
    Mark("single instance");

    const selenara::SystemClock clock;
    const std::unique_ptr<selenara::SettingsStore> store = selenara::OpenUserSettingsStore();
    Mark("clock and settings store");

    FirstPaint firstPaint;
    if (bare) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Selenara ") + QString::fromLatin1(selenara::ProgramVersion));
        window.setFixedSize(498, 523);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Qt::black);
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.installEventFilter(&firstPaint);
        window.show();
        Mark("show (bare window)");
        return QApplication::exec();
    }

    if (split) {
        (void)QFontMetrics(QApplication::font()).lineSpacing();
        Mark("default font looked up");
        (void)QFontMetrics(selenara::look::WindowFont()).lineSpacing();
        Mark("window font looked up");
        (void)QFontMetrics(selenara::look::WindowFont(true)).lineSpacing();
        Mark("bold window font looked up");
        for (const char* name : {"background.jpg", "background_lore.jpg", "strip_text.jpg", "strip_notext.jpg"})
            (void)QPixmap::fromImage(selenara::LoadArtwork(name));
        Mark("4 pictures decoded (2 again in window)");
    }

    // As the program does: the tray is looked for after the first paint.
    selenara::MainWindow window(clock, *store, [](const std::string&) {},
                                [] { return QSystemTrayIcon::isSystemTrayAvailable(); });
    Mark("MainWindow constructed");
    std::printf("  (%lld widgets)\n", static_cast<long long>(window.findChildren<QWidget*>().size()));
    window.installEventFilter(&firstPaint);
    window.show();
    Mark("show (show sequence)");
    return QApplication::exec();
}
