// The options dialog: which panels and categories are shown, the observer's
// country and city, the start in the tray (shown only) and the language.
#pragma once

#include "settings/Settings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace selenara {

class CityEdit;
class FramedButton;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // `settings` must outlive the dialog; it is read by Load and written at
    // OK, and its Language changes as soon as a language is chosen.
    OptionsDialog(QWidget* parent, UserSettings& settings);

    // Loads the controls from the settings, then runs the dialog modally:
    // QDialog::Accepted for OK, Rejected for Cancel or close.
    int Open();
    // Loads the controls from the settings (what Open does before it runs).
    void Load();

signals:
    // A language choice took effect (the settings' Language is already set).
    void languageChanged();

protected:
    // accept() (OK, Enter) writes the controls into the settings;
    // reject() (Cancel, Escape, close) writes nothing.
    void done(int result) override;

private:
    void UpdateCaptions();
    void Store();
    void OnCountryChosen(int position);
    void OnLanguageChosen(int index);
    void PlaceCaptionAbove(QLabel* caption, const QWidget* control);

    UserSettings& settings_;
    bool loading_ = false;

    QCheckBox* cbZeigLore_ = nullptr;
    QWidget* cbgLore_ = nullptr;
    std::array<QCheckBox*, 2> loreItems_{};
    QCheckBox* cbZeigTextUnten_ = nullptr;
    QWidget* cbgTextUnten_ = nullptr;
    std::array<QCheckBox*, 4> infoItems_{};
    QLabel* lblStandort_ = nullptr;
    QLabel* lblLand_ = nullptr;
    QComboBox* cbLand_ = nullptr;
    QLabel* lblStadt_ = nullptr;
    CityEdit* edStadt_ = nullptr;
    QCheckBox* cbStartMinimized_ = nullptr;
    QLabel* lblSprache_ = nullptr;
    QComboBox* cbSprache_ = nullptr;
    FramedButton* btnOK_ = nullptr;
    FramedButton* btnAbbruch_ = nullptr;
};

}  // namespace selenara
