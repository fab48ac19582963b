// A pick-only drop-down of the names of a lookup dataset (cash types, clients) that
// stands for the key of the chosen row.
#pragma once

#include <QComboBox>
#include <QPointer>
#include <QString>
#include <QVariant>

class TDataSet;

namespace zorva {

class LookupCombo : public QComboBox {
    Q_OBJECT
public:
    explicit LookupCombo(QWidget *parent = nullptr);

    // The rows of `lookup` (already open) give the items: `nameField` shown, `keyField`
    // kept.  With `emptyItem` the list starts with an empty item that stands for "none".
    void setLookup(TDataSet *lookup, const QString &keyField, const QString &nameField, bool emptyItem);
    // Fills the items again from the lookup dataset; the chosen key stays chosen.
    void reload();

    // The chosen key; a null QVariant for none.  A key that the list does not hold is
    // kept as it was given (nothing shown), so that saving does not lose it.
    QVariant key() const;
    void setKey(const QVariant &key);
    // The item holding `key`, -1 when none does.
    int indexOfKey(const QVariant &key) const;

private:
    QPointer<TDataSet> m_lookup;
    QString m_keyField;
    QString m_nameField;
    bool m_emptyItem = false;
    QVariant m_unlisted;  // a given key that has no item
};

}  // namespace zorva
