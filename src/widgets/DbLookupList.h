#pragma once
// A lookup list bound to a data source: it lists the list field of the source's
// rows; choosing an entry makes that row the current row of the source's query
// and emits clicked(). Its text is the shown text of the choice (empty when
// nothing is chosen). The choice (its key) survives a reopening of the query
// when the key is still there. textChanged() follows every change of the text,
// however it came about (a pick, a reopened query, a cleared choice).
#include <QComboBox>
#include <QVariant>

namespace korvel {

class DataSource;

class DbLookupList : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupList(QWidget* parent = nullptr);

    void setListSource(DataSource* source);
    DataSource* listSource() const { return m_source; }
    void setKeyField(const QString& field) { m_keyField = field; }
    void setListField(const QString& field);
    QString keyField() const { return m_keyField; }
    QString listField() const { return m_listField; }

    // The shown text of the choice; empty when nothing is chosen.
    QString text() const;
    QVariant keyValue() const { return m_key; }
    // Does what a user's pick does: chooses the row and emits clicked().
    void choose(int row);
    // Chooses the first entry with this text; false when there is none.
    bool chooseText(const QString& text);
    // Forgets the choice (text becomes empty) without touching the query.
    void clearChoice();

signals:
    void clicked();
    void textChanged(const QString& text);

private:
    void reload();
    void fill();
    // Emits textChanged() when the text differs from the one last announced.
    void announceText();

    DataSource* m_source = nullptr;
    QString m_keyField;
    QString m_listField;
    QVariant m_key;
    QString m_announced;
};

} // namespace korvel
