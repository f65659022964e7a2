#include "dialogs/OptionsDialog.h"

#include "dialogs/CityCompleter.h"
#include "settings/LocationTable.h"
#include "texts/TextIds.h"
#include "texts/TextTable.h"
#include "toolkit/FlatComboBox.h"
#include "toolkit/FramedButton.h"
#include "toolkit/Look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOption>

namespace selenara {
namespace {

const QColor DisabledGrey{144, 144, 144};

// Check boxes on black: a white-edged black box with a light blue tick;
// the platform's own box would draw a dark tick on a light field.
class CheckStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorCheckBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool enabled = option->state & State_Enabled;
        const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->fillRect(option->rect, look::Black);
        painter->setPen(QPen(enabled ? look::White : DisabledGrey, 1));
        painter->drawRect(box);
        if (option->state & (State_On | State_NoChange)) {
            QPen tick(enabled ? look::LightBlue : DisabledGrey, 1.8);
            tick.setCapStyle(Qt::RoundCap);
            tick.setJoinStyle(Qt::RoundJoin);
            painter->setPen(tick);
            const QPointF o = box.topLeft();
            const QPointF points[] = {o + QPointF(2.8, 6.2), o + QPointF(5.0, 8.6), o + QPointF(9.4, 3.2)};
            painter->drawPolyline(points, 3);
        }
        painter->restore();
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight) return 13;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// White on black; light blue marks the focused field and the selection.
const FlatLook ListLook{.Text = look::White,
                        .Background = look::Black,
                        .Border = look::White,
                        .Selection = look::LightBlue,
                        .SelectedText = look::Black,
                        .FocusBorder = look::LightBlue,
                        .ArrowBox = 15};

// The desktop's colours, every one marked as set so that none is taken over
// from the black list around: the long country list's scroll bar stands out light.
QPalette DesktopColours() {
    QPalette own = QApplication::palette();
    own.setResolveMask(~QPalette::ResolveMask{0});
    return own;
}

QString EditSheet() {
    return QStringLiteral(
               "QLineEdit { background: black; color: white; border: 1px solid white; padding: 0px 2px;"
               " selection-background-color: %1; selection-color: black; }"
               "QLineEdit:focus { border-color: %1; }")
        .arg(look::LightBlue.name());
}

QString Text(int id, LanguageId language) { return QString::fromStdString(TextById(id, language)); }

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent, const UserSettings& settings)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      settings_(settings) {
    // The client area: with a usual frame the outer size is about 425 x 331.
    setFixedSize(419, 305);
    setFont(look::WindowFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, look::Black);
    p.setColor(QPalette::WindowText, look::White);
    p.setColor(QPalette::Disabled, QPalette::WindowText, DisabledGrey);
    setPalette(p);
    setAutoFillBackground(true);

    auto* checkStyle = new CheckStyle;  // owned from the end of the constructor

    // Frames first: the controls created later lie above them.
    const auto frame = [this](int x, int y, int w, int h) {
        auto* f = new QFrame(this);
        f->setFrameStyle(QFrame::Box | QFrame::Plain);  // drawn in the white window text colour
        f->setLineWidth(1);
        f->setGeometry(x, y, w, h);
    };
    frame(8, 8, 201, 130);     // lore
    frame(207, 8, 201, 130);   // information
    frame(8, 137, 401, 80);    // location
    frame(8, 216, 201, 33);    // tray
    frame(208, 216, 201, 33);  // language

    const auto checkBox = [checkStyle](QWidget* parent, const QString& name, QRect r) {
        auto* box = new QCheckBox(parent);
        box->setObjectName(name);
        box->setStyle(checkStyle);
        box->setGeometry(r);
        return box;
    };
    const auto group = [this](const char* name, QRect r) {
        auto* g = new QWidget(this);
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(r);
        return g;
    };
    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };

    cbZeigLore_ = checkBox(this, QStringLiteral("cbZeigLore"), {16, 16, 189, 17});
    cbgLore_ = group("cbgLore", {24, 32, 183, 57});
    for (int i = 0; i < 2; ++i)
        loreItems_[i] = checkBox(cbgLore_, QStringLiteral("cbgLore%1").arg(i), {0, 2 + 20 * i, 183, 17});
    cbZeigTextUnten_ = checkBox(this, QStringLiteral("cbZeigTextUnten"), {216, 16, 189, 17});
    cbgTextUnten_ = group("cbgTextUnten", {224, 32, 183, 105});
    for (int i = 0; i < 4; ++i)
        infoItems_[i] = checkBox(cbgTextUnten_, QStringLiteral("cbgTextUnten%1").arg(i), {0, 2 + 20 * i, 183, 17});

    lblStandort_ = label("lblStandort");
    lblStandort_->move(72, 144);
    lblLand_ = label("lblLand");
    cbLand_ = new FlatComboBox(this, ListLook);
    cbLand_->setObjectName(QStringLiteral("cbLand"));
    cbLand_->setGeometry(72, 184, 100, 21);
    cbLand_->view()->verticalScrollBar()->setPalette(DesktopColours());
    for (int i = 0; i < CountryCount; ++i) cbLand_->addItem(QString());
    lblStadt_ = label("lblStadt");
    edStadt_ = new CityEdit(this);
    edStadt_->setObjectName(QStringLiteral("edStadt"));
    edStadt_->setGeometry(192, 184, 137, 21);
    edStadt_->setStyleSheet(EditSheet());

    cbStartMinimized_ = checkBox(this, QStringLiteral("cbStartMinimized"), {16, 224, 177, 18});
    cbStartMinimized_->setEnabled(false);  // stored and shown only
    lblSprache_ = label("lblSprache");
    lblSprache_->setGeometry(224, 226, 57, 15);
    lblSprache_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cbSprache_ = new FlatComboBox(this, ListLook);
    cbSprache_->setObjectName(QStringLiteral("cbSprache"));
    cbSprache_->setGeometry(288, 222, 100, 21);
    cbSprache_->addItem(QString());
    cbSprache_->addItem(QString());

    // A screen reader names the lists and the field by their captions.
    lblLand_->setBuddy(cbLand_);
    lblStadt_->setBuddy(edStadt_);
    lblSprache_->setBuddy(cbSprache_);

    // OK, also for Enter, and Cancel, also for Escape (QDialog's keys).
    const auto button = [this](const char* name, int x) {
        auto* b = new FramedButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 264, 75, 25);
        return b;
    };
    btnOK_ = button("btnOK", 72);
    btnOK_->setDefault(true);
    btnAbbruch_ = button("btnAbbruch", 280);

    // The last child: destroyed after the check boxes that use it.
    checkStyle->setParent(this);

    connect(cbZeigLore_, &QCheckBox::toggled, cbgLore_, &QWidget::setVisible);
    connect(cbZeigTextUnten_, &QCheckBox::toggled, cbgTextUnten_, &QWidget::setVisible);
    connect(cbLand_, &QComboBox::currentIndexChanged, this, &OptionsDialog::OnCountryChosen);
    connect(cbSprache_, &QComboBox::currentIndexChanged, this, &OptionsDialog::OnLanguageChosen);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnAbbruch_, &QPushButton::clicked, this, &QDialog::reject);

    UpdateCaptions();
}

