// One session of the program on the real settings store, for the tests of
// damaged and unwritable settings files: the main window starts on a fixed
// clock, shows, and ends through Exit. Prints the fourteen values it loaded
// as "loaded KEY=TEXT", every message as "message TEXT", and "exited" once
// the event loop has ended. Exit status 0 then.
#include "app/MainWindow.h"
#include "settings/QtSettingsStore.h"
#include "support/FixedClock.h"
#include "support/MemoryStore.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const selenara::testing::FixedClock clock(selenara::testing::WinterNoon(), selenara::testing::EuropeBerlin);
    selenara::QtSettingsStore store(selenara::UserSettingsFile());
    const auto report = [](const std::string& message) { std::printf("message %s\n", message.c_str()); };
    selenara::MainWindow window(clock, store, report, [] { return true; });

    // The loaded record, encoded as it would be stored.
    selenara::testing::MemoryStore loaded;
    selenara::SaveSettings(window.Settings(), loaded, [](const std::string&) {});
    for (const auto& [key, value] : loaded.values) std::printf("loaded %s=%s\n", key.c_str(), value.Text.c_str());

    window.show();
    QTimer::singleShot(0, &window, &selenara::MainWindow::Exit);
    QApplication::exec();
    std::printf("exited\n");
    return 0;
}
