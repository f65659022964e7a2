// The tray icon with the moon age of today, its menu (Restore, Exit), and
// the 10-second timer that renews icon and tip when the date changes.
#pragma once

#include "astro/LocalTime.h"
#include "texts/TextTable.h"

#include <QObject>
#include <QTimer>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace selenara {

class Tray : public QObject {
    Q_OBJECT
public:
    // `language` is that of the tip after the first change of date.
    Tray(QObject* parent, const ZoneClock& clock, LanguageId language);
    ~Tray() override;

    // "Restore" is offered exactly while the window is hidden.
    void SetWindowHidden(bool hidden);
    bool RestoreOffered() const;
    QString ToolTip() const;
    int IconNumber() const { return iconNumber_; }
    // The timer's work: icon and tip of the new day when the date changed.
    void Refresh();
    // The tip takes the new language at the next change of date.
    void SetLanguage(LanguageId language) { language_ = language; }

signals:
    void restoreRequested();
    void exitRequested();

private:
    void SetIcon(DayNumber day);

    const ZoneClock& clock_;
    LanguageId language_;
    QSystemTrayIcon* icon_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* miWiederherstellen_ = nullptr;
    QTimer tmrUpdate_;
    DayNumber trayDay_ = InvalidDay;
    int iconNumber_ = 0;
};

}  // namespace selenara
