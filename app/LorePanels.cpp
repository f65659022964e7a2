#include "app/LorePanels.h"

#include "app/SettingsOwner.h"
#include "texts/TextIds.h"
#include "toolkit/FlatScrollBar.h"
#include "toolkit/JpegImage.h"
#include "toolkit/Look.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace selenara {
namespace {

// Texts break lines at a carriage return; the labels break at a newline.
QString Displayed(const std::string& text) {
    return QString::fromStdString(text).replace(u'\r', u'\n');
}

QLabel* WhiteText(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(look::WindowFont());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setCursor(Qt::PointingHandCursor);
    look::SetTextColor(*label, look::White);
    return label;
}

}  // namespace

LorePanels::LorePanels(QWidget* parent, const SettingsOwner& settings, RandomSource& random)
    : QObject(parent), settings_(settings), random_(random) {
    pfLore_ = new QLabel(parent);
    pfLore_->setGeometry(8, 26, 482, 75);
    pfLore_->setPixmap(QPixmap::fromImage(LoadArtwork("lore_fill.jpg")));
    sbLore_ = new QScrollArea(pfLore_);
    sbLore_->setObjectName(QStringLiteral("sbLore"));
    sbLore_->setGeometry(0, 0, 482, 75);
    sbLore_->setFrameShape(QFrame::NoFrame);
    sbLore_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Flat and without arrow buttons; the box and the text's page let the
    // picture show through.
    MakeFlat(*sbLore_->verticalScrollBar(), {look::LoreScrollTrack, look::LoreScrollHandle});
    sbLore_->viewport()->setAutoFillBackground(false);
    sbLore_->viewport()->setCursor(Qt::PointingHandCursor);
    auto* content = new QWidget;
    content->setAttribute(Qt::WA_TranslucentBackground);
    lblLore_ = WhiteText(content);
    lblLore_->move(4, 4);
    sbLore_->setWidget(content);
    content->setAutoFillBackground(false);  // which setWidget turned on
    lblTextUnten_ = WhiteText(parent);
    // Two lines of text at the most: the rest is cut off.
    lblTextUnten_->setFixedSize(482, 28);
    lblLore_->installEventFilter(this);
    sbLore_->viewport()->installEventFilter(this);
    lblTextUnten_->installEventFilter(this);
    connect(&settings_, &SettingsOwner::languageChanged, this, &LorePanels::ShowNewTexts);
    connect(&settings_, &SettingsOwner::settingsApplied, this, &LorePanels::ShowNewTexts);
}

bool LorePanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == lblTextUnten_) ShowNewInfoText();
        else ShowNewLore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void LorePanels::ShowNewLore() {
    const UserSettings& u = settings_.Current();
    if (!u.Settings.ShowLore) return;
    lblLore_->setText(Displayed(PickLoreText(LoreCategoriesOf(u.Settings), picks_, random_, u.Language)));
    // Tab stops at the box, so that the text can be scrolled: a screen
    // reader names it by the first kind's caption ("Moon Lore") and reads
    // the text with it.
    sbLore_->setAccessibleName(QString::fromStdString(TextById(textid::LoreKinds, u.Language)));
    sbLore_->setAccessibleDescription(lblLore_->text());
    // Wrapped at 453 pixels, the label grows downwards and the box scrolls.
    lblLore_->setFixedWidth(453);
    lblLore_->setFixedHeight(lblLore_->heightForWidth(453));
    lblLore_->parentWidget()->setFixedSize(470, lblLore_->height() + 8);
    sbLore_->verticalScrollBar()->setValue(0);
}

void LorePanels::ShowNewInfoText() {
    const UserSettings& u = settings_.Current();
    if (!u.Settings.ShowInfoText) return;
    lblTextUnten_->setText(Displayed(PickInfoText(InfoCategoriesOf(u.Settings), picks_, random_, u.Language)));
}

void LorePanels::ShowNewTexts() {
    ShowNewLore();
    ShowNewInfoText();
}

void LorePanels::Arrange(int infoTop) {
    const TSettings& s = settings_.Current().Settings;
    pfLore_->setVisible(s.ShowLore);
    lblTextUnten_->setVisible(s.ShowInfoText);
    lblTextUnten_->move(9, infoTop);
}

QString LorePanels::LoreText() const { return lblLore_->text(); }
QString LorePanels::InfoText() const { return lblTextUnten_->text(); }

}  // namespace selenara
