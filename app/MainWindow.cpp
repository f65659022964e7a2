#include "app/MainWindow.h"

#include "app/LorePanels.h"
#include "app/Tray.h"
#include "calendarview/CalendarView.h"
#include "calendarview/DayHint.h"
#include "dialogs/AboutBox.h"
#include "dialogs/OptionsDialog.h"
#include "texts/TextIds.h"
#include "toolkit/Balloon.h"
#include "toolkit/HoverLabel.h"
#include "toolkit/JpegImage.h"
#include "toolkit/Look.h"
#include "Version.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace selenara {
namespace {

QLabel* Picture(QWidget* parent, const char* artwork) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(artwork));
    label->move(0, 18);
    label->hide();
    return label;
}

// Pictures are decoded when first shown: the start shows only two of four.
void ShowPicture(QLabel* label, bool visible) {
    if (visible && label->pixmap().isNull()) {
        const QImage image = LoadArtwork(label->objectName().toLatin1().constData());
        label->setPixmap(QPixmap::fromImage(image));
        label->resize(image.size());
    }
    label->setVisible(visible);
}

}  // namespace

MainWindow::MainWindow(const ZoneClock& clock, SettingsStore& store, SettingsMessage report,
                       TrayCheck trayAvailable)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      clock_(clock),
      trayCheck_(std::move(trayAvailable)),
      settings_(store, std::move(report)),
      random_(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch())) {
    setWindowTitle(QStringLiteral("Selenara ") + QString::fromLatin1(ProgramVersion));
    setFont(look::WindowFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, look::Black);
    setPalette(p);
    setAutoFillBackground(true);

    // Pictures first: what is created later lies above them.
    imgHintergrund_ = Picture(this, "background.jpg");
    imgHintergrundLore_ = Picture(this, "background_lore.jpg");
    imgUntenText_ = Picture(this, "strip_text.jpg");
    imgUntenKeinText_ = Picture(this, "strip_notext.jpg");

    auto* pnlMenue = new QFrame(this);
    pnlMenue->setGeometry(0, 0, 498, 19);
    // Black with a white line round it. Drawn from the palette: a style
    // sheet here would put the window's start through the style-sheet
    // machinery for one rectangle.
    pnlMenue->setFrameStyle(QFrame::Box | QFrame::Plain);
    pnlMenue->setLineWidth(1);
    QPalette menuColours = pnlMenue->palette();
    menuColours.setColor(QPalette::Window, look::Black);
    menuColours.setColor(QPalette::WindowText, look::White);
    pnlMenue->setPalette(menuColours);
    pnlMenue->setAutoFillBackground(true);
    const int lefts[3] = {4, 339, 415};
    const char* names[3] = {"lblBeenden", "lblOptionen", "lblUeber"};
    for (int i = 0; i < 3; ++i) {
        menuLabels_[i] = new HoverLabel(this);
        menuLabels_[i]->setObjectName(QString::fromLatin1(names[i]));
        menuLabels_[i]->PlaceText(lefts[i], 3);
    }
    connect(menuLabels_[0], &HoverLabel::clicked, this, &MainWindow::Exit);
    connect(menuLabels_[1], &HoverLabel::clicked, this, &MainWindow::OpenOptions);
    connect(menuLabels_[2], &HoverLabel::clicked, this, [this] { About().ShowModal(); });

    calendar_ = new CalendarView(this, clock_);
    connect(&calendar_->Grid(), &DayGrid::dayClicked, this, &MainWindow::ShowDayHint);
    // Before the panels listen: the window is arranged before they pick.
    connect(&settings_, &SettingsOwner::languageChanged, this, &MainWindow::ApplyLanguage);
    connect(&settings_, &SettingsOwner::settingsApplied, this, &MainWindow::ArrangePanels);
    panels_ = new LorePanels(this, settings_, random_);
    calendar_->PlaceGridInTabOrder();
    PlaceMenuInTabOrder();
    ArrangePanels();

    // Logoff and shutdown are never refused (commitDataRequest goes
    // unanswered, which allows them), and they write no settings.
    qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::Quit && !exitFlag_) {
        quitting_ = true;
        // Should the quit not happen after all, closing hides again.
        QTimer::singleShot(0, this, [this] { quitting_ = false; });
    }
    return QWidget::eventFilter(watched, event);
}

MainWindow::~MainWindow() = default;

void MainWindow::PlaceMenuInTabOrder() {
    // The menu row closes the Tab ring, so it comes right before the month
    // list, which it stands above.
    QWidget* last = this;
    while (last->nextInFocusChain() != this) last = last->nextInFocusChain();
    for (HoverLabel* label : menuLabels_) {
        QWidget::setTabOrder(last, label);
        last = label;
    }
    // The focus at start stays on the month list: Enter on "Beenden" ends
    // the program.
    calendar_->FirstTabStop().setFocus();
}

