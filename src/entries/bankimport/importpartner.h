// The partners of a statement that no client is called after, each given no client, a new
// client of its name, or a chosen client.
#pragma once

#include "importplan.h"
#include "core/ui/editdialog.h"

#include <QHash>
#include <QList>
#include <QStringList>

class QTableWidget;

namespace zorva {

class Tfrm_ImportPartner : public EditDialog {
    Q_OBJECT
public:
    Tfrm_ImportPartner(const QHash<QString, PartnerChoice> &choices, QWidget *parent = nullptr);
    QTableWidget *grid() const { return m_grid; }
    // The choices as the dialog shows them.
    QHash<QString, PartnerChoice> choices() const;

private:
    QStringList m_names;
    QList<int> m_clientIds;
    QTableWidget *m_grid = nullptr;
};

}  // namespace zorva
