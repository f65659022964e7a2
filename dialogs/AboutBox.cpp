#include "dialogs/AboutBox.h"

#include "texts/TextIds.h"
#include "toolkit/Look.h"
#include "Version.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QPalette>

#include <type_traits>

namespace selenara {
namespace {

// The window font at 9 pt (12 pixels); 8 pt is the font unchanged.
QFont CaptionFont(int points, bool bold) {
    QFont font = look::WindowFont(bold);
    if (points == 9) font.setPixelSize(12);
    return font;
}

// A caption, or a link (a HoverLabel), whose text lies where a caption's would,
// inside its focus margin.
template <class Label>
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): left, top as QWidget::move takes them
void Place(Label& label, const char* name, int left, int top, int points, bool bold) {
    label.setObjectName(QLatin1String(name));
    label.setFont(CaptionFont(points, bold));
    if constexpr (std::is_same_v<Label, HoverLabel>) {
        label.PlaceText(left, top);
    } else {
        label.setTextFormat(Qt::PlainText);  // texts come from the table, never markup
        label.move(left, top);
    }
}

}  // namespace

AboutBox::UrlOpener AboutBox::DefaultUrlOpener() {
    // Fire and forget: a missing browser or mail program leaves the box as it is.
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

AboutBox::AboutBox(QWidget* parent, LanguageId language, UrlOpener opener)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      language_(language),
      opener_(std::move(opener)) {
    setFixedSize(261, 188);
    QPalette p = palette();
    p.setColor(QPalette::Window, look::Black);
    setPalette(p);
    setAutoFillBackground(true);

    lblVersionTxt_ = new QLabel(this);
    lblVersion_ = new QLabel(this);
    lblWebsiteTxt_ = new QLabel(this);
    lblWebsite_ = new HoverLabel(this);
    lblMehrSoftware_ = new HoverLabel(this);
    lblSupportTxt_ = new QLabel(this);
    lblSupport_ = new HoverLabel(this);
    lblCopyright_ = new QLabel(this);

    Place(*lblVersionTxt_, "lblVersionTxt", 12, 12, 9, false);
    Place(*lblVersion_, "lblVersion", 118, 12, 9, false);
    Place(*lblWebsiteTxt_, "lblWebsiteTxt", 12, 93, 9, false);
    Place(*lblWebsite_, "lblWebsite", 69, 93, 9, true);
    Place(*lblMehrSoftware_, "lblMehrSoftware", 12, 117, 9, true);
    Place(*lblSupportTxt_, "lblSupportTxt", 12, 140, 9, false);
    Place(*lblSupport_, "lblSupport", 68, 140, 9, true);
    Place(*lblCopyright_, "lblCopyright", 11, 171, 8, false);
    for (QLabel* label : {lblVersionTxt_, lblVersion_, lblWebsiteTxt_, lblSupportTxt_, lblCopyright_})
        look::SetTextColor(*label, look::White);
    for (HoverLabel* link : {lblWebsite_, lblMehrSoftware_, lblSupport_}) link->SetLinkLook();

    // The addresses are looked up at the click, in the language of that moment.
    connect(lblWebsite_, &HoverLabel::clicked, this, [this] { OpenUrl(Text(textid::WebsiteAddress)); });
    connect(lblMehrSoftware_, &HoverLabel::clicked, this, [this] { OpenUrl(Text(textid::MoreSoftwareAddress)); });
    connect(lblSupport_, &HoverLabel::clicked, this,
            [this] { OpenUrl(QStringLiteral("mailto:") + Text(textid::SupportAddress)); });

    ApplyTexts();
}

void AboutBox::ShowModal() {
    // The links' colours and the captions are renewed; their font is not.
    for (HoverLabel* link : {lblWebsite_, lblMehrSoftware_, lblSupport_}) link->RestColour();
    ApplyTexts();
    // The box itself holds the keys at first, not a link, so that Enter opens
    // nothing that was not chosen; Tab goes on to the links.
    setFocus(Qt::OtherFocusReason);
    exec();
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
    // Escape closes; Enter must not reach QDialog's default-button handling.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        reject();
    else
        event->accept();
}

void AboutBox::ApplyTexts() {
    setWindowTitle(Text(textid::AboutTitle));
    const QString version = QCoreApplication::applicationVersion();
    lblVersion_->setText(version.isEmpty() ? QString::fromLatin1(ProgramRelease) : version);
    const std::pair<QLabel*, int> captions[] = {{lblVersionTxt_, textid::VersionCaption},
                                                {lblWebsiteTxt_, textid::WebsiteCaption},
                                                {lblSupportTxt_, textid::SupportCaption},
                                                {lblCopyright_, textid::CopyrightLine}};
    const std::pair<HoverLabel*, int> links[] = {{lblWebsite_, textid::WebsiteAddress},
                                                 {lblMehrSoftware_, textid::MoreSoftwareCaption},
                                                 {lblSupport_, textid::SupportAddress}};
    for (const auto& [label, id] : captions) label->setText(Text(id));
    for (const auto& [link, id] : links) link->setText(Text(id));
    for (QLabel* label : findChildren<QLabel*>()) label->adjustSize();
    for (HoverLabel* link : findChildren<HoverLabel*>()) link->adjustSize();
}

QString AboutBox::Text(int id) const { return QString::fromStdString(TextById(id, language_)); }

void AboutBox::OpenUrl(const QString& address) const {
    if (opener_) opener_(QUrl(address));
}

}  // namespace selenara
