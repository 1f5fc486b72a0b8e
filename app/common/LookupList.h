#pragma once
// The lookup list: a search edit with a list box under it that completes the
// typed text from the rows of a source and, when the edit is left, copies the
// chosen row's display value into the edit and its key into a hidden field.
//
//   m_destino = new LookupList(edtDestino, lstdestino, ctx.messages, this);
//   m_destino->setSource(dm.cdslistabairro, "bairro", "id_bairro", edt_id_destinoPd);
//   m_destino->setPreparation([this] { ...; return true; });  // the screen's own steps first
//   m_destino->setOnMatch([this] { edtTrajeto->setText(...); }); // further columns
//   m_destino->fill();
//
// Typing (or the program setting the text) shows the list while the text is
// not empty and moves the highlight to the first entry that begins with the
// text, ignoring case, searching from the second entry to the last and then
// the first; no match keeps the earlier highlight. The list never loses
// entries. Leaving the edit applies only the entry highlighted at that moment:
// the first row of the source, in its order, whose display column begins with
// that entry (equals it, for a numeric column). A click in the list counts as
// leaving with the earlier highlight; the clicked entry becomes the new one.
//
// The entries are indexed once when filled (a case-folded sorted copy with the
// entries' positions), so a keystroke costs two binary searches, not a pass
// over every entry.

#include "MessageService.h"
#include "data/Field.h"

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

namespace rv {

class HeldResult;
class Query;

class LookupList : public QObject {
    Q_OBJECT

public:
    // Leave::ByScreen: the screen calls leave() or apply() from its own leave action.
    enum class Leave { Automatic, ByScreen };

    LookupList(QLineEdit *edit, QListWidget *list, MessageService &messages, QObject *parent = nullptr,
               Leave leave = Leave::Automatic);

    // The rows the entries come from. keyField may be null where the displayed
    // value is itself the key.
    void setSource(HeldResult &source, const QString &displayColumn, const QString &keyColumn = {},
                   QLineEdit *keyField = nullptr);
    void setSource(Query &source, const QString &displayColumn, const QString &keyColumn = {},
                   QLineEdit *keyField = nullptr);

    // A sorted list keeps its entries in text order instead of the source's.
    void setSorted(bool sorted) { m_sorted = sorted; }
    // Off: on a match the edit keeps the typed text (only the key and the
    // further columns are taken).
    void setWritesDisplay(bool writes) { m_writesDisplay = writes; }

    // The instance's own steps, run first when the edit is left; returning
    // false ends the leave there.
    void setPreparation(std::function<bool()> steps) { m_preparation = std::move(steps); }
    // Run after a row was applied, with the source standing on that row
    // (read it with field()).
    void setOnMatch(std::function<void()> steps) { m_onMatch = std::move(steps); }
    // Run when leaving applied nothing; tells whether an entry was highlighted.
    void setOnNoMatch(std::function<void(bool highlighted)> steps) { m_onNoMatch = std::move(steps); }

    // Empty the list and append the display value of every row of the source
    // (opened if it is not), in the source's order or sorted.
    void fill();
    // Any entries (an earlier fill from another dataset, for instance).
    void setEntries(const QStringList &entries);
    const QStringList &entries() const { return m_entries; }

    QLineEdit *edit() const { return m_edit; }
    QListWidget *list() const { return m_list; }
    QLineEdit *keyField() const { return m_keyField; }

    int highlight() const;           // -1: none
    QString highlightedText() const;
    // The entry the change rule picks for a text, or -1.
    int find(const QString &text) const;

    // The whole leave rule: preparation, then apply, then the match or
    // no-match steps. Runs by itself on leaving the edit (Leave::Automatic).
    void leave();
    // Apply the highlighted entry: true when a row was found and copied.
    bool apply();

    // A column of the source's current row.
    Field field(const QString &column) const;

private:
    void textChanged(const QString &text);

    struct IndexEntry {
        QString folded;
        int position;
    };
    struct SourceAccess {
        std::function<QStringList(const QString &column)> texts;
        std::function<bool(const QString &column, const QString &text)> locate;
        std::function<Field(const QString &column)> field;
    };

    QPointer<QLineEdit> m_edit;
    QPointer<QListWidget> m_list;
    QPointer<QLineEdit> m_keyField;
    SourceAccess m_source;
    QString m_displayColumn;
    QString m_keyColumn;
    bool m_sorted = false;
    bool m_writesDisplay = true;
    std::function<bool()> m_preparation;
    std::function<void()> m_onMatch;
    std::function<void(bool)> m_onNoMatch;

    QStringList m_entries;
    std::vector<IndexEntry> m_index; // sorted by folded text
};

// The values of one column of every row, as text, first to last (the source
// is opened when it is not). For list boxes that are not lookups.
QStringList columnTexts(HeldResult &source, const QString &column);
QStringList columnTexts(Query &source, const QString &column);

// Whether a value matches a lookup text as a locate does: a text column when
// it begins with the text ignoring case, a numeric column when it equals it.
bool lookupMatches(const Field &value, const QString &text);

} // namespace rv