int OptionsDialog::Open(const UserSettings& settings) {
    settings_ = settings;
    Load();
    return exec();
}

void OptionsDialog::Load() {
    loading_ = true;
    UpdateCaptions();
    cbStartMinimized_->setEnabled(false);
    const TSettings& s = settings_.Settings;
    cbZeigLore_->setChecked(s.ShowLore);
    loreItems_[0]->setChecked(s.LoreMoonLore);
    loreItems_[1]->setChecked(s.LoreMoonTrivia);
    cbZeigTextUnten_->setChecked(s.ShowInfoText);
    infoItems_[0]->setChecked(s.InfoQuickFacts);
    infoItems_[1]->setChecked(s.InfoTraditionalNames);
    infoItems_[2]->setChecked(s.InfoCelticNames);
    infoItems_[3]->setChecked(s.InfoMedievalNames);
    cbgLore_->setVisible(s.ShowLore);  // toggled does not fire for an unchanged box
    cbgTextUnten_->setVisible(s.ShowInfoText);
    // The country without its change handler, then the stored city: a
    // country change would put the country's first place in the field.
    const int position = PositionOfSlot(s.CountrySlot);
    {
        const QSignalBlocker block(cbLand_);
        cbLand_->setCurrentIndex(position);
    }
    edStadt_->SetNames(CityNames(SlotOfPosition(position)));
    edStadt_->setText(QString::fromStdString(s.City));
    cbStartMinimized_->setChecked(s.StartInTray);
    cbSprache_->setCurrentIndex(settings_.Language - 1);
    loading_ = false;
}

