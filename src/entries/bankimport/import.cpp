#include "import.h"

#include "importpartner.h"
#include "importszabaly.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/numberformat.h"
#include "core/ui/dbgrid.h"
#include "core/ui/filedialog.h"
#include "core/ui/inputtext.h"
#include "core/ui/mainicons.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "db/directquery.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace zorva {

namespace {

const QString kSection = QStringLiteral("frm_Import");
constexpr int PreviewRows = 50;

const QList<std::pair<QString, QString>> &columnRoles()
{
    static const QList<std::pair<QString, QString>> roles = {
        {QStringLiteral("datum"), QStringLiteral("Dátum")},
        {QStringLiteral("osszeg"), QStringLiteral("Összeg")},
        {QStringLiteral("jovairas"), QStringLiteral("Jóváírás")},
        {QStringLiteral("terheles"), QStringLiteral("Terhelés")},
        {QStringLiteral("szoveg"), QStringLiteral("Szöveg")},
        {QStringLiteral("partner"), QStringLiteral("Partner")},
        {QStringLiteral("azonosito"), QStringLiteral("Azonosító")}};
    return roles;
}

void fillIdCombo(QComboBox *combo, const QString &sql, int current)
{
    combo->clear();
    TmySQLDirectQuery q(&mainConnection());
    q.setSQL(sql);
    for (q.open(); !q.eof(); q.next())
        combo->addItem(q.fieldValue(1), q.fieldValue(0).toInt());
    q.close();
    const int i = combo->findData(current);
    combo->setCurrentIndex(i >= 0 ? i : (combo->count() > 0 ? 0 : -1));
}

int comboId(const QComboBox *combo)
{
    return combo->currentIndex() >= 0 ? combo->currentData().toInt() : 0;
}

QComboBox *addCombo(QGridLayout *grid, int row, int col, const QString &label, const QString &name,
                    QWidget *parent)
{
    auto *l = new QLabel(label, parent);
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    l->setBuddy(c);
    grid->addWidget(l, row, col);
    grid->addWidget(c, row, col + 1);
    return c;
}

}  // namespace

