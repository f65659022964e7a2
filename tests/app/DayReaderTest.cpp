#include "dialogs/OptionsDialog.h"
#include "support/TestWindow.h"
#include "toolkit/Balloon.h"

#include <QAccessible>
#include <QPointer>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::At;
using testing::Press;
using testing::TabTo;
using Window = testing::TestWindow;

QAccessibleInterface* Reader(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

QString Name(QAccessibleInterface* a) { return a ? a->text(QAccessible::Name) : QStringLiteral("(none)"); }

// December 2026 begins on a Tuesday. Its phases in Berlin, from the US
// Naval Observatory's table (UT): last quarter Dec 1 06:09, new moon Dec 9
// 00:52, full moon Dec 24 01:28.
TEST(DayReader, TheGridIsATableOfFortyTwoCellsNamedByTheirDays) {
    Window w(At(9, 12, 2026));
    QAccessibleInterface* table = Reader(&w.Calendar().Grid());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(Name(table), QStringLiteral("Dezember 2026"));
    ASSERT_EQ(table->childCount(), 42);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->rowCount(), 6);
    EXPECT_EQ(cells->columnCount(), 7);
    int unnamed = 0;
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface* cell = table->child(i);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->parent(), table);
        EXPECT_EQ(table->indexOfChild(cell), i);
        EXPECT_EQ(table->child(i), cell) << "the same object every time";
        unnamed += Name(cell).isEmpty() ? 1 : 0;
    }
    EXPECT_EQ(unnamed, 42 - 31) << "the cells before the 1st and after the 31st";

    // Monday first in German, Sunday first in English; the names follow the
    // language at once.
    const struct {
        int row, column;
        const char* name;
    } german[] = {{0, 0, ""},
                  {0, 1, "Dienstag, 1. Dezember 2026, Letztes Viertel, 7:08"},
                  {1, 2, "Mittwoch, 9. Dezember 2026, heute, Neumond, 1:51"},
                  {3, 3, "Donnerstag, 24. Dezember 2026, Vollmond, 2:28"},
                  {4, 3, "Donnerstag, 31. Dezember 2026"}},
      english[] = {{0, 1, ""},
                   {0, 2, "Tuesday, December 1, 2026, Last Quarter, 7:08 AM"},
                   {1, 3, "Wednesday, December 9, 2026, today, New Moon, 1:51 AM"},
                   {4, 4, "Thursday, December 31, 2026"}};
    for (const auto& c : german)
        EXPECT_EQ(Name(cells->cellAt(c.row, c.column)), QString::fromUtf8(c.name)) << c.row << "," << c.column;
    OptionsDialog& dialog = w.window->Options();
    dialog.Load();
    dialog.findChild<QComboBox*>(QStringLiteral("cbSprache"))->setCurrentIndex(1);
    EXPECT_EQ(Name(table), QStringLiteral("December 2026"));
    for (const auto& c : english)
        EXPECT_EQ(Name(cells->cellAt(c.row, c.column)), QString::fromUtf8(c.name)) << c.row << "," << c.column;
}

TEST(DayReader, FocusAndTheDaysBalloonAreWhatTheReaderFinds) {
    Window w(At(9, 12, 2026));
    DayGrid& grid = w.Calendar().Grid();
    QAccessibleInterface* table = Reader(&grid);
    EXPECT_EQ(table->focusChild(), nullptr) << "no focused day before the grid has the focus";
    TabTo(w);
    const auto focused = [table] {
        QAccessibleInterface* cell = table->focusChild();
        EXPECT_TRUE(cell && cell->state().focused && cell->tableCellInterface()->isSelected());
        return Name(cell);
    };
    EXPECT_EQ(focused(), QStringLiteral("Mittwoch, 9. Dezember 2026, heute, Neumond, 1:51"));
    Press(grid, Qt::Key_Right);
    EXPECT_EQ(focused(), QStringLiteral("Donnerstag, 10. Dezember 2026"));
    Press(grid, Qt::Key_End);
    EXPECT_EQ(focused(), QStringLiteral("Donnerstag, 31. Dezember 2026"));
    Press(grid, Qt::Key_Down);  // into January, by the arrow buttons' rule
    EXPECT_TRUE(focused().endsWith(QStringLiteral(", 7. Januar 2026"))) << focused().toStdString();
    EXPECT_EQ(table->tableInterface()->selectedCellCount(), 1);

    // The balloon is read out as a focused dialog with the day's text: a
    // reader drops a focused tool tip that no window lists as its child.
    Press(grid, Qt::Key_Return);
    QPointer<Balloon> balloon = Balloon::Current();
    ASSERT_NE(balloon, nullptr);
    QAccessibleInterface* tip = Reader(balloon.data());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->role(), QAccessible::Dialog);
    EXPECT_TRUE(tip->state().focused);
    EXPECT_EQ(Name(tip), balloon->Text().trimmed());
    EXPECT_TRUE(Name(tip).startsWith(QStringLiteral("7. Januar 2026\n"))) << Name(tip).toStdString();
    Press(*balloon, Qt::Key_Escape);
    EXPECT_TRUE(focused().endsWith(QStringLiteral(", 7. Januar 2026")));
}

}  // namespace
}  // namespace selenara
