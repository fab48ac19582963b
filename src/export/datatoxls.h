// A dataset as an Excel 2.1 (BIFF2) worksheet: BOF, three fonts, DIMENSIONS,
// a header row of labels, one cell per exported field per record, EOF.
#pragma once

#include "dataexport.h"
#include "valuetext.h"

#include <QLocale>

#include <memory>

class TDataToXLS : public TDataExport {
public:
    explicit TDataToXLS(TDataSet *data = nullptr);

    // Row numbers are 16 bits and row 0 holds the header.
    static constexpr int kMaxDataRows = 65535;
    int maxRecords() const override { return kMaxDataRows; }

    // Locale of the dates written as text.
    void setLocale(const QLocale &locale) { m_locale = locale; }

    // Off by default because the worksheet is exactly the Excel 2.1 records above, no others;
    // on, CODEPAGE 1250 follows BOF, so readers that assume Windows-1252 show ő, ű, Ő, Ű right.
    void setDeclareCodePage(bool on) { m_declareCodePage = on; }

protected:
    void writeBegin() override;
    void writeRecord(int row) override;
    void writeEnd() override;

private:
    void writeFont(const TExportFont &font);
    void writeLabel(int row, int col, quint8 attr1, quint8 attr2, const QString &text);
    void writeCellPrefix(quint16 type, quint16 length, int row, int col, quint8 attr2);

    QLocale m_locale;
    bool m_declareCodePage = false;
    std::unique_ptr<zorva::PlainValueFormatter> m_format;  // while an export runs
};
