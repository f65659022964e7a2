// The about box: version, website, further software, support address and
// copyright, in the interface language; the links open in the system's
// browser or mail program.
#pragma once

#include "texts/TextTable.h"
#include "toolkit/HoverLabel.h"

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace selenara {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // Hands a link's address on; the box neither waits for nor reports the outcome.
    using UrlOpener = std::function<void(const QUrl&)>;
    // QDesktopServices::openUrl.
    static UrlOpener DefaultUrlOpener();

    AboutBox(QWidget* parent, LanguageId language, UrlOpener opener = DefaultUrlOpener());

    // Renews the captions and link colours, then shows the box modally.
    void ShowModal();
    // Taken at the next ShowModal; a link clicked looks its address up in it.
    void SetLanguage(LanguageId language) { language_ = language; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyTexts();
    QString Text(int id) const;
    void OpenUrl(const QString& address) const;

    LanguageId language_;
    UrlOpener opener_;
    QLabel* lblVersionTxt_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblWebsiteTxt_ = nullptr;
    HoverLabel* lblWebsite_ = nullptr;
    HoverLabel* lblMehrSoftware_ = nullptr;
    QLabel* lblSupportTxt_ = nullptr;
    HoverLabel* lblSupport_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
};

}  // namespace selenara
