#include "dialogs/OptionsDialog.h"

#include "dialogs/CityCompleter.h"
#include "settings/LocationTable.h"
#include "support/WindowFont.h"
#include "toolkit/Look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace selenara {
namespace {

using namespace Qt::StringLiterals;

// The options dialog on default settings, or on `opened`, loaded as at an
// opening.
struct Options {
    explicit Options(LanguageId language = German) : Options(UserSettings{.Settings = {}, .Language = language}) {}
    explicit Options(const UserSettings& opened) : settings(opened) {
        dialog = std::make_unique<OptionsDialog>(nullptr, settings);
        QObject::connect(dialog.get(), &OptionsDialog::languageChanged, dialog.get(),
                         [this](LanguageId language) { languagesChosen.push_back(language); });
        dialog->Load();
    }
    template <class T = QWidget>
    T* Get(const char* name) {
        T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QCheckBox* Box(const char* name) { return Get<QCheckBox>(name); }
    QComboBox* Country() { return Get<QComboBox>("cbLand"); }
    CityEdit* City() { return Get<CityEdit>("edStadt"); }
    const TSettings& Stored() const { return dialog->Settings().Settings; }
    int Open() { return dialog->Open(settings); }

    UserSettings settings;  // as opened
    std::unique_ptr<OptionsDialog> dialog;
    std::vector<LanguageId> languagesChosen;
};

void Press(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) Press(widget, c.toUpper().unicode(), QString(c));  // Latin-1 key codes
}

TEST(OptionsDialog, OpensOnTheDefaults) {
    Options o;
    EXPECT_EQ(o.dialog->windowTitle(), u"Optionen"_s);
    EXPECT_EQ(o.Country()->currentText(), u"Deutschland"_s);
    EXPECT_EQ(o.City()->text(), u"Aach/Hegau/Singen"_s);
    for (QCheckBox* box : o.dialog->findChildren<QCheckBox*>())
        EXPECT_EQ(box->isChecked(), box != o.Box("cbStartMinimized")) << box->text().toStdString();
    EXPECT_FALSE(o.Box("cbStartMinimized")->isEnabled());
    EXPECT_FALSE(o.Get("cbgLore")->isHidden());
    EXPECT_EQ(o.Get<QComboBox>("cbSprache")->currentText(), u"Deutsch"_s);
}

TEST(OptionsDialog, HiddenGroupsKeepTheirCategories) {
    Options o;
    o.Box("cbgLore1")->setChecked(false);
    o.Box("cbZeigLore")->setChecked(false);
    EXPECT_TRUE(o.Get("cbgLore")->isHidden());
    o.Box("cbZeigTextUnten")->setChecked(false);
    o.Box("cbZeigTextUnten")->setChecked(true);
    EXPECT_FALSE(o.Get("cbgTextUnten")->isHidden());
    o.dialog->accept();
    EXPECT_FALSE(o.Stored().ShowLore);
    EXPECT_TRUE(o.Stored().LoreMoonLore);
    EXPECT_FALSE(o.Stored().LoreMoonTrivia);
    o.dialog->Load();  // opens hidden again
    EXPECT_TRUE(o.Get("cbgLore")->isHidden());
}

TEST(OptionsDialog, ChosenCountryOffersItsFirstPlace) {
    Options o;
    o.Country()->setCurrentIndex(PositionOfSlot(3));  // Austria
    const std::string first = CityNames(3).front();
    EXPECT_EQ(o.City()->text().toStdString(), first);
    o.dialog->accept();
    EXPECT_EQ(o.Stored().CountrySlot, 3);
    EXPECT_EQ(o.Stored().City, first);
    EXPECT_EQ(o.Stored().Latitude, LookupCity(3, first)->Latitude);
}

TEST(OptionsDialog, OkLooksTheTypedCityUp) {
    Options o;
    o.City()->setText(u"Aach"_s);
    o.dialog->accept();
    EXPECT_EQ(o.Stored().City, "Aach/Hegau/Singen");
    EXPECT_DOUBLE_EQ(o.Stored().Longitude, 8.85);
    EXPECT_DOUBLE_EQ(o.Stored().Latitude, 47.83);
    o.City()->setText(u"Aachen"_s);
    o.dialog->accept();
    EXPECT_EQ(o.Stored().City, "Aachen");
    EXPECT_DOUBLE_EQ(o.Stored().Longitude, 6.08);
    // Nothing found: the stored place stays, the new country is stored.
    o.Country()->setCurrentIndex(PositionOfSlot(12));  // France
    o.City()->setText(u"aachen"_s);
    o.dialog->accept();
    EXPECT_EQ(o.Stored().CountrySlot, 12);
    EXPECT_EQ(o.Stored().City, "Aachen");
    EXPECT_DOUBLE_EQ(o.Stored().Latitude, 50.78);
}

TEST(OptionsDialog, SlotOutsideTheTableOpensOnTheFirstCountry) {
    UserSettings opened;
    opened.Settings.CountrySlot = 2;
    Options o(opened);
    EXPECT_EQ(o.Country()->currentText(), u"Albanien"_s);
    EXPECT_EQ(o.City()->text(), u"Aach/Hegau/Singen"_s);  // opening never loses the city
    o.dialog->accept();
    EXPECT_EQ(o.Stored().CountrySlot, 15);
    EXPECT_EQ(o.Stored().City, "Aach/Hegau/Singen");
}

TEST(OptionsDialog, LanguageTakesEffectAtOnceAndSurvivesCancel) {
    Options o;
    UserSettings expected = o.settings;
    o.Box("cbZeigLore")->setChecked(false);
    o.City()->setText(u"Aachen"_s);  // typed, not yet stored
    o.Get<QComboBox>("cbSprache")->setCurrentIndex(1);
    EXPECT_EQ(o.languagesChosen, std::vector<LanguageId>{English});
    EXPECT_EQ(o.dialog->Settings().Language, English);
    EXPECT_EQ(o.dialog->windowTitle(), u"Options"_s);
    EXPECT_EQ(o.Box("cbgTextUnten3")->text(), u"English Medieval Moon Names"_s);
    EXPECT_EQ(o.Get<QComboBox>("cbSprache")->itemText(0), u"German"_s);
    EXPECT_EQ(o.Country()->currentText(), u"Germany"_s);
    EXPECT_EQ(o.City()->text(), u"Aachen"_s);  // re-captioning is no change of country
    o.dialog->reject();
    expected.Language = English;  // and nothing else
    EXPECT_EQ(o.dialog->Settings(), expected);
    o.dialog->Load();  // opening in English is no language choice
    EXPECT_EQ(o.languagesChosen.size(), 1u);
    EXPECT_EQ(o.Country()->itemText(0), u"Albania"_s);
}

TEST(OptionsDialog, NoCaptionIsClipped) {
    if (!testing::WindowFontIsHere()) GTEST_SKIP() << "the window's font is not here";
    for (const std::uint8_t language : {German, English}) {
        Options o(language);
        for (QCheckBox* box : o.dialog->findChildren<QCheckBox*>())
            EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
        for (QLabel* label : o.dialog->findChildren<QLabel*>())
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        for (QPushButton* button : o.dialog->findChildren<QPushButton*>())  // inside the frame and a pixel
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 4, button->width())
                << button->text().toStdString();
        for (QComboBox* list : o.dialog->findChildren<QComboBox*>())
            for (int i = 0; i < list->count(); ++i)  // the arrow part is 15 pixels, the padding 3 a side
                EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)) + 15 + 8, list->width())
                    << list->itemText(i).toStdString();
    }
}