Tfrm_Import::Tfrm_Import(const QString &path, const CsvText &text, QWidget *parent)
    : ListWindow(QStringLiteral("frm_Import"), QStringLiteral("Bankkivonat importálása"), parent),
      m_path(path),
      m_text(text)
{
    QFile f(path);
    if (f.open(QIODevice::ReadOnly) && f.size() <= MaxStatementBytes)
        m_bytes = f.readAll();
    m_plan.fileName = QFileInfo(path).fileName();

    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.addFieldDef(QStringLiteral("sor"), TFieldType::ftInteger);
    Tbl.addFieldDef(QStringLiteral("allapot"), TFieldType::ftString, 30);
    Tbl.addFieldDef(QStringLiteral("datum"), TFieldType::ftDate);
    Tbl.addFieldDef(QStringLiteral("osszeg"), TFieldType::ftFloat);
    Tbl.addFieldDef(QStringLiteral("szoveg"), TFieldType::ftString, 255);
    Tbl.addFieldDef(QStringLiteral("partner"), TFieldType::ftString, 50);
    Tbl.addFieldDef(QStringLiteral("ugyfel"), TFieldType::ftString, 30);
    Tbl.addFieldDef(QStringLiteral("kasszatip_nev"), TFieldType::ftString, 50);
    Tbl.addFieldDef(QStringLiteral("azonosito"), TFieldType::ftString, 100);
    Tbl.addFieldDef(QStringLiteral("megjegyzes"), TFieldType::ftString, 200);

    setTitle(QStringLiteral("Bankkivonat: %1  ").arg(m_plan.fileName));
    setDesignSize(980, 680);
    setDataSet(&Tbl);
    setKeyField(QStringLiteral("sor"));
    setColumns({{QStringLiteral("sor"), QStringLiteral("Sor")},
                {QStringLiteral("allapot"), QStringLiteral("Állapot")},
                {QStringLiteral("datum"), QStringLiteral("Dátum")},
                {QStringLiteral("osszeg"), QStringLiteral("Összeg")},
                {QStringLiteral("szoveg"), QStringLiteral("Szöveg")},
                {QStringLiteral("partner"), QStringLiteral("Partner")},
                {QStringLiteral("ugyfel"), QStringLiteral("Ügyfél")},
                {QStringLiteral("kasszatip_nev"), QStringLiteral("Kassza típus")},
                {QStringLiteral("megjegyzes"), QStringLiteral("Megjegyzés")}});
    setColumnShares(40, {0.05, 0.1, 0.09, 0.09, 0.2, 0.14, 0.07, 0.12, 0.14});
    setMarkedColumn(-1);

    QAction *aKonyvel = addWindowAction(QStringLiteral("aKonyvel"), QStringLiteral("Könyvelés"),
                                        QStringLiteral("A könyvelendő sorok könyvelése a kasszába"),
                                        QKeySequence(Qt::CTRL | Qt::Key_Return), standardIcon(Accept));
    QAction *aDuplikalt =
        addWindowAction(QStringLiteral("aDuplikalt"), QStringLiteral("Duplikált is"),
                        QStringLiteral("A duplikáltnak jelölt sor könyvelése mégis (ki/be)"),
                        QKeySequence(Qt::CTRL | Qt::Key_D), mainIcon(MainIcon::Edit));
    QAction *aSzabaly = addWindowAction(QStringLiteral("aSzabaly"), QStringLiteral("Szabályok"),
                                        QStringLiteral("Kassza típus szabályok szerkesztése"),
                                        QKeySequence(Qt::CTRL | Qt::Key_R), mainIcon(MainIcon::Settings));
    QAction *aPartner = addWindowAction(QStringLiteral("aPartner"), QStringLiteral("Partnerek"),
                                        QStringLiteral("Ügyfél nélküli partnerek: létrehozás vagy választás"),
                                        QKeySequence(Qt::CTRL | Qt::Key_U), mainIcon(MainIcon::Users));
    QAction *aMinta = addWindowAction(QStringLiteral("aMinta"), QStringLiteral("Minta mentése"),
                                      QStringLiteral("Az oszlopok megfeleltetésének mentése név szerint"),
                                      QKeySequence(Qt::CTRL | Qt::Key_S), mainIcon(MainIcon::Note));
    QAction *aBezar = addStandardAction(Close);
    setToolBarActions({aKonyvel, nullptr, aDuplikalt, aSzabaly, aPartner, aMinta, nullptr, aBezar});
    setContextActions({aDuplikalt, aPartner, aSzabaly, nullptr, aKonyvel});
    connect(aKonyvel, &QAction::triggered, this, guarded(this, &Tfrm_Import::book));
    connect(aDuplikalt, &QAction::triggered, this, guarded(this, &Tfrm_Import::toggleDuplicate));
    connect(aSzabaly, &QAction::triggered, this, guarded(this, &Tfrm_Import::editRules));
    connect(aPartner, &QAction::triggered, this, guarded(this, &Tfrm_Import::editPartners));
    connect(aMinta, &QAction::triggered, this, guarded(this, &Tfrm_Import::saveMappingAs));

    m_counts = new QLabel(statusBar());
    m_counts->setObjectName(QStringLiteral("StatusCounts"));
    statusBar()->addWidget(m_counts, 1);
    m_progress = new QProgressBar(statusBar());
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setFixedWidth(220);
    m_progress->setVisible(false);
    statusBar()->addPermanentWidget(m_progress);

    buildPanel();

    // The format the file shows, then a mapping saved for its header line, else a guess.
    m_map.csv = detectFormat(m_text.text, m_text.encoding);
    showMapping();
    formatChanged();
}

Tfrm_Import::~Tfrm_Import() = default;

QComboBox *Tfrm_Import::columnCombo(const QString &role) const
{
    return m_columns.value(role);
}

