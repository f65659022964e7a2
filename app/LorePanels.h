// The lore panel above the calendar and the information line below it,
// each showing a randomly picked text that a click replaces.
#pragma once

#include "texts/LorePicks.h"
#include "texts/TextTable.h"

#include <QObject>

class QLabel;
class QScrollArea;
class QWidget;

namespace selenara {

class SettingsOwner;

class LorePanels : public QObject {
    Q_OBJECT
public:
    // The settings are read at every pick; a new language and the options'
    // OK bring new texts. `settings` and `random` must outlive the panels.
    LorePanels(QWidget* parent, const SettingsOwner& settings, RandomSource& random);

    // A new lore text, when the lore panel is on.
    void ShowNewLore();
    // A new information text, when the information line is on.
    void ShowNewInfoText();
    // Both, lore first.
    void ShowNewTexts();
    // Visibility from the settings; infoTop is the information line's top.
    void Arrange(int infoTop);

    const PickState& Picks() const { return picks_; }
    QString LoreText() const;
    QString InfoText() const;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    const SettingsOwner& settings_;
    RandomSource& random_;
    PickState picks_;
    QLabel* pfLore_ = nullptr;
    QScrollArea* sbLore_ = nullptr;
    QLabel* lblLore_ = nullptr;
    QLabel* lblTextUnten_ = nullptr;
};

}  // namespace selenara
