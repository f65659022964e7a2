#include "app/MainWindow.h"
#include "dialogs/OptionsDialog.h"
#include "support/TestWindow.h"
#include "toolkit/HoverLabel.h"

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
    OptionsDialog& dialog = w.window->Options();
    dialog.Load();
    EXPECT_TRUE(w.Calendar().WeekFromMonday());
    dialog.findChild<QComboBox*>(QStringLiteral("cbSprache"))->setCurrentIndex(1);
    EXPECT_FALSE(w.Calendar().WeekFromMonday());
    EXPECT_EQ(w.Named<HoverLabel>("lblOptionen")->text(), QStringLiteral("Options"));
    EXPECT_EQ(w.window->Settings().Language, English);
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

}  // namespace
}  // namespace selenara
