#include "dialogs/CityCompleter.h"

#include "toolkit/Look.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QCompleter>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>

namespace selenara {
namespace {

// Only A-Z fold: the place lists spell umlauts as they are meant.
char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; }

// Dictionary order without regard to case, as the place lists themselves
// are ordered: "Anröchte" before "Anrode".
const QCollator& Dictionary() {
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

}  // namespace

bool BeginsWithTyped(const QString& name, const QString& typed) {
    if (name.size() < typed.size()) return false;
    for (qsizetype i = 0; i < typed.size(); ++i)
        if (FoldAscii(name[i].unicode()) != FoldAscii(typed[i].unicode())) return false;
    return true;
}

int FirstCompletion(const QStringList& names, const QString& typed) {
    for (qsizetype i = 0; i < names.size(); ++i)
        if (BeginsWithTyped(names[i], typed)) return static_cast<int>(i);
    return -1;
}

QStringList CompletionList(const QStringList& names, const QString& typed) {
    QStringList matches;
    for (const QString& name : names)
        if (BeginsWithTyped(name, typed)) matches.append(name);
    const QCollator& dictionary = Dictionary();
    std::stable_sort(matches.begin(), matches.end(),
                     [&dictionary](const QString& a, const QString& b) { return dictionary.compare(a, b) < 0; });
    return matches;
}

CityEdit::CityEdit(QWidget* parent) : QLineEdit(parent) {
    model_ = new QStringListModel(this);
    // Unfiltered: the model holds exactly the matches, filtered here, since
    // the completer's own case folding would also fold umlauts.
    completer_ = new QCompleter(model_, this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCaseSensitivity(Qt::CaseSensitive);
    completer_->setMaxVisibleItems(8);
    completer_->setWidget(this);
    QAbstractItemView* list = completer_->popup();
    list->setFont(look::WindowFont());  // a top-level window: nothing to inherit
    // Border and padding take up the 3 + 3 pixels the completer adds to the
    // rows' height, so that no ninth row peeps in.
    list->setStyleSheet(QStringLiteral("QListView { background: black; color: white; border: 1px solid white; "
                                       "padding: 2px 0px; selection-background-color: %1; selection-color: black; }")
                            .arg(look::LightBlue.name()));
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& name) {
        setText(name);
        selectAll();
    });
    connect(this, &QLineEdit::textEdited, this, &CityEdit::OnTextEdited);
}

void CityEdit::SetNames(const std::vector<std::string>& names) {
    names_.clear();
    names_.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) names_.append(QString::fromStdString(name));
    HideList();
}

QStringList CityEdit::ListedNames() const { return model_->stringList(); }

bool CityEdit::event(QEvent* event) {
    // Only the outermost event: events sent while one is handled (input
    // method queries, a context menu's own loop) must not overwrite it.
    if (eventDepth_ == 0) {
        lengthBefore_ = text().size();
        selectedBefore_ = selectionLength();
    }
    ++eventDepth_;
    const bool handled = QLineEdit::event(event);
    --eventDepth_;
    return handled;
}

void CityEdit::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    const bool tab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    // The field selects its text itself, once a screen reader has heard of
    // the focus: selected before, the text is announced as a selection
    // before the field is named.
    QFocusEvent plain(event->type(), tab ? Qt::OtherFocusReason : reason);
    QLineEdit::focusInEvent(&plain);
    // After the click that brought the focus has placed the cursor; not when
    // the list below closes or the window comes back: typing goes on.
    if (tab || reason == Qt::MouseFocusReason) QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void CityEdit::keyPressEvent(QKeyEvent* event) {
    // Enter selects the text, then goes on (ignored) to the dialog as OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) selectAll();
    QLineEdit::keyPressEvent(event);
}

void CityEdit::OnTextEdited(const QString& text) {
    // A copy: setText below changes the string behind the reference.
    const QString typed = text;  // NOLINT(performance-unnecessary-copy-initialization)
    if (typed.isEmpty()) {
        HideList();
        return;
    }
    const bool deletion = typed.size() <= lengthBefore_ - selectedBefore_;
    if (!deletion && cursorPosition() == typed.size()) {
        const int index = FirstCompletion(names_, typed);
        if (index >= 0 && names_[index] != typed) {
            const QString& entry = names_[index];
            setText(entry);
            // The added characters selected, so that typing on replaces them.
            setSelection(static_cast<int>(typed.size()), static_cast<int>(entry.size() - typed.size()));
        }
    }
    ShowList(typed);
}

void CityEdit::ShowList(const QString& typed) {
    const QStringList matches = CompletionList(names_, typed);
    if (matches.isEmpty() || (matches.size() == 1 && matches.front() == text())) {
        HideList();
        return;
    }
    model_->setStringList(matches);
    completer_->complete();  // below the field and as wide as it
    // No row current: Enter closes the list and keeps what was typed.
    completer_->popup()->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
}

void CityEdit::HideList() {
    completer_->popup()->hide();
    model_->setStringList({});
}

}  // namespace selenara
