// The calendar page: the 6x7 day cells, the weekday header, the month
// caption and the navigation row beneath, with the shown month and year.
// Its controls are children of the window's client area at fixed positions;
// the month and year lists take the window's font (look::WindowFont) from it.
#pragma once

#include "astro/LocalTime.h"
#include "calendarview/DayGrid.h"
#include "calendarview/Navigation.h"
#include "model/MonthTable.h"
#include "texts/TextTable.h"

#include <QObject>
#include <array>

class QComboBox;
class QLabel;
class QWidget;

namespace selenara {

class GlyphButton;

class CalendarView : public QObject {
    Q_OBJECT
public:
    CalendarView(QWidget* parent, const ZoneClock& clock);

    // Reads today from the clock, shows its month (the show sequence) and
    // fills the year list.
    void ShowToday();
    // Weekday order, captions and clock style of a language.
    void SetLanguageTexts(LanguageId language);
    // Rebuilds the month table of the shown month, with the today mark of
    // the day ShowToday or the last navigation read (one reading each, so
    // the month shown and its mark agree across midnight), then fills the grid.
    void Rebuild();
    // Clears the cells and fills them from the month table; sets the list
    // selections without running their change handlers.
    void FillGrid();
    // Vertical places: d is the extra height of the lore background (0 or
    // 70), navigationTop the top of the 27-pixel navigation band.
    void Place(int d, int navigationTop);

    // Puts the days right after the navigation row in the Tab order; the
    // window's controls made later would come between otherwise.
    void PlaceGridInTabOrder();
    // The month list, where the Tab order of the page begins.
    QWidget& FirstTabStop() const;
    ShownMonth Shown() const { return shown_; }
    const TMonat& AktMonat() const { return aktMonat_; }
    bool WeekFromMonday() const { return firstWeekday_ == 1; }
    bool Use24Std() const { return use24Std_; }

    const DayCell& CellAt(int row, int column) const { return grid_->CellAt(row, column); }
    DayGrid& Grid() { return *grid_; }

private:
    void CreateCells(QWidget* parent);
    void CreateNavigation(QWidget* parent);
    void Navigate(ShownMonth next);
    // A key stepped out of the month: see DayGrid::monthStepRequested.
    void StepByKey(bool forward, int day);

    const ZoneClock& clock_;
    LanguageId language_ = 0;
    int firstWeekday_ = 0;  // 0 = Sunday
    bool use24Std_ = false;
    ShownMonth shown_;
    DayNumber today_ = InvalidDay;
    TMonat aktMonat_;

    DayGrid* grid_ = nullptr;
    QWidget* pnlWochenTage_ = nullptr;
    std::array<QLabel*, 7> lblTag_{};
    QLabel* lblMonatJahr_ = nullptr;

    GlyphButton* btnPrevMonat_ = nullptr;
    GlyphButton* btnNextMonat_ = nullptr;
    GlyphButton* btnPrevJahr_ = nullptr;
    GlyphButton* btnNextJahr_ = nullptr;
    QLabel* lblMonat_ = nullptr;
    QLabel* lblJahr_ = nullptr;
    QComboBox* cbMonat_ = nullptr;
    QComboBox* cbJahr_ = nullptr;
};

}  // namespace selenara