void OptionsDialog::UpdateCaptions() {
    const LanguageId language = settings_.Language;
    setWindowTitle(Text(textid::OptionsTitle, language));
    cbZeigLore_->setText(Text(textid::ShowLoreCaption, language));
    cbZeigTextUnten_->setText(Text(textid::ShowInfoCaption, language));
    btnOK_->setText(Text(textid::OkCaption, language));
    btnAbbruch_->setText(Text(textid::CancelCaption, language));
    cbStartMinimized_->setText(Text(textid::StartInTrayCaption, language));
    // A check box for each kind the table names, in its order.
    static_assert(std::tuple_size_v<decltype(loreItems_)> == textid::LoreKindsCount);
    static_assert(std::tuple_size_v<decltype(infoItems_)> == textid::InfoKindsCount);
    for (int i = 0; i < textid::LoreKindsCount; ++i) loreItems_[i]->setText(Text(textid::LoreKinds + i, language));
    for (int i = 0; i < textid::InfoKindsCount; ++i) infoItems_[i]->setText(Text(textid::InfoKinds + i, language));
    lblStandort_->setText(Text(textid::LocationCaption, language));
    lblStandort_->adjustSize();
    lblLand_->setText(Text(textid::CountryCaption, language));
    PlaceCaptionAbove(lblLand_, cbLand_);
    lblStadt_->setText(Text(textid::CityCaption, language));
    PlaceCaptionAbove(lblStadt_, edStadt_);
    lblSprache_->setText(Text(textid::LanguageCaption, language));
    for (int i = 0; i < textid::LanguageNamesCount; ++i)
        cbSprache_->setItemText(i, Text(textid::LanguageNames + i, language));
    // Item texts in place: the selection, and so the city typed, stay.
    for (int i = 0; i < CountryCount; ++i)
        cbLand_->setItemText(i, QString::fromStdString(CountryName(i, language)));
}

void OptionsDialog::PlaceCaptionAbove(QLabel* caption, const QWidget* control) {
    caption->adjustSize();
    caption->move(control->x(), control->y() - caption->height() - 3);
}

void OptionsDialog::OnCountryChosen(int position) {
    if (loading_) return;
    const int slot = SlotOfPosition(position);
    const std::vector<std::string>& names = CityNames(slot);
    edStadt_->SetNames(names);
    edStadt_->setText(names.empty() ? QString() : QString::fromStdString(names.front()));
}

void OptionsDialog::OnLanguageChosen(int index) {
    if (loading_ || index < 0) return;
    settings_.Language = static_cast<LanguageId>(index + 1);
    UpdateCaptions();
    emit languageChanged(settings_.Language);
}

void OptionsDialog::Store() {
    TSettings& s = settings_.Settings;
    s.ShowLore = cbZeigLore_->isChecked();
    s.ShowInfoText = cbZeigTextUnten_->isChecked();
    // Hidden groups are read too: hiding a panel keeps its categories.
    s.LoreMoonLore = loreItems_[0]->isChecked();
    s.LoreMoonTrivia = loreItems_[1]->isChecked();
    s.InfoQuickFacts = infoItems_[0]->isChecked();
    s.InfoTraditionalNames = infoItems_[1]->isChecked();
    s.InfoCelticNames = infoItems_[2]->isChecked();
    s.InfoMedievalNames = infoItems_[3]->isChecked();
    s.CountrySlot = SlotOfPosition(cbLand_->currentIndex());  // no selection: Germany
    // A city that matches no place of the country keeps the stored city and
    // its coordinates, while the new country is stored all the same.
    if (const auto entry = LookupCity(s.CountrySlot, edStadt_->text().toStdString())) {
        s.City = entry->Name;
        s.Longitude = entry->Longitude;
        s.Latitude = entry->Latitude;
    }
    s.StartInTray = cbStartMinimized_->isChecked();
}

void OptionsDialog::done(int result) {
    if (result == QDialog::Accepted) Store();
    QDialog::done(result);
}

}  // namespace selenara