TEST(OptionsDialog, OkAndCancelByKeyAndByClick) {
    Options o;
    // Enter in the city field selects it, then goes on to the dialog as OK.
    QTimer::singleShot(0, o.dialog.get(), [&o] {
        o.City()->setText(u"Aachen"_s);
        Press(o.City(), Qt::Key_Return);
        EXPECT_EQ(o.City()->selectedText(), u"Aachen"_s);
    });
    EXPECT_EQ(o.Open(), QDialog::Accepted);
    EXPECT_EQ(o.Stored().City, "Aachen");
    QTimer::singleShot(0, o.dialog.get(), [&o] {
        o.Box("cbZeigLore")->setChecked(false);
        Press(o.Box("cbZeigLore"), Qt::Key_Escape);
    });
    EXPECT_EQ(o.Open(), QDialog::Rejected);
    EXPECT_TRUE(o.Stored().ShowLore);

    o.Box("cbZeigLore")->setChecked(false);
    o.dialog->show();
    QTest::mouseClick(o.Get("btnAbbruch"), Qt::LeftButton);  // on the caption
    EXPECT_EQ(o.dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(o.Stored().ShowLore);
    o.dialog->show();
    QTest::mouseClick(o.Get("btnOK"), Qt::LeftButton, {}, QPoint(1, 1));  // on the frame
    EXPECT_EQ(o.dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(o.Stored().ShowLore);
}

// Tab goes from the language list to OK, then to Cancel; Space presses the
// button that has the focus, and so does Enter, though OK is the default.
TEST(OptionsDialog, OkAndCancelByTabThenSpaceOrEnter) {
    const struct {
        int tabs;
        Qt::Key key;
        const char* focused;
        int result;
    } cases[] = {{1, Qt::Key_Space, "btnOK", QDialog::Accepted},
                 {2, Qt::Key_Space, "btnAbbruch", QDialog::Rejected},
                 {2, Qt::Key_Return, "btnAbbruch", QDialog::Rejected}};
    for (const auto& c : cases) {
        Options o;
        EXPECT_TRUE(o.Get<QPushButton>("btnOK")->isDefault());
        QTimer::singleShot(0, o.dialog.get(), [&o, &c] {
            QApplication::setActiveWindow(o.dialog.get());
            o.Get("cbSprache")->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < c.tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), o.Get(c.focused)) << c.focused;
            QTest::keyClick(QApplication::focusWidget(), c.key);
            if (o.dialog->isVisible()) {
                ADD_FAILURE() << "nothing pressed";
                o.dialog->reject();
            }
        });
        EXPECT_EQ(o.Open(), c.result) << c.focused << ' ' << c.key;
    }
}

