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
    // The dialog works on a copy of `settings`.
    OptionsDialog(QWidget* parent, const UserSettings& settings);

    // Takes `settings`, loads the controls from them, then runs the dialog
    // modally: QDialog::Accepted for OK, Rejected for Cancel or close.
    int Open(const UserSettings& settings);
    // Loads the controls from Settings() (what Open does before it runs).
    void Load();
    // The dialog's copy: the language as last chosen and, after OK, what
    // the controls hold.
    const UserSettings& Settings() const { return settings_; }

signals:
    // A language was chosen; the dialog's captions have taken it already.
    void languageChanged(LanguageId language);

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

    UserSettings settings_;
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
