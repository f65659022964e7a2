#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "platform/StandardDescriptors.h"
#include "platform/SystemClock.h"
#include "settings/QtSettingsStore.h"
#include "toolkit/Look.h"
#include "Version.h"

#include <QApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include <future>
#include <memory>

int main(int argc, char** argv) {
    selenara::OpenClosedStandardDescriptors();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vandrel"));
    QApplication::setApplicationName(QStringLiteral("Selenara"));
    QApplication::setApplicationVersion(QString::fromLatin1(selenara::ProgramRelease));
    QApplication::setQuitOnLastWindowClosed(false);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Selenara"));
    // Reading the font configuration is the longest step of the start: a
    // thread of its own does it while this one settles the single instance
    // and builds the window, whose text is first measured as it is shown.
    const std::future<void> fonts = std::async(std::launch::async, selenara::look::LoadWindowFonts);

    // A second start hands over to the first and ends, writing nothing.
    selenara::SingleInstance guard(selenara::SingleInstance::DefaultName());
    if (!guard.TryBecomePrimary()) return 0;

    const selenara::SystemClock clock;
    const std::unique_ptr<selenara::SettingsStore> store = selenara::OpenUserSettingsStore();
    const auto report = [](const std::string& message) {
        QMessageBox::warning(nullptr, QStringLiteral("Selenara"), QString::fromStdString(message));
    };
    selenara::MainWindow window(clock, *store, report, [] { return QSystemTrayIcon::isSystemTrayAvailable(); });
    QObject::connect(&guard, &selenara::SingleInstance::activationRequested, &window,
                     &selenara::MainWindow::Restore);
    window.show();
    return QApplication::exec();
}
