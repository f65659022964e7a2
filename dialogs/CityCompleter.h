// The city field of the options dialog: as-you-type completion from the
// chosen country's places, inline in the field and in a list below it.
#pragma once

#include <QLineEdit>
#include <QStringList>

#include <string>
#include <vector>

class QCompleter;
class QStringListModel;

namespace selenara {

// Whether `name` begins with `typed`, ignoring the case of the ASCII letters
// a-z only: "aach" begins "Aachen", "ö" does not begin "Öhringen".
bool BeginsWithTyped(const QString& name, const QString& typed);

// The first name in list order that begins with `typed` (as above); -1 for none.
int FirstCompletion(const QStringList& names, const QString& typed);

// Every name that begins with `typed` (as above), in German dictionary order
// without regard to case ("aachen" and "Aachen" compare equal and keep their
// list order).
QStringList CompletionList(const QStringList& names, const QString& typed);

class CityEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CityEdit(QWidget* parent);

    // The places to complete from, in list order; hides the list.
    void SetNames(const std::vector<std::string>& names);
    // The list below the field (its model holds the matches shown).
    QCompleter* Completer() const { return completer_; }
    QStringList ListedNames() const;

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextEdited(const QString& text);
    void ShowList(const QString& typed);
    void HideList();

    QStringList names_;
    QStringListModel* model_ = nullptr;
    QCompleter* completer_ = nullptr;
    // The field as it was before the event being handled: an edit that
    // added nothing to what was left after removing the selection is a
    // deletion, and a deletion is never completed again.
    int eventDepth_ = 0;
    qsizetype lengthBefore_ = 0;
    qsizetype selectedBefore_ = 0;
};

}  // namespace selenara