void Tfrm_Import::buildPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelBeallit"));
    m_panel = panel;
    auto *outer = new QVBoxLayout(panel);
    outer->setContentsMargins(6, 4, 6, 4);
    auto *grid = new QGridLayout();
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    outer->addLayout(grid);

    m_encoding = addCombo(grid, 0, 0, QStringLiteral("Kódolás"), QStringLiteral("cbKodolas"), panel);
    m_encoding->addItems(csvEncodings());
    m_delimiter = addCombo(grid, 0, 2, QStringLiteral("Elválasztó"), QStringLiteral("cbElvalaszto"), panel);
    m_delimiter->addItem(QStringLiteral("pontosvessző (;)"), QStringLiteral(";"));
    m_delimiter->addItem(QStringLiteral("vessző (,)"), QStringLiteral(","));
    m_delimiter->addItem(QStringLiteral("tabulátor"), QStringLiteral("\t"));
    auto *skipLabel = new QLabel(QStringLiteral("Kihagyott sorok"), panel);
    m_skip = new QSpinBox(panel);
    m_skip->setObjectName(QStringLiteral("seKihagy"));
    m_skip->setRange(0, 1000);
    skipLabel->setBuddy(m_skip);
    grid->addWidget(skipLabel, 0, 4);
    grid->addWidget(m_skip, 0, 5);
    m_header = new QCheckBox(QStringLiteral("Fejléc sor"), panel);
    m_header->setObjectName(QStringLiteral("cbFejlec"));
    grid->addWidget(m_header, 0, 6, 1, 2);

    m_dateFormat =
        addCombo(grid, 1, 0, QStringLiteral("Dátumformátum"), QStringLiteral("cbDatumformatum"), panel);
    m_dateFormat->addItems(statementDateFormats());
    m_decimal = addCombo(grid, 1, 2, QStringLiteral("Tizedesjel"), QStringLiteral("cbTizedesjel"), panel);
    m_decimal->addItem(QStringLiteral("vessző (,)"), QStringLiteral(","));
    m_decimal->addItem(QStringLiteral("pont (.)"), QStringLiteral("."));
    m_thousands = addCombo(grid, 1, 4, QStringLiteral("Ezres elválasztó"), QStringLiteral("cbEzres"), panel);
    m_thousands->addItem(QStringLiteral("szóköz"), QStringLiteral(" "));
    m_thousands->addItem(QStringLiteral("pont (.)"), QStringLiteral("."));
    m_thousands->addItem(QStringLiteral("vessző (,)"), QStringLiteral(","));
    m_thousands->addItem(QStringLiteral("nincs"), QString());
    m_mappingName = addCombo(grid, 1, 6, QStringLiteral("Minta"), QStringLiteral("cbMinta"), panel);
    m_mappingName->addItem(QString());
    m_mappingName->addItems(savedMappingNames(IniPath()));

    int col = 0, row = 2;
    for (const auto &[role, label] : columnRoles()) {
        m_columns.insert(role, addCombo(grid, row, col, label, QStringLiteral("cbOszlop_") + role, panel));
        col += 2;
        if (col >= 8) {
            col = 0;
            ++row;
        }
    }
    m_kassza = addCombo(grid, 4, 0, QStringLiteral("Kassza"), QStringLiteral("cbKassza"), panel);
    m_income = addCombo(grid, 4, 2, QStringLiteral("Bevétel típusa"), QStringLiteral("cbBevetel"), panel);
    m_expense = addCombo(grid, 4, 4, QStringLiteral("Kiadás típusa"), QStringLiteral("cbKiadas"), panel);
    for (int c = 1; c < 8; c += 2)
        grid->setColumnStretch(c, 1);

    m_preview = new QTableWidget(panel);
    m_preview->setObjectName(QStringLiteral("GridElonezet"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setFixedHeight(150);
    m_preview->verticalHeader()->setDefaultSectionSize(m_preview->fontMetrics().height() + 4);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    outer->addWidget(m_preview);

    if (auto *lay = qobject_cast<QVBoxLayout *>(layout()))
        lay->insertWidget(2, panel);

    fillLookups();

    const auto onFormat = guarded([this] {
        if (!m_filling)
            formatChanged();
    });
    connect(m_encoding, &QComboBox::currentIndexChanged, this, guarded([this] {
                if (!m_filling)
                    redecode();
            }));
    connect(m_delimiter, &QComboBox::currentIndexChanged, this, onFormat);
    connect(m_skip, &QSpinBox::valueChanged, this, onFormat);
    connect(m_header, &QCheckBox::toggled, this, onFormat);
    const auto onColumns = guarded([this] {
        if (!m_filling)
            columnsChanged();
    });
    for (QComboBox *c : {m_dateFormat, m_decimal, m_thousands, m_kassza, m_income, m_expense})
        connect(c, &QComboBox::currentIndexChanged, this, onColumns);
    for (QComboBox *c : std::as_const(m_columns))
        connect(c, &QComboBox::currentIndexChanged, this, onColumns);
    connect(m_mappingName, &QComboBox::activated, this, guarded(this, &Tfrm_Import::loadNamedMapping));
}

void Tfrm_Import::fillLookups()
{
    const IniFile ini(IniPath());
    m_filling = true;
    fillIdCombo(m_kassza, QStringLiteral("SELECT kassza, kassza_nev FROM kassza ORDER BY kassza_nev"),
                Cassa());
    fillIdCombo(m_income,
                QStringLiteral(
                    "SELECT kasszatip, kasszatip_nev FROM kasszatip WHERE szorzo > 0 ORDER BY kasszatip_nev"),
                ini.readInteger(kSection, QStringLiteral("Bevetel"), 0));
    fillIdCombo(m_expense,
                QStringLiteral(
                    "SELECT kasszatip, kasszatip_nev FROM kasszatip WHERE szorzo < 0 ORDER BY kasszatip_nev"),
                ini.readInteger(kSection, QStringLiteral("Kiadas"), 0));
    m_filling = false;
    m_typeNames.clear();
    TmySQLDirectQuery q(&mainConnection());
    q.setSQL(QStringLiteral("SELECT kasszatip, kasszatip_nev FROM kasszatip"));
    for (q.open(); !q.eof(); q.next())
        m_typeNames.insert(q.fieldValue(0).toInt(), q.fieldValue(1));
    q.close();
}

void Tfrm_Import::openData()
{
    Tbl.open();
    Tbl.fieldByName(QStringLiteral("osszeg")).setDisplayFormat(MoneyFormat(2));
    fillTable();
}

void Tfrm_Import::closeData()
{
    ListWindow::closeData();
}

void Tfrm_Import::done(int result)
{
    if (m_booking) {
        m_stop = true;  // the booking rolls back and the window stays
        return;
    }
    ListWindow::done(result);
}

void Tfrm_Import::showMapping()
{
    m_filling = true;
    m_encoding->setCurrentIndex(qMax(0, m_encoding->findText(m_map.csv.encoding)));
    m_delimiter->setCurrentIndex(qMax(0, m_delimiter->findData(QString(m_map.csv.delimiter))));
    m_skip->setValue(m_map.csv.skipLines);
    m_header->setChecked(m_map.csv.header);
    m_dateFormat->setCurrentIndex(qMax(0, m_dateFormat->findText(m_map.dateFormat)));
    m_decimal->setCurrentIndex(qMax(0, m_decimal->findData(QString(m_map.amounts.decimal))));
    m_thousands->setCurrentIndex(
        qMax(0, m_thousands->findData(m_map.amounts.thousands.isNull() ? QString()
                                                                       : QString(m_map.amounts.thousands))));
    const QHash<QString, int> cols = {
        {QStringLiteral("datum"), m_map.dateColumn},         {QStringLiteral("osszeg"), m_map.amountColumn},
        {QStringLiteral("jovairas"), m_map.creditColumn},    {QStringLiteral("terheles"), m_map.debitColumn},
        {QStringLiteral("szoveg"), m_map.textColumn},        {QStringLiteral("partner"), m_map.partnerColumn},
        {QStringLiteral("azonosito"), m_map.referenceColumn}};
    for (auto it = cols.cbegin(); it != cols.cend(); ++it) {
        QComboBox *c = m_columns.value(it.key());
        c->setCurrentIndex(qMax(0, c->findData(it.value())));
    }
    m_mappingName->setCurrentIndex(qMax(0, m_mappingName->findText(m_map.name)));
    m_filling = false;
}

void Tfrm_Import::readMapping()
{
    m_map.csv.encoding = m_encoding->currentText();
    m_map.csv.delimiter = m_delimiter->currentData().toString().front();
    m_map.csv.skipLines = m_skip->value();
    m_map.csv.header = m_header->isChecked();
    m_map.dateFormat = m_dateFormat->currentText();
    m_map.amounts.decimal = m_decimal->currentData().toString().front();
    const QString th = m_thousands->currentData().toString();
    m_map.amounts.thousands = th.isEmpty() ? QChar() : th.front();
    const auto col = [this](const char *role) {
        QComboBox *c = m_columns.value(QString::fromLatin1(role));
        return c->currentIndex() >= 0 ? c->currentData().toInt() : -1;
    };
    m_map.dateColumn = col("datum");
    m_map.amountColumn = col("osszeg");
    m_map.creditColumn = col("jovairas");
    m_map.debitColumn = col("terheles");
    m_map.textColumn = col("szoveg");
    m_map.partnerColumn = col("partner");
    m_map.referenceColumn = col("azonosito");
    m_plan.kassza = comboId(m_kassza);
    m_plan.defaultIncome = comboId(m_income);
    m_plan.defaultExpense = comboId(m_expense);
}

void Tfrm_Import::redecode()
{
    const QString enc = m_encoding->currentText();
    CsvText t = decodeStatement(m_bytes, enc);
    if (!t.error.isEmpty()) {
        ShowError(t.error, this);
        return;
    }
    m_text = t;
    formatChanged();
}

void Tfrm_Import::fillColumnCombos(const QStringList &header)
{
    m_filling = true;
    for (auto it = m_columns.cbegin(); it != m_columns.cend(); ++it) {
        QComboBox *c = it.value();
        const QVariant was = c->currentData();
        c->clear();
        c->addItem(QStringLiteral("(nincs)"), -1);
        for (int i = 0; i < header.size(); ++i)
            c->addItem(QStringLiteral("%1. %2").arg(i + 1).arg(header.at(i).left(30)), i);
        c->setCurrentIndex(qMax(0, c->findData(was)));
    }
    m_filling = false;
}

void Tfrm_Import::formatChanged()
{
    readMapping();
    QString error;
    const QList<QStringList> records = previewRecords(m_text.text, m_map.csv, PreviewRows + 1, &error);
    QStringList header;
    QList<QStringList> rows = records;
    const int width = records.isEmpty() ? 0 : int(records.first().size());
    if (m_map.csv.header && !rows.isEmpty())
        header = rows.takeFirst();
    else
        for (int i = 0; i < width; ++i)
            header << QStringLiteral("%1. oszlop").arg(i + 1);
    fillColumnCombos(header);

    m_preview->clear();
    m_preview->setColumnCount(int(header.size()));
    m_preview->setHorizontalHeaderLabels(header);
    m_preview->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size() && c < header.size(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
    m_preview->resizeColumnsToContents();
    for (int c = 0; c < m_preview->columnCount(); ++c)
        m_preview->setColumnWidth(c, qMin(m_preview->columnWidth(c), 240));

    // A mapping saved for this header line, or a guess from the titles and values.
    ImportMapping saved = m_map;
    if (m_map.csv.header && loadMapping(IniPath(), QString(), headerKey(header), saved)) {
        saved.csv.encoding = m_map.csv.encoding;
        m_map = saved;
    } else {
        const CsvFormat keep = m_map.csv;
        guessColumns(m_map, header, rows);
        m_map.csv = keep;
        m_map.name.clear();
    }
    showMapping();
    columnsChanged();
}

void Tfrm_Import::columnsChanged()
{
    readMapping();
    rebuild();
}

void Tfrm_Import::rebuild()
{
    readMapping();
    const QString problem = mappingProblem(m_map);
    if (!problem.isEmpty()) {
        m_plan.data = ImportRows();
        m_plan.data.error = problem;
    } else {
        m_plan.data = readImportRows(m_text.text, m_map);
        m_rules = loadCashTypeRules(mainConnection());
        preparePlan(mainConnection(), m_plan, m_rules);
    }
    m_rowOfLine.clear();
    for (qsizetype i = 0; i < qsizetype(m_plan.data.rows.size()); ++i)
        m_rowOfLine.insert(m_plan.data.rows[size_t(i)].line, i);
    if (Tbl.isActive())
        fillTable();
    updateCounts();
}

QString Tfrm_Import::rowState(const ImportRow &r) const
{
    switch (r.state) {
        case ImportRow::Refused:
            return QStringLiteral("hibás");
        case ImportRow::Duplicate:
            return r.bookAnyway ? QStringLiteral("duplikált, könyvelendő") : QStringLiteral("duplikált");
        case ImportRow::Book:
            break;
    }
    return QStringLiteral("könyvelendő");
}

QString Tfrm_Import::clientText(const ImportRow &r) const
{
    if (r.partner.isEmpty() || r.state == ImportRow::Refused)
        return QString();
    if (m_plan.matched.contains(r.partner))
        return QStringLiteral("meglévő");
    switch (m_plan.unmatched.value(r.partner).kind) {
        case PartnerChoice::Create:
            return QStringLiteral("új ügyfél");
        case PartnerChoice::Existing:
            return QStringLiteral("választott");
        case PartnerChoice::None:
            break;
    }
    return QStringLiteral("nincs");
}

void Tfrm_Import::fillTable()
{
    Tbl.disableControls();
    Tbl.emptyTable();
    for (const ImportRow &r : m_plan.data.rows) {
        Tbl.append();
        Tbl.fieldByName(QStringLiteral("sor")).setAsInteger(r.line);
        Tbl.fieldByName(QStringLiteral("allapot")).setAsString(rowState(r));
        if (r.date.isValid())
            Tbl.fieldByName(QStringLiteral("datum")).setAsDate(r.date);
        if (r.state != ImportRow::Refused)
            Tbl.fieldByName(QStringLiteral("osszeg")).setAsFloat(r.amount);
        Tbl.fieldByName(QStringLiteral("szoveg")).setAsString(r.text);
        Tbl.fieldByName(QStringLiteral("partner")).setAsString(r.partner);
        Tbl.fieldByName(QStringLiteral("ugyfel")).setAsString(clientText(r));
        Tbl.fieldByName(QStringLiteral("kasszatip_nev"))
            .setAsString(r.state == ImportRow::Refused
                             ? QString()
                             : m_typeNames.value(r.kasszatip) +
                                   (r.byRule ? QStringLiteral(" (szabály)") : QString()));
        Tbl.fieldByName(QStringLiteral("azonosito")).setAsString(r.reference);
        Tbl.fieldByName(QStringLiteral("megjegyzes")).setAsString(r.reason.left(200));
        Tbl.post();
    }
    Tbl.first();
    Tbl.enableControls();
    updateStatus();
}

void Tfrm_Import::updateCounts()
{
    int book = 0, dup = 0, bad = 0;
    for (const ImportRow &r : m_plan.data.rows) {
        if (r.state == ImportRow::Refused)
            ++bad;
        else if (r.booked())
            ++book;
        else
            ++dup;
    }
    QString text = QStringLiteral("%1 könyvelendő, %2 duplikált, %3 hibás sor").arg(book).arg(dup).arg(bad);
    if (!m_plan.unmatched.isEmpty())
        text += QStringLiteral("; %1 partnernek nincs ügyfele").arg(m_plan.unmatched.size());
    if (!m_plan.data.error.isEmpty())
        text = m_plan.data.error;
    else if (bad * 2 > int(m_plan.data.rows.size()) && bad > 1)
        text += QStringLiteral(
            " — a sorok nagy része nem olvasható: ellenőrizze az elválasztót, a kihagyott sorokat "
            "és az oszlopokat.");
    m_counts->setText(text);
}

void Tfrm_Import::toggleDuplicate()
{
    if (!hasRows())
        return;
    const int line = currentKey();
    auto it = m_rowOfLine.constFind(line);
    if (it == m_rowOfLine.constEnd())
        return;
    ImportRow &r = m_plan.data.rows[size_t(it.value())];
    if (r.state != ImportRow::Duplicate) {
        ShowWarning(
            QStringLiteral("Csak duplikáltnak jelölt sor könyvelhető mégis; ez a sor %1.").arg(rowState(r)),
            this);
        return;
    }
    r.bookAnyway = !r.bookAnyway;
    Tbl.edit();
    Tbl.fieldByName(QStringLiteral("allapot")).setAsString(rowState(r));
    Tbl.post();
    updateCounts();
}

void Tfrm_Import::editRules()
{
    EditImportRules(this);
    fillLookups();
    rebuild();
}

void Tfrm_Import::editPartners()
{
    if (m_plan.unmatched.isEmpty()) {
        ShowInfo(QStringLiteral("Minden partnernek van ügyfele (vagy nincs partner oszlop)."), this);
        return;
    }
    Tfrm_ImportPartner d(m_plan.unmatched, this);
    if (d.exec() != QDialog::Accepted)
        return;
    m_plan.unmatched = d.choices();
    if (Tbl.isActive()) {
        const int key = currentKey();
        fillTable();
        moveToKey(key);
    }
    updateCounts();
}

void Tfrm_Import::saveMappingAs()
{
    readMapping();
    const QString problem = mappingProblem(m_map);
    if (!problem.isEmpty()) {
        ShowWarning(problem, this);
        return;
    }
    QString name = m_map.name.isEmpty() ? m_plan.fileName : m_map.name;
    if (!InputText(QStringLiteral("Minta mentése"), QStringLiteral("A minta neve:"), QString(), name, this) ||
        name.trimmed().isEmpty())
        return;
    m_map.name = name.trimmed();
    QStringList header;
    const QList<QStringList> records = previewRecords(m_text.text, m_map.csv, 1);
    if (m_map.csv.header && !records.isEmpty())
        header = records.first();
    saveMapping(IniPath(), m_map, headerKey(header));
    m_filling = true;
    if (m_mappingName->findText(m_map.name) < 0)
        m_mappingName->addItem(m_map.name);
    m_mappingName->setCurrentIndex(m_mappingName->findText(m_map.name));
    m_filling = false;
}

void Tfrm_Import::loadNamedMapping()
{
    const QString name = m_mappingName->currentText();
    if (name.isEmpty())
        return;
    ImportMapping m = m_map;
    if (!loadMapping(IniPath(), name, QString(), m))
        return;
    m.csv.encoding = m_map.csv.encoding;
    m_map = m;
    showMapping();
    // the format may differ: read the columns again, keeping the loaded mapping
    QString error;
    const QList<QStringList> records = previewRecords(m_text.text, m_map.csv, 1, &error);
    QStringList header;
    if (!records.isEmpty()) {
        for (int i = 0; i < records.first().size(); ++i)
            header << (m_map.csv.header ? records.first().at(i) : QStringLiteral("%1. oszlop").arg(i + 1));
    }
    const ImportMapping keep = m_map;
    fillColumnCombos(header);
    m_map = keep;
    showMapping();
    columnsChanged();
}

void Tfrm_Import::book()
{
    readMapping();
    if (!m_plan.data.error.isEmpty()) {
        ShowError(m_plan.data.error, this);
        return;
    }
    if (m_plan.kassza <= 0) {
        ShowError(QStringLiteral("Válassza ki a kasszát, amelybe a tételek kerülnek."), this);
        return;
    }
    int accepted = 0;
    bool needIncome = false, needExpense = false;
    for (const ImportRow &r : m_plan.data.rows)
        if (r.booked()) {
            ++accepted;
            if (!r.byRule && r.amount > 0)
                needIncome = true;
            if (!r.byRule && r.amount < 0)
                needExpense = true;
        }
    if (accepted == 0) {
        ShowInfo(QStringLiteral("Nincs könyvelendő sor."), this);
        return;
    }
    if ((needIncome && m_plan.defaultIncome <= 0) || (needExpense && m_plan.defaultExpense <= 0)) {
        ShowError(QStringLiteral(
                      "Válassza ki a bevételek és a kiadások kassza típusát (amelyik sorra nincs szabály)."),
                  this);
        return;
    }
    if (!AskYesNo(QStringLiteral("%1 tétel könyvelése a(z) \"%2\" kasszába?")
                      .arg(accepted)
                      .arg(m_kassza->currentText()),
                  QStringLiteral("Megerősítés"), this))
        return;
    IniFile ini(IniPath());
    ini.writeInteger(kSection, QStringLiteral("Bevetel"), m_plan.defaultIncome);
    ini.writeInteger(kSection, QStringLiteral("Kiadas"), m_plan.defaultExpense);
    ini.save();

    m_progress->setRange(0, accepted);
    m_progress->setValue(0);
    m_progress->setVisible(true);
    // Nothing may change the rows while they are booked; Esc (or closing) stops and rolls back.
    const QList<QWidget *> frozen = {toolBar(), m_panel, grid()};
    for (QWidget *x : frozen)
        x->setEnabled(false);
    m_stop = false;
    m_booking = true;
    m_summary = bookPlan(mainConnection(), m_plan, [this](int done, int) {
        m_progress->setValue(done);
        QApplication::processEvents();
        return !m_stop;
    });
    m_booking = false;
    for (QWidget *x : frozen)
        x->setEnabled(true);
    m_progress->setVisible(false);
    if (!m_summary.ok()) {
        ShowError(m_summary.failure, this);
        return;
    }
    QString text =
        QStringLiteral("Könyvelve: %1 tétel.\nDuplikáltként kihagyva: %2.\nHibás, nem könyvelt: %3.")
            .arg(m_summary.booked)
            .arg(m_summary.duplicates)
            .arg(m_summary.refused);
    if (m_summary.clientsCreated > 0)
        text += QStringLiteral("\nÚj ügyfél: %1.").arg(m_summary.clientsCreated);
    for (int i = 0; i < m_summary.refusals.size() && i < 20; ++i)
        text += QStringLiteral("\n  ") + m_summary.refusals.at(i);
    if (m_summary.refusals.size() > 20)
        text += QStringLiteral("\n  ... és még %1 hibás sor.").arg(m_summary.refusals.size() - 20);
    ShowInfo(text, this);
    accept();
}

// ---------------------------------------------------------------- the action

int ImportStatement(QWidget *parent)
{
    const QString path =
        FileDialog::getOpenFileName(parent, QStringLiteral("Bankkivonat importálása"), QString(),
                                    QStringLiteral("CSV fájl (*.csv *.txt);;Minden fájl (*)"));
    if (path.isEmpty())
        return 0;
    const CsvText text = readStatementFile(path);
    if (!text.error.isEmpty()) {
        ShowError(text.error, parent);
        return 0;
    }
    Tfrm_Import w(path, text, parent);
    w.openAndExec(-1);
    return w.summary().ok() ? w.summary().booked : 0;
}

}  // namespace zorva
