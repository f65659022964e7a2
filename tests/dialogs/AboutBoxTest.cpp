#include "dialogs/AboutBox.h"
#include "support/WindowFont.h"
#include "toolkit/HoverLabel.h"
#include "toolkit/Look.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace selenara {
namespace {

QString Table(int id, LanguageId language) { return QString::fromStdString(TextById(id, language)); }

// A box whose opener records the addresses instead of opening them.
struct Box {
    explicit Box(LanguageId lang = German) : language(lang) {}
    QWidget* Label(const char* name) { return box.findChild<QWidget*>(QLatin1String(name)); }
    QString Caption(const char* name) {
        if (auto* link = qobject_cast<HoverLabel*>(Label(name))) return link->text();
        return qobject_cast<QLabel*>(Label(name))->text();
    }
    // Runs ShowModal, calls `during` once the box is showing, then closes it.
    template <class F>
    void OpenAndThen(F during) {
        QTimer::singleShot(0, &box, [&] {
            during();
            if (box.isVisible()) box.reject();
        });
        box.ShowModal();
    }

    LanguageId language;
    std::vector<QUrl> opened;
    AboutBox box{nullptr, language, [this](const QUrl& url) { opened.push_back(url); }};
};

void Hover(QWidget& w) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), w.mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(&w, &enter);
}

void Leave(QWidget& w) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
}