void MainWindow::ArrangePanels() {
    const TSettings& s = settings_.Current().Settings;
    const int B = s.ShowLore ? 441 : 371;
    const int S = s.ShowInfoText ? 64 : 27;
    const int d = B - 371;
    ShowPicture(imgHintergrundLore_, s.ShowLore);
    ShowPicture(imgHintergrund_, !s.ShowLore);
    ShowPicture(imgUntenText_, s.ShowInfoText);
    ShowPicture(imgUntenKeinText_, !s.ShowInfoText);
    imgUntenText_->move(0, 18 + B);
    imgUntenKeinText_->move(0, 18 + B);
    const int navigationTop = 18 + B + S - 27;
    panels_->Arrange(navigationTop - 32);
    calendar_->Place(d, navigationTop);
    setFixedSize(498, 18 + B + S);
}

void MainWindow::ShowSequence() {
    ArrangePanels();
    calendar_->ShowToday();
    for (HoverLabel* label : menuLabels_) label->SetBoldLook(false);
    SetLanguageTexts();
    calendar_->Rebuild();
    panels_->ShowNewTexts();
    // Centred at every show, with the final size.
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::SetLanguageTexts() {
    const LanguageId language = settings_.Language();
    calendar_->SetLanguageTexts(language);
    const int ids[3] = {textid::ExitMenuCaption, textid::OptionsMenuCaption, textid::AboutMenuCaption};
    for (int i = 0; i < 3; ++i) {
        menuLabels_[i]->setText(QString::fromStdString(TextById(ids[i], language)));
        menuLabels_[i]->adjustSize();
    }
}

void MainWindow::ApplyLanguage() {
    SetLanguageTexts();
    calendar_->FillGrid();
}

void MainWindow::OpenOptions() {
    OptionsDialog& options = Options();
    if (options.Open(settings_.Current()) == QDialog::Accepted) settings_.Apply(options.Settings());
}

// The dialogs are made when first wanted, not at the start.
OptionsDialog& MainWindow::Options() {
    if (!options_) {
        options_ = new OptionsDialog(this, settings_.Current());
        connect(options_, &OptionsDialog::languageChanged, &settings_, &SettingsOwner::SetLanguage);
    }
    return *options_;
}

Tray& MainWindow::TrayIcon() {
    if (!tray_) {
        tray_ = new Tray(this, clock_, settings_.Language());
        connect(&settings_, &SettingsOwner::languageChanged, tray_, &Tray::SetLanguage);
        tray_->SetWindowHidden(isHidden());
        connect(tray_, &Tray::restoreRequested, this, &MainWindow::Restore);
        connect(tray_, &Tray::exitRequested, this, &MainWindow::Exit);
    }
    return *tray_;
}

bool MainWindow::TrayAvailable() {
    if (!trayAvailable_) trayAvailable_ = trayCheck_();
    return *trayAvailable_;
}

AboutBox& MainWindow::About() {
    if (!about_) {
        about_ = new AboutBox(this, settings_.Language());
        connect(&settings_, &SettingsOwner::languageChanged, about_, &AboutBox::SetLanguage);
    }
    return *about_;
}

void MainWindow::ShowDayHint(int day, QPoint anchor) {
    const ShownMonth shown = calendar_->Shown();
    const UserSettings& u = settings_.Current();
    const QString text = DayHintText(day, shown.CurMonat, shown.CurJahr, u.Language, u.Settings, clock_);
    Balloon::ShowAt(anchor, text, look::WindowFont());
}

void MainWindow::showEvent(QShowEvent* event) {
    // Only a show from hidden runs the sequence, not the system's re-exposures.
    if (!event->spontaneous()) ShowSequence();
    QWidget::showEvent(event);
}

void MainWindow::Restore() {
    const bool wasHidden = isHidden();
    if (isMinimized()) showNormal();
    show();
    if (!wasHidden) {
        raise();
    }
    activateWindow();
    TrayIcon().SetWindowHidden(false);
}

void MainWindow::HideToTray() {
    if (TrayAvailable()) {
        hide();
        TrayIcon().SetWindowHidden(true);
    } else {
        // Without a tray a hidden window could not be reached again.
        showMinimized();
    }
}

void MainWindow::Exit() {
    exitFlag_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    if (!exitFlag_) {
        event->ignore();
        HideToTray();
        return;
    }
    settings_.Save();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    // The tray's setup waits until the window is on screen.
    if (!tray_) QMetaObject::invokeMethod(this, [this] { TrayIcon(); }, Qt::QueuedConnection);
    QWidget::paintEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized() && TrayAvailable()) {
        // Minimizing hides to the tray, after the state change has settled.
        QMetaObject::invokeMethod(this, [this] { HideToTray(); }, Qt::QueuedConnection);
    }
    QWidget::changeEvent(event);
}

}  // namespace selenara
