#include "lookupcombo.h"

#include "core/ui/slotguard.h"
#include "db/dataset.h"

namespace zorva {

LookupCombo::LookupCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    // A choice made by the user replaces a key the list did not hold.
    connect(this, &QComboBox::activated, this, guarded([this] { m_unlisted = QVariant(); }));
}

void LookupCombo::setLookup(TDataSet *lookup, const QString &keyField, const QString &nameField,
                            bool emptyItem)
{
    m_lookup = lookup;
    m_keyField = keyField;
    m_nameField = nameField;
    m_emptyItem = emptyItem;
    reload();
}

void LookupCombo::reload()
{
    const QVariant chosen = key();
    clear();
    if (m_emptyItem)
        addItem(QString(), QVariant());
    if (m_lookup && m_lookup->isActive()) {
        const int keyColumn = m_lookup->fieldIndex(m_keyField);
        const int nameColumn = m_lookup->fieldIndex(m_nameField);
        if (keyColumn >= 0 && nameColumn >= 0) {
            for (int r = 0; r < m_lookup->recordCount(); ++r) {
                const QVariant k = m_lookup->valueAt(r, keyColumn);
                if (!k.isNull())
                    addItem(m_lookup->valueAt(r, nameColumn).toString(), k.toInt());
            }
        }
    }
    setKey(chosen);
}

int LookupCombo::indexOfKey(const QVariant &key) const
{
    if (key.isNull())
        return m_emptyItem ? 0 : -1;
    const int wanted = key.toInt();
    for (int i = 0; i < count(); ++i) {
        const QVariant d = itemData(i);
        if (!d.isNull() && d.toInt() == wanted)
            return i;
    }
    return -1;
}

QVariant LookupCombo::key() const
{
    if (!m_unlisted.isNull())
        return m_unlisted;
    const int i = currentIndex();
    return i < 0 ? QVariant() : itemData(i);
}

void LookupCombo::setKey(const QVariant &key)
{
    const int i = indexOfKey(key);
    m_unlisted = i < 0 && !key.isNull() ? QVariant(key.toInt()) : QVariant();
    setCurrentIndex(i);
}

}  // namespace zorva