void Click(QWidget& w, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at = QRectF(w.rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
}

bool PressKey(QWidget& w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    return w.isVisible();
}

TEST(AboutBox, CaptionsInBothLanguages) {
    Box de(German);
    EXPECT_EQ(de.box.windowTitle(), QStringLiteral("Über Selenara"));
    EXPECT_EQ(de.Caption("lblVersionTxt"), QStringLiteral("Selenara Version:"));
    EXPECT_EQ(de.Caption("lblVersion"), QStringLiteral("1.4a"));
    EXPECT_EQ(de.Caption("lblMehrSoftware"), QStringLiteral("Weitere Programme"));
    EXPECT_EQ(de.Caption("lblWebsite"), Table(303, German));
    EXPECT_EQ(de.Caption("lblCopyright"), Table(306, German));

    Box en(English);
    EXPECT_EQ(en.box.windowTitle(), QStringLiteral("About Selenara"));
    EXPECT_EQ(en.Caption("lblVersionTxt"), QStringLiteral("Selenara Version:"));
    EXPECT_EQ(en.Caption("lblVersion"), QStringLiteral("1.4a"));
    EXPECT_EQ(en.Caption("lblSupport"), QStringLiteral("support@selenara.example.org"));
    EXPECT_EQ(en.Caption("lblCopyright"), QStringLiteral("© 2026 The Selenara Project"));

    // Sized to their text and inside the fixed client area: nothing clipped.
    for (Box* b : {&de, &en}) {
        EXPECT_EQ(b->box.size(), QSize(261, 188));
        for (QWidget* label : b->box.findChildren<QWidget*>()) {
            EXPECT_EQ(label->size(), label->sizeHint()) << label->objectName().toStdString();
            if (testing::WindowFontIsHere()) {
                EXPECT_TRUE(b->box.rect().contains(label->geometry())) << label->objectName().toStdString();
            }
        }
    }
}

TEST(AboutBox, VersionFollowsTheApplication) {
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0b"));
    Box b;
    EXPECT_EQ(b.Caption("lblVersion"), QStringLiteral("2.0b"));
    QCoreApplication::setApplicationVersion(QString());
}

TEST(AboutBox, ShowModalShowsALanguageChangedSinceConstruction) {
    Box b(German);
    b.box.SetLanguage(English);
    QString title, more, copyright;
    b.OpenAndThen([&] {
        title = b.box.windowTitle();
        more = b.Caption("lblMehrSoftware");
        copyright = b.Caption("lblCopyright");
    });
    EXPECT_EQ(title, QStringLiteral("About Selenara"));
    EXPECT_EQ(more, QStringLiteral("More Software"));
    EXPECT_EQ(copyright, Table(306, English));
}

TEST(AboutBox, LinkLooksUnderAndAfterTheMouse) {
    Box b;
    QWidget& support = *b.Label("lblSupport");
    EXPECT_EQ(support.palette().color(QPalette::WindowText), look::LightBlue);
    EXPECT_TRUE(support.font().bold());
    Hover(support);
    EXPECT_EQ(support.palette().color(QPalette::WindowText), look::Orange);
    EXPECT_TRUE(support.font().bold());
    EXPECT_TRUE(support.font().underline());
    Leave(support);
    EXPECT_EQ(support.palette().color(QPalette::WindowText), look::LightBlue);
    EXPECT_TRUE(support.font().bold());
    EXPECT_FALSE(support.font().underline());
    EXPECT_EQ(b.Label("lblSupportTxt")->palette().color(QPalette::WindowText), look::White);

    // A mouse that never left (the box closed under it): the next ShowModal
    // renews the colour, not the font; the underline goes when the mouse leaves.
    QWidget& website = *b.Label("lblWebsite");
    Hover(website);
    QColor colour;
    bool underlined = false, bold = false;
    b.OpenAndThen([&] {
        colour = website.palette().color(QPalette::WindowText);
        underlined = website.font().underline();
        bold = website.font().bold();
    });
    EXPECT_EQ(colour, look::LightBlue);
    EXPECT_TRUE(underlined);
    EXPECT_TRUE(bold);
    Leave(website);
    EXPECT_FALSE(website.font().underline());
}

TEST(AboutBox, ClicksHandTheTableAddressesToTheOpener) {
    Box b(German);
    Click(*b.Label("lblSupport"));
    Click(*b.Label("lblMehrSoftware"));
    Click(*b.Label("lblWebsite"));
    Click(*b.Label("lblSupportTxt"));           // a plain caption opens nothing
    Click(*b.Label("lblWebsite"), Qt::RightButton);  // nor does another button
    ASSERT_EQ(b.opened.size(), 3u);
    EXPECT_EQ(b.opened[0], QUrl(QStringLiteral("mailto:support@selenara.example.org")));
    EXPECT_EQ(b.opened[0], QUrl(QStringLiteral("mailto:") + Table(308, German)));
    EXPECT_EQ(b.opened[1], QUrl(Table(305, German)));
    EXPECT_EQ(b.opened[2], QUrl(Table(303, German)));
    EXPECT_NE(Table(305, German), Table(303, German));

    // The address is looked up at the click: a language change needs no ShowModal.
    b.box.SetLanguage(English);
    Click(*b.Label("lblMehrSoftware"));
    ASSERT_EQ(b.opened.size(), 4u);
    EXPECT_EQ(b.opened[3], QUrl(Table(305, English)));
    EXPECT_NE(Table(305, English), Table(305, German));
}

// The box holds the keys at first, so Enter opens nothing; Tab goes through
// the links, read as links by their texts, and Enter or Space opens one.
TEST(AboutBox, TabReachesEachLinkAndEnterOpensIt) {
    Box b;
    std::vector<QString> reached;
    b.OpenAndThen([&] {
        QApplication::setActiveWindow(&b.box);
        EXPECT_EQ(QApplication::focusWidget(), &b.box);
        for (int i = 0; i < 4; ++i) {
            PressKey(*QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* link = QApplication::focusWidget();
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(link);
            EXPECT_EQ(reader->role(), QAccessible::Link) << link->objectName().toStdString();
            EXPECT_EQ(reader->text(QAccessible::Name), qobject_cast<HoverLabel*>(link)->text());
            reached.push_back(link->objectName());
        }
        PressKey(*QApplication::focusWidget(), Qt::Key_Return);  // the website, reached again
        PressKey(*b.Label("lblSupport"), Qt::Key_Space);
    });
    EXPECT_EQ(reached, (std::vector<QString>{QStringLiteral("lblWebsite"), QStringLiteral("lblMehrSoftware"),
                                             QStringLiteral("lblSupport"), QStringLiteral("lblWebsite")}));
    ASSERT_EQ(b.opened.size(), 2u);
    EXPECT_EQ(b.opened[0], QUrl(Table(303, German)));
    EXPECT_EQ(b.opened[1], QUrl(QStringLiteral("mailto:") + Table(308, German)));
}

TEST(AboutBox, EscapeClosesEnterDoesNot) {
    Box b;
    bool afterReturn = false, afterEnter = false, afterSpace = false, afterEscape = true;
    b.OpenAndThen([&] {
        afterReturn = PressKey(b.box, Qt::Key_Return);
        afterEnter = PressKey(b.box, Qt::Key_Enter);
        afterSpace = PressKey(b.box, Qt::Key_Space);
        afterEscape = PressKey(b.box, Qt::Key_Escape);
    });
    EXPECT_TRUE(afterReturn);
    EXPECT_TRUE(afterEnter);
    EXPECT_TRUE(afterSpace);
    EXPECT_FALSE(afterEscape);
    EXPECT_EQ(b.box.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace selenara