// OK and Cancel rest white and regular, keep that look under the mouse, and
// show the hand cursor over caption and frame alike.
TEST(OptionsDialog, OkAndCancelAreWhiteRegularWithTheHandCursor) {
    Options o;
    for (const char* name : {"btnOK", "btnAbbruch"}) {
        QPushButton* button = o.Get<QPushButton>(name);
        EXPECT_FALSE(button->font().bold()) << name;
        EXPECT_FALSE(button->font().underline()) << name;
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::white)) << name;
        EXPECT_EQ(o.dialog->childAt(button->geometry().center()), button) << "caption and frame are one";
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor) << name;
        // White and black only (but for the caption's smoothed edges): no
        // colour of the platform's button.
        const QImage resting = button->grab().toImage();
        EXPECT_EQ(resting.pixelColor(0, 0), QColor(Qt::white)) << name;
        EXPECT_EQ(resting.pixelColor(1, 1), QColor(Qt::black)) << name;
        for (int y = 0; y < resting.height(); ++y)
            for (int x = 0; x < resting.width(); ++x) {
                const QColor pixel = resting.pixelColor(x, y);
                ASSERT_TRUE(pixel.red() == pixel.green() && pixel.green() == pixel.blue())
                    << name << ' ' << x << ',' << y;
            }
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &enter);
        EXPECT_EQ(button->grab().toImage(), resting) << name << ": no hover look";
    }
}

