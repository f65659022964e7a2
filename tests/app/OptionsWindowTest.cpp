#include "app/LorePanels.h"
#include "app/MainWindow.h"
#include "app/Tray.h"
#include "dialogs/AboutBox.h"
#include "dialogs/OptionsDialog.h"
#include "support/TestWindow.h"
#include "toolkit/HoverLabel.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::At;
using Window = testing::TestWindow;

// A left click, as far as the menu bar's labels look at it: the release.
void Click(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

QCheckBox* Box(OptionsDialog& dialog, const char* name) {
    return dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
}

TEST(OptionsInTheWindow, LanguageChoiceRecaptionsTheWindowAtOnce) {
    Window w(At(8, 12, 2026));
    // What a screen reader hears for the painted arrows, and the caption
    // that labels each list.
    const auto spoken = [&w](const char* name) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.Named<QWidget>(name));
        if (!a) return QStringLiteral("(none)");
        if (a->role() != QAccessible::ComboBox) return a->text(QAccessible::Name);
        const auto labels = a->relations(QAccessible::Label);
        return labels.isEmpty() ? QStringLiteral("(no label)") : labels.first().first->text(QAccessible::Name);
    };
    const struct {
        const char* control;
        const char *de, *en;
    } names[] = {{"btnPrevMonat", "Vorheriger Monat", "Previous month"},
                 {"btnNextMonat", "Nächster Monat", "Next month"},
                 {"btnPrevJahr", "Vorheriges Jahr", "Previous year"},
                 {"btnNextJahr", "Nächstes Jahr", "Next year"},
                 {"cbMonat", "Monat", "Month"},
                 {"cbJahr", "Jahr", "Year"},
                 {"sbLore", "Weisheiten", "Moon Lore"}};
    for (const auto& n : names) EXPECT_EQ(spoken(n.control), QString::fromUtf8(n.de)) << n.control;
    OptionsDialog& dialog = w.window->Options();
    dialog.Load();
    EXPECT_TRUE(w.Calendar().WeekFromMonday());
    dialog.findChild<QComboBox*>(QStringLiteral("cbSprache"))->setCurrentIndex(1);
    EXPECT_FALSE(w.Calendar().WeekFromMonday());
    EXPECT_EQ(w.Named<HoverLabel>("lblOptionen")->text(), QStringLiteral("Options"));
    for (const auto& n : names) EXPECT_EQ(spoken(n.control), QString::fromUtf8(n.en)) << n.control;
    EXPECT_EQ(w.window->Settings().Language, English);
    // The lore box, a Tab stop, reads out the new English lore with its name.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.Named<QWidget>("sbLore"))->text(QAccessible::Description),
              w.window->Panels().LoreText());
}

TEST(OptionsInTheWindow, OpensFromTheMenuBarAndOkArrangesTheWindow) {
    Window w(At(8, 12, 2026));
    OptionsDialog& dialog = w.window->Options();
    HoverLabel* options = w.Named<HoverLabel>("lblOptionen");
    EXPECT_EQ(w.window->height(), 523);
    QTimer::singleShot(0, &dialog, [&dialog] {
        EXPECT_TRUE(dialog.isVisible());
        Box(dialog, "cbZeigLore")->setChecked(false);
        Box(dialog, "cbZeigTextUnten")->setChecked(false);
        dialog.reject();
    });
    Click(options);
    EXPECT_EQ(w.window->height(), 523);  // Cancel changes nothing
    QTimer::singleShot(0, &dialog, [&dialog] {
        Box(dialog, "cbZeigLore")->setChecked(false);
        Box(dialog, "cbZeigTextUnten")->setChecked(false);
        dialog.accept();
    });
    Click(options);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(w.window->height(), 416);
}

// The tray's tip and the about box, both made before, follow each language
// chosen in the options.
TEST(OptionsInTheWindow, LanguageChoiceReachesTrayAndAboutBox) {
    Window w(At(8, 12, 2026));
    Tray& tray = w.window->TrayIcon();
    AboutBox& about = w.window->About();
    OptionsDialog& dialog = w.window->Options();
    dialog.Load();
    const struct {
        int choice;
        LocalDayTime day;
        const char *tip, *title;
    } rows[] = {{1, At(24, 12, 2026), "Full Moon", "About Selenara"}, {0, At(9, 12, 2026), "Neumond", "Über Selenara"}};
    for (const auto& row : rows) {
        dialog.findChild<QComboBox*>(QStringLiteral("cbSprache"))->setCurrentIndex(row.choice);
        w.clock.SetNow(row.day);
        tray.Refresh();
        EXPECT_EQ(tray.ToolTip().toStdString(), row.tip);
        QTimer::singleShot(0, &about, [&] {
            EXPECT_EQ(about.windowTitle().toStdString(), row.title);
            about.reject();
        });
        about.ShowModal();
    }
}

}  // namespace
}  // namespace selenara
