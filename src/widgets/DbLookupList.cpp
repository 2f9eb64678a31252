#include "DbLookupList.h"

#include "database/DataSource.h"
#include "database/Query.h"

namespace korvel {

DbLookupList::DbLookupList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, [this](int row) { choose(row); });
    connect(this, &QComboBox::currentIndexChanged, this, &DbLookupList::announceText);
}

void DbLookupList::announceText()
{
    const QString shown = text();
    if (shown == m_announced)
        return;
    m_announced = shown;
    emit textChanged(shown);
}

void DbLookupList::setListSource(DataSource* source)
{
    if (m_source)
        disconnect(m_source->query(), nullptr, this, nullptr);
    m_source = source;
    if (m_source)
        connect(m_source->query(), &Query::changed, this, &DbLookupList::reload);
    reload();
}

void DbLookupList::setListField(const QString& field)
{
    m_listField = field;
    reload();
}

void DbLookupList::reload()
{
    fill();
    announceText();
}

void DbLookupList::fill()
{
    const QSignalBlocker blocker(this);
    clear();
    if (!m_source || m_listField.isEmpty())
        return;
    Query* q = m_source->query();
    const int column = q->columnIndex(m_listField);
    const int keyColumn = q->columnIndex(m_keyField);
    int chosen = -1;
    for (int row = 0; row < q->rowCount(); ++row) {
        addItem(q->value(row, column).toString());
        if (m_key.isValid() && keyColumn >= 0 && q->value(row, keyColumn) == m_key && chosen < 0)
            chosen = row;
    }
    setCurrentIndex(chosen);
    if (chosen >= 0)
        q->setCurrentRow(chosen);
    else if (q->isOpen())
        m_key = QVariant(); // the chosen key has gone; a closed query (reopening) keeps it
}

QString DbLookupList::text() const { return currentIndex() >= 0 ? currentText() : QString(); }

void DbLookupList::choose(int row)
{
    if (!m_source || row < 0 || row >= count())
        return;
    Query* q = m_source->query();
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(row);
    }
    m_key = q->value(row, m_keyField);
    q->setCurrentRow(row);
    announceText();
    emit clicked();
}

bool DbLookupList::chooseText(const QString& text)
{
    const int row = findText(text, Qt::MatchExactly);
    if (row < 0)
        return false;
    choose(row);
    return true;
}

void DbLookupList::clearChoice()
{
    {
        const QSignalBlocker blocker(this);
        m_key = QVariant();
        setCurrentIndex(-1);
    }
    announceText();
}

} // namespace korvel
