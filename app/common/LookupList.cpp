#include "LookupList.h"

#include "KeyRules.h"
#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/Query.h"

#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <climits>

namespace rv {

QStringList columnTexts(HeldResult &source, const QString &column)
{
    source.open();
    const int c = source.columnIndex(column);
    if (c < 0)
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(source.name(), column));
    QStringList texts;
    texts.reserve(source.recordCount());
    for (int r = 0; r < source.recordCount(); ++r)
        texts.append(source.fieldAt(r, c).asString());
    return texts;
}

QStringList columnTexts(Query &source, const QString &column)
{
    if (!source.active())
        source.open();
    QStringList texts;
    texts.reserve(source.recordCount());
    for (int r = 0; r < source.recordCount(); ++r)
        texts.append(fieldOf(source.rows(), r, column, source.name()).asString());
    return texts;
}

bool lookupMatches(const Field &value, const QString &text)
{
    if (value.isNull())
        return false;
    if (isNumberKind(value.kind())) {
        QString t = text.trimmed();
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double number = t.toDouble(&ok);
        return ok && value.asFloat() == number;
    }
    return value.asString().startsWith(text, Qt::CaseInsensitive);
}

LookupList::LookupList(QLineEdit *edit, QListWidget *list, MessageService &messages, QObject *parent, Leave leave)
    : QObject(parent), m_edit(edit), m_list(list)
{
    list->hide();
    // Reached by a click, never by Tab: the search edit leads to the next field.
    list->setFocusPolicy(Qt::ClickFocus);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    connect(edit, &QLineEdit::textChanged, this, &LookupList::textChanged);
    if (leave == Leave::Automatic)
        onLeave(edit, messages, [this] { this->leave(); });
}

void LookupList::setSource(HeldResult &source, const QString &displayColumn, const QString &keyColumn,
                           QLineEdit *keyField)
{
    HeldResult *s = &source;
    m_source.texts = [s](const QString &column) { return columnTexts(*s, column); };
    m_source.locate = [s](const QString &column, const QString &text) { return s->locate(column, text); };
    m_source.field = [s](const QString &column) { return s->fieldByName(column); };
    m_displayColumn = displayColumn;
    m_keyColumn = keyColumn;
    m_keyField = keyField;
}

void LookupList::setSource(Query &source, const QString &displayColumn, const QString &keyColumn,
                           QLineEdit *keyField)
{
    Query *q = &source;
    m_source.texts = [q](const QString &column) { return columnTexts(*q, column); };
    m_source.locate = [q](const QString &column, const QString &text) {
        for (q->first(); !q->eof(); q->next())
            if (lookupMatches(q->fieldByName(column), text))
                return true;
        return false;
    };
    m_source.field = [q](const QString &column) { return q->fieldByName(column); };
    m_displayColumn = displayColumn;
    m_keyColumn = keyColumn;
    m_keyField = keyField;
}

void LookupList::fill()
{
    if (!m_source.texts)
        return;
    setEntries(m_source.texts(m_displayColumn));
}

void LookupList::setEntries(const QStringList &entries)
{
    m_entries = entries;
    if (m_sorted)
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const QString &a, const QString &b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
    m_index.clear();
    m_index.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i)
        m_index.push_back({m_entries[i].toCaseFolded(), i});
    std::sort(m_index.begin(), m_index.end(), [](const IndexEntry &a, const IndexEntry &b) {
        return a.folded < b.folded || (a.folded == b.folded && a.position < b.position);
    });
    m_list->clear();
    m_list->addItems(m_entries);
}

int LookupList::highlight() const
{
    return m_list ? m_list->currentRow() : -1;
}

QString LookupList::highlightedText() const
{
    const int row = highlight();
    return row >= 0 && m_list->item(row) ? m_list->item(row)->text() : QString();
}

int LookupList::find(const QString &text) const
{
    if (text.isEmpty())
        return -1;
    const QString folded = text.toCaseFolded();
    const qsizetype n = folded.size();
    // Entries beginning with the text are one run of the sorted index.
    auto prefixOrder = [&](const IndexEntry &e) { return QStringView(e.folded).left(n).compare(folded); };
    const auto lo = std::partition_point(m_index.begin(), m_index.end(),
                                         [&](const IndexEntry &e) { return prefixOrder(e) < 0; });
    const auto hi = std::partition_point(lo, m_index.end(), [&](const IndexEntry &e) { return prefixOrder(e) == 0; });
    // The search runs from the second entry round to the first: the earliest
    // position after the first wins, the first only when nothing else begins so.
    int best = INT_MAX;
    bool first = false;
    for (auto it = lo; it != hi; ++it) {
        if (it->position == 0)
            first = true;
        else
            best = std::min(best, it->position);
    }
    if (best != INT_MAX)
        return best;
    return first ? 0 : -1;
}

void LookupList::textChanged(const QString &text)
{
    if (!m_list)
        return;
    if (text.isEmpty()) {
        m_list->hide();
        return;
    }
    m_list->show();
    m_list->raise();
    const int row = find(text);
    if (row < 0)
        return;
    m_list->setCurrentRow(row);
    m_list->scrollToItem(m_list->item(row));
}

void LookupList::leave()
{
    if (m_preparation && !m_preparation())
        return;
    const bool highlighted = highlight() >= 0;
    if (apply()) {
        if (m_onMatch)
            m_onMatch();
    } else if (m_onNoMatch) {
        m_onNoMatch(highlighted);
    }
}

bool LookupList::apply()
{
    if (!m_source.locate || !m_edit || highlight() < 0)
        return false;
    if (!m_source.locate(m_displayColumn, highlightedText()))
        return false;
    // Read the row before writing: writing the edit runs change handlers.
    const QString display = m_source.field(m_displayColumn).asString();
    const QString key = m_keyColumn.isEmpty() ? QString() : m_source.field(m_keyColumn).asString();
    if (m_writesDisplay)
        m_edit->setText(display);
    if (m_keyField)
        m_keyField->setText(key);
    m_list->hide();
    return true;
}

Field LookupList::field(const QString &column) const
{
    return m_source.field ? m_source.field(column) : Field();
}

} // namespace rv
