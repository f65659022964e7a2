// The main window: frame and menu bar, the calendar page, the lore panel and
// information line, the tray, and the rules of showing, hiding and exiting.
#pragma once

#include "app/SettingsOwner.h"
#include "astro/LocalTime.h"
#include "texts/LorePicks.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace selenara {

class AboutBox;
class CalendarView;
class HoverLabel;
class LorePanels;
class OptionsDialog;
class Tray;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Whether the desktop has a system tray; asked once, when first needed.
    using TrayCheck = std::function<bool()>;

    // Loads the settings from `store` first; writes them back there once,
    // at a regular exit. Messages of the store go to `report`.
    MainWindow(const ZoneClock& clock, SettingsStore& store, SettingsMessage report,
               TrayCheck trayAvailable);
    ~MainWindow() override;

    // Shows and raises the window; a hidden window comes back on today's month.
    void Restore();
    // The two exit commands: write the settings and end the program.
    void Exit();
    // Shows or hides the panels and moves everything below them.
    void ArrangePanels();
    // Runs the options dialog modally on the current settings; OK hands what
    // it stored to the owner.
    void OpenOptions();

    CalendarView& Calendar() { return *calendar_; }
    LorePanels& Panels() { return *panels_; }
    // Made after the window's first paint, or when first asked for.
    Tray& TrayIcon();
    // The owner's record itself, for tests that set a value and then call
    // ArrangePanels or a pick; nothing is announced. The program changes
    // the settings through the owner.
    UserSettings& Settings() { return settings_.record_; }
    OptionsDialog& Options();
    AboutBox& About();

    // Watches the application for the end of the session: the session
    // manager ends it with a Quit event, which must close the window rather
    // than hide it to the tray (and write nothing). Nothing else, not a
    // log-off that was asked about and then cancelled, changes what a close
    // does. Never consumes the event.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PlaceMenuInTabOrder();
    void ShowSequence();
    void ShowDayHint(int day, QPoint anchor);
    void SetLanguageTexts();
    // A new language: captions, weekday order and clock style, the grid (the
    // panels pick their new texts themselves).
    void ApplyLanguage();
    void HideToTray();
    bool TrayAvailable();

    const ZoneClock& clock_;
    TrayCheck trayCheck_;
    std::optional<bool> trayAvailable_;
    SettingsOwner settings_;
    bool exitFlag_ = false;
    bool quitting_ = false;  // while a Quit event closes the windows
    bool shownOnce_ = false;
    SeededRandom random_;

    QLabel* imgHintergrund_ = nullptr;
    QLabel* imgHintergrundLore_ = nullptr;
    QLabel* imgUntenText_ = nullptr;
    QLabel* imgUntenKeinText_ = nullptr;
    HoverLabel* menuLabels_[3] = {};  // lblBeenden, lblOptionen, lblUeber
    CalendarView* calendar_ = nullptr;
    LorePanels* panels_ = nullptr;
    Tray* tray_ = nullptr;
    AboutBox* about_ = nullptr;
    OptionsDialog* options_ = nullptr;
};

}  // namespace selenara