// The lists drop down below the field, a plain list with the current entry
// light blue behind black text, as the city completion shows its matches.
TEST(OptionsDialog, ListsDropDownBelowTheField) {
    Options o;
    o.dialog->show();
    for (const char* name : {"cbLand", "cbSprache"}) {
        QComboBox* list = o.Get<QComboBox>(name);
        list->showPopup();
        const QWidget* popup = list->view()->window();
        ASSERT_TRUE(popup->isVisible()) << name;
        // On the field's bottom line, whichever entry is current.
        EXPECT_EQ(popup->geometry().top(), list->mapToGlobal(QPoint(0, list->height() - 1)).y()) << name;
        EXPECT_EQ(popup->width(), list->width()) << name;
        const QPalette& colours = list->view()->palette();
        EXPECT_EQ(colours.color(QPalette::Highlight), look::LightBlue) << name;
        EXPECT_EQ(colours.color(QPalette::HighlightedText), look::Black) << name;
        list->hidePopup();
    }
}

TEST(CityCompletion, MatchingFoldsOnlyAsciiLetters) {
    const QStringList names = {u"Bach"_s,       u"aachen"_s, u"Aach"_s,     u"Öhringen"_s,
                               u"AACH/Rhein"_s, u"Anrode"_s, u"Anröchte"_s, u"Aachen"_s};
    EXPECT_EQ(FirstCompletion(names, u"AA"_s), 1);
    EXPECT_EQ(FirstCompletion(names, u"ö"_s), -1);
    EXPECT_EQ(FirstCompletion(names, u"Öh"_s), 3);
    EXPECT_EQ(FirstCompletion(names, u"Bachen"_s), -1);  // longer than the name
    EXPECT_EQ(CompletionList(names, u"aa"_s), (QStringList{u"Aach"_s, u"AACH/Rhein"_s, u"aachen"_s, u"Aachen"_s}));
    EXPECT_EQ(CompletionList(names, u"anr"_s), (QStringList{u"Anröchte"_s, u"Anrode"_s}));  // dictionary order
}

TEST(CityCompletion, TypingCompletesInlineAndListsTheMatches) {
    Options o;
    o.dialog->show();
    CityEdit* city = o.City();
    QAbstractItemView* list = city->Completer()->popup();
    city->clear();
    Type(city, u"aach"_s);
    EXPECT_EQ(city->text(), u"Aach/Hegau/Singen"_s);
    EXPECT_EQ(city->selectedText(), u"/Hegau/Singen"_s);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(city->ListedNames(), (QStringList{u"Aach/Hegau/Singen"_s, u"Aach/Trier"_s, u"Aachen"_s}));
    EXPECT_EQ(list->width(), city->width());
    EXPECT_GE(list->y(), city->mapToGlobal(QPoint(0, city->height())).y() - 2);

    Press(city, Qt::Key_Backspace);  // removes the completion, and completes nothing
    EXPECT_EQ(city->text(), u"Aach"_s);
    Press(city, Qt::Key_Backspace);
    EXPECT_EQ(city->text(), u"Aac"_s);
    Type(city, u"he"_s);  // each letter typed over the completion
    EXPECT_EQ(city->text(), u"Aachen"_s);
    EXPECT_EQ(city->selectedText(), u"n"_s);
    EXPECT_FALSE(list->isVisible());  // the only match is the text

    city->selectAll();
    Type(city, u"ö"_s);  // umlauts match exactly: no match, no list
    EXPECT_EQ(city->text(), u"ö"_s);
    EXPECT_FALSE(list->isVisible());
    city->selectAll();
    Type(city, u"Ö"_s);
    EXPECT_EQ(city->text(), u"Öhningen"_s);
    city->selectAll();
    Type(city, u"b"_s);  // many matches: 8 rows shown, the rest scrolls
    EXPECT_GT(city->ListedNames().size(), 100);
    EXPECT_LT(list->height(), 9 * list->sizeHintForRow(0));

    // Focus selects all, but not when it comes back from the list.
    city->setText(u"Aachen"_s);
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::MouseFocusReason}) {
        QFocusEvent focusIn(QEvent::FocusIn, reason);
        QApplication::sendEvent(city, &focusIn);
        QCoreApplication::processEvents();
        EXPECT_EQ(city->hasSelectedText(), reason == Qt::MouseFocusReason);
    }
}

}  // namespace
}  // namespace selenara
