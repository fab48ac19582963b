// The owner's data: the one row of the table tulajdonos that the printed reports show
// in their heading.
#pragma once

#include "core/ui/editdialog.h"

#include <array>

class QLineEdit;

namespace zorva {

class Tfrm_Tulajdonos : public EditDialog {
    Q_OBJECT
public:
    static constexpr int FieldCount = 9;
    struct Column {
        const char *name;   // column of tulajdonos
        const char *label;  // window text
        int length;         // longest text the column holds
    };
    static const std::array<Column, FieldCount> &columns();

    explicit Tfrm_Tulajdonos(TDataSet *table, QWidget *parent = nullptr);
    QLineEdit *edit(int i) const { return m_edits.at(size_t(i)); }
    QLineEdit *edit(const QString &column) const;

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    void storeValues() override;

private:
    std::array<QLineEdit *, FieldCount> m_edits{};
};

// Opens the owner's row (making it when the database has none) in the dialog; true when
// it was written with OK.
bool EditOwner(QWidget *parent = nullptr);

}  // namespace zorva
