#include "calendarview/CalendarView.h"

#include "texts/Captions.h"
#include "texts/SpokenDay.h"
#include "texts/TextIds.h"
#include "toolkit/FlatComboBox.h"
#include "toolkit/GlyphButton.h"
#include "toolkit/Look.h"
#include "toolkit/MoonIcons.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace selenara {
namespace {

QLabel* MakeLabel(QWidget* parent, const QColor& color, bool bold = false) {
    auto* label = new QLabel(parent);
    label->setFont(look::WindowFont(bold));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    look::SetTextColor(*label, color);
    return label;
}

// The icon of a phase kind: new, first quarter, full, last quarter, blue moon.
int IconOfKind(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return kNewMoonIcon;
        case PhaseKind::FirstQuarter: return kFirstQuarterIcon;
        case PhaseKind::FullMoon: return kFullMoonIcon;
        case PhaseKind::LastQuarter: return kLastQuarterIcon;
        case PhaseKind::BlueMoon: return kBlueMoonIcon;
        case PhaseKind::None: break;
    }
    return kEmptyIcon;
}

QComboBox* MakeList(QWidget* parent, int width) {
    const QColor band(0x1c, 0x2a, 0x55);  // the navigation band's dark blue
    // The font is the window's, taken from the parent: a font set on the box
    // itself would make it build its pop-up list at once, at the start.
    auto* box = new FlatComboBox(parent, {look::LightBlue, look::Black, band, band});
    box->setFixedSize(width, 21);
    box->setMaxVisibleItems(12);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

}  // namespace

CalendarView::CalendarView(QWidget* parent, const ZoneClock& clock) : QObject(parent), clock_(clock) {
    CreateCells(parent);
    CreateNavigation(parent);
    Place(0, 389);
}

void CalendarView::CreateCells(QWidget* parent) {
    grid_ = new DayGrid(parent);
    pnlWochenTage_ = new QWidget(parent);
    pnlWochenTage_->setAttribute(Qt::WA_TranslucentBackground);
    for (int k = 0; k < 7; ++k) {
        lblTag_[k] = MakeLabel(pnlWochenTage_, look::White);
        lblTag_[k]->setGeometry(3 + DayGrid::CellWidth * k, 2, 66, 15);
    }
    lblMonatJahr_ = MakeLabel(parent, look::DarkBlue, true);
}

void CalendarView::CreateNavigation(QWidget* parent) {
    btnPrevMonat_ = new GlyphButton(parent, false);
    btnNextMonat_ = new GlyphButton(parent, true);
    btnPrevJahr_ = new GlyphButton(parent, false);
    btnNextJahr_ = new GlyphButton(parent, true);
    lblMonat_ = MakeLabel(parent, look::LightBlue, true);
    lblJahr_ = MakeLabel(parent, look::LightBlue, true);
    cbMonat_ = MakeList(parent, 83);
    cbJahr_ = MakeList(parent, 54);
    btnPrevMonat_->setObjectName(QStringLiteral("btnPrevMonat"));
    btnNextMonat_->setObjectName(QStringLiteral("btnNextMonat"));
    btnPrevJahr_->setObjectName(QStringLiteral("btnPrevJahr"));
    btnNextJahr_->setObjectName(QStringLiteral("btnNextJahr"));
    cbMonat_->setObjectName(QStringLiteral("cbMonat"));
    cbJahr_->setObjectName(QStringLiteral("cbJahr"));
    for (int i = 0; i < 12; ++i) cbMonat_->addItem(QString());
    // The captions label the lists for a screen reader.
    lblMonat_->setBuddy(cbMonat_);
    lblJahr_->setBuddy(cbJahr_);
    // Tab order: month list, year list, the four buttons, then the days
    // (PlaceGridInTabOrder).
    QWidget::setTabOrder(cbMonat_, cbJahr_);
    QWidget::setTabOrder(cbJahr_, btnPrevMonat_);
    QWidget::setTabOrder(btnPrevMonat_, btnNextMonat_);
    QWidget::setTabOrder(btnNextMonat_, btnPrevJahr_);
    QWidget::setTabOrder(btnPrevJahr_, btnNextJahr_);
    connect(grid_, &DayGrid::monthStepRequested, this, &CalendarView::StepByKey);

    connect(btnPrevMonat_, &GlyphButton::clicked, this, [this] { Navigate(PrevMonat(shown_)); });
    connect(btnNextMonat_, &GlyphButton::clicked, this, [this] { Navigate(NextMonat(shown_)); });
    connect(btnPrevJahr_, &GlyphButton::clicked, this, [this] { Navigate(PrevJahr(shown_)); });
    connect(btnNextJahr_, &GlyphButton::clicked, this, [this] { Navigate(NextJahr(shown_)); });
    connect(cbMonat_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) Navigate({index + 1, shown_.CurJahr});
    });
    connect(cbJahr_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) Navigate({shown_.CurMonat, cbJahr_->itemText(index).toInt()});
    });
}

QWidget& CalendarView::FirstTabStop() const { return *cbMonat_; }

