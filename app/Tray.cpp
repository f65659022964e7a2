#include "app/Tray.h"

#include "model/PhaseDays.h"
#include "texts/Captions.h"
#include "toolkit/MoonIcons.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace selenara {

Tray::Tray(QObject* parent, const ZoneClock& clock, LanguageId language)
    : QObject(parent), clock_(clock), language_(language) {
    menu_ = new QMenu;
    miWiederherstellen_ = menu_->addAction(QStringLiteral("Restore"));
    miWiederherstellen_->setVisible(false);
    QAction* exit = menu_->addAction(QStringLiteral("Exit"));
    connect(miWiederherstellen_, &QAction::triggered, this, &Tray::restoreRequested);
    connect(exit, &QAction::triggered, this, &Tray::exitRequested);

    icon_ = new QSystemTrayIcon(this);
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) emit restoreRequested();
    });
    // The tip names the program until the first change of date.
    trayDay_ = TodayDayNumber(clock_);
    SetIcon(trayDay_);
    icon_->setToolTip(QStringLiteral("Selenara"));
    icon_->show();

    tmrUpdate_.setInterval(10000);
    connect(&tmrUpdate_, &QTimer::timeout, this, &Tray::Refresh);
    tmrUpdate_.start();
}

Tray::~Tray() { delete menu_; }

void Tray::SetIcon(DayNumber day) {
    iconNumber_ = MondAlter(day, clock_);
    icon_->setIcon(TrayMoonIcon(iconNumber_));
}

void Tray::Refresh() {
    const DayNumber today = TodayDayNumber(clock_);
    if (today == trayDay_) return;
    SetIcon(today);
    icon_->setToolTip(QString::fromStdString(PhasenText(today, language_, clock_)));
    trayDay_ = today;
}

void Tray::SetWindowHidden(bool hidden) { miWiederherstellen_->setVisible(hidden); }
bool Tray::RestoreOffered() const { return miWiederherstellen_->isVisible(); }
QString Tray::ToolTip() const { return icon_->toolTip(); }

}  // namespace selenara
