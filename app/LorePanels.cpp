#include "app/LorePanels.h"

#include "texts/TextIds.h"
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

LorePanels::LorePanels(QWidget* parent, const TSettings& settings, const std::uint8_t& language,
                       RandomSource& random)
    : QObject(parent), settings_(settings), language_(language), random_(random) {
    pfLore_ = new QLabel(parent);
    pfLore_->setGeometry(8, 26, 482, 75);
    pfLore_->setPixmap(QPixmap::fromImage(LoadArtwork("lore_fill.jpg")));
    sbLore_ = new QScrollArea(pfLore_);
    sbLore_->setObjectName(QStringLiteral("sbLore"));
    sbLore_->setGeometry(0, 0, 482, 75);
    sbLore_->setFrameShape(QFrame::NoFrame);
    sbLore_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbLore_->setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"
        "QScrollBar:vertical { background: #05081a; width: 12px; }"
        "QScrollBar::handle:vertical { background: #2a3a70; min-height: 12px; }"));
    sbLore_->viewport()->setAutoFillBackground(false);
    sbLore_->viewport()->setCursor(Qt::PointingHandCursor);
    auto* content = new QWidget;
    content->setAttribute(Qt::WA_TranslucentBackground);
    lblLore_ = WhiteText(content);
    lblLore_->move(4, 4);
    sbLore_->setWidget(content);
    lblTextUnten_ = WhiteText(parent);
    // Two lines of text at the most: the rest is cut off.
    lblTextUnten_->setFixedSize(482, 28);
    lblLore_->installEventFilter(this);
    sbLore_->viewport()->installEventFilter(this);
    lblTextUnten_->installEventFilter(this);
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
    if (!settings_.ShowLore) return;
    lblLore_->setText(Displayed(PickLoreText(LoreCategoriesOf(settings_), picks_, random_, language_)));
    // Tab stops at the box, so that the text can be scrolled: a screen
    // reader names it by the first kind's caption ("Moon Lore") and reads
    // the text with it.
    sbLore_->setAccessibleName(QString::fromStdString(TextById(textid::LoreKinds, language_)));
    sbLore_->setAccessibleDescription(lblLore_->text());
    // Wrapped at 453 pixels, the label grows downwards and the box scrolls.
    lblLore_->setFixedWidth(453);
    lblLore_->setFixedHeight(lblLore_->heightForWidth(453));
    lblLore_->parentWidget()->setFixedSize(470, lblLore_->height() + 8);
    sbLore_->verticalScrollBar()->setValue(0);
}

void LorePanels::ShowNewInfoText() {
    if (!settings_.ShowInfoText) return;
    lblTextUnten_->setText(Displayed(PickInfoText(InfoCategoriesOf(settings_), picks_, random_, language_)));
}

void LorePanels::Arrange(int infoTop) {
    pfLore_->setVisible(settings_.ShowLore);
    lblTextUnten_->setVisible(settings_.ShowInfoText);
    lblTextUnten_->move(9, infoTop);
}

QString LorePanels::LoreText() const { return lblLore_->text(); }
QString LorePanels::InfoText() const { return lblTextUnten_->text(); }

}  // namespace selenara