void CalendarView::PlaceGridInTabOrder() { QWidget::setTabOrder(btnNextJahr_, grid_); }

void CalendarView::StepByKey(bool forward, int day) {
    const int oldDays = aktMonat_.AnzahlTage;
    Navigate(forward ? NextMonat(shown_) : PrevMonat(shown_));
    // Counted on from the old month's end or back from the new one's.
    if (day > oldDays) day -= oldDays;
    else if (day < 1) day += aktMonat_.AnzahlTage;
    grid_->SetFocusDay(day);
}

void CalendarView::Navigate(ShownMonth next) {
    shown_ = next;
    today_ = TodayDayNumber(clock_);
    Rebuild();
}

void CalendarView::ShowToday() {
    // A clock outside the calendar's years reads as the nearer end of them;
    // the navigation rules then keep every step inside.
    today_ = TodayDayNumber(clock_);
    const Date today = DayNumberToDate(today_);
    shown_ = {today.Month, today.Year};
    const QSignalBlocker blocker(cbJahr_);
    cbJahr_->clear();
    for (int year = MinJahr; year <= MaxJahr; ++year) cbJahr_->addItem(QString::number(year));
}

void CalendarView::SetLanguageTexts(LanguageId language) {
    language_ = language;
    use24Std_ = Use24StdFor(language);
    if (language == German || language == English) {
        firstWeekday_ = FirstWeekday(language);
        for (int k = 0; k < 7; ++k) {
            const int weekday = (firstWeekday_ + k) % 7;
            lblTag_[k]->setText(QString::fromStdString(WeekdayName(weekday, language)));
        }
    }
    lblMonat_->setText(QString::fromStdString(TextById(textid::MonthCaption, language)));
    lblJahr_->setText(QString::fromStdString(TextById(textid::YearCaption, language)));
    // The arrows are painted: a screen reader gets their names from here.
    GlyphButton* const buttons[] = {btnPrevMonat_, btnNextMonat_, btnPrevJahr_, btnNextJahr_};
    for (int i = 0; i < 4; ++i)
        buttons[i]->setAccessibleName(
            QString::fromStdString(TextById(textid::NavigationButtonNames + i, language)));
    const QSignalBlocker blocker(cbMonat_);
    for (int i = 0; i < 12; ++i)
        cbMonat_->setItemText(i, QString::fromStdString(MonatsName(i + 1, language)));
}

void CalendarView::Rebuild() {
    aktMonat_ = MonatAufbauen(shown_.CurMonat, shown_.CurJahr, today_, clock_);
    FillGrid();
}

void CalendarView::FillGrid() {
    DayGrid::Cells cells{};
    const QString caption = QString::fromStdString(MonatJahrText(aktMonat_.Monat, aktMonat_.Jahr, language_));
    lblMonatJahr_->setText(caption);
    grid_->setAccessibleName(caption);
    if (aktMonat_.AnzahlTage > 0) {
        int column = ColumnOfWeekday(aktMonat_.Tage[1].Wochentag, firstWeekday_) + 1;
        int row = 1;
        for (int d = 1; d <= aktMonat_.AnzahlTage; ++d) {
            const TTagInfo& info = aktMonat_.Tage[d];
            DayCell& cell = cells[(row - 1) * DayGrid::Columns + (column - 1)];
            cell.Day = d;
            cell.Today = info.Heute != 0;
            cell.Spoken = QString::fromStdString(SpokenDay({d, aktMonat_.Monat, aktMonat_.Jahr}, info, language_));
            if (info.Phase != PhaseKind::None) {
                cell.Phase = QString::fromStdString(PhaseName(info.Phase, language_));
                cell.Zeit = QString::fromStdString(
                    ZeitText(JoinSecondOfDay(info.Stunde, info.Minute, info.Sekunde), use24Std_));
                cell.Icon = IconOfKind(info.Phase);
            }
            if (++column > 7) {
                column = 1;
                ++row;
            }
        }
    }
    grid_->SetCells(cells);
    const QSignalBlocker blockMonth(cbMonat_);
    const QSignalBlocker blockYear(cbJahr_);
    cbMonat_->setCurrentIndex(shown_.CurMonat - 1);
    cbJahr_->setCurrentIndex(YearListPosition(shown_.CurJahr));
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the two heights the window's layout gives
void CalendarView::Place(int d, int navigationTop) {
    grid_->move(0, 78 + d);
    lblMonatJahr_->setGeometry(2, 43 + d, 195, 15);
    pnlWochenTage_->hide();
    pnlWochenTage_->setGeometry(0, 58 + d, 498, 18);
    pnlWochenTage_->show();
    const int R = navigationTop;
    btnPrevMonat_->move(4, R + 4);
    btnNextMonat_->move(66, R + 4);
    btnPrevJahr_->move(410, R + 4);
    btnNextJahr_->move(472, R + 4);
    lblMonat_->setGeometry(27, R + 5, 38, 15);
    lblJahr_->setGeometry(433, R + 5, 38, 15);
    cbMonat_->move(180, R + 3);
    cbJahr_->move(267, R + 3);
}

}  // namespace selenara
