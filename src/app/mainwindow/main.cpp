#include "main.h"

#include "mainstatusbar.h"
#include "rowcolors.h"
#include "totalspanel.h"
#include "app/splash.h"
#include "core/datehelpers.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/columnwidths.h"
#include "core/ui/dbgrid.h"
#include "core/ui/griddelegate.h"
#include "core/ui/searchbox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "db/database.h"
#include "db/datasetmodel.h"
#include "db/query.h"
#include "db/storedproc.h"

#include <QAction>
#include <QBrush>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>

using namespace zorva;

namespace {

// The list's columns and their shares of the grid's width.
QList<TDataSetModel::Column> cashBookColumns()
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {QStringLiteral("hazikassza"), QStringLiteral("Sorszám"), right},
        {QStringLiteral("datum"), QStringLiteral("Dátum"), Qt::AlignCenter},
        {QStringLiteral("kasszatip_nev"), QStringLiteral("Kassza típus"), left},
        {QStringLiteral("ugyfel_nev"), QStringLiteral("Ügyfél"), left},
        {QStringLiteral("nyito"), QStringLiteral("Nyitó"), right},
        {QStringLiteral("osszeg"), QStringLiteral("Összeg"), right},
        {QStringLiteral("zaro"), QStringLiteral("Záró"), right},
        {QStringLiteral("szoveg_rovid"), QStringLiteral("Szöveg"), left},
    };
}

const QList<double> kColumnShares = {0.07, 0.10, 0.16, 0.15, 0.10, 0.10, 0.10, 0.22};

}  // namespace

Tfrm_Main::Tfrm_Main(QWidget *parent) : QMainWindow(parent), m_db(std::make_unique<TmySQLDatabase>())
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Zorva"));
    setMainConnection(m_db.get());

    m_qry = new TmySQLQuery(m_db.get(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{QStringLiteral("SELECT * FROM vw_hazikassza"),
                              QStringLiteral("WHERE (kassza = %1)").arg(Cassa()),
                              QStringLiteral("ORDER BY hazikassza;")});
    m_spSum = new TmySQLStoredProc(m_db.get(), this);
    m_spSum->setObjectName(QStringLiteral("spSum"));
    m_spSum->setProcedureName(QStringLiteral("sp_hazikasszasum"));
    m_spSum->addParam(QStringLiteral("pkassza"), TFieldType::ftInteger);
    m_spSum->addParam(QStringLiteral("pidoszak"), TFieldType::ftString, 6);

    m_a = MainActions::create(this);
    m_menus = buildMainMenus(this, m_a);
    buildSmallToolBar(this, m_a);
    buildLargeToolBar(this, m_a, m_menus);
    buildLayout();
    m_checkedFilter = m_a.aSzur0;
    connectActions();
    disableLaterActions();
    wireOutputActions();
    wireWindowActions();
    wireChartActions();
    wireSettingsActions();
    wireReportActions();
    wireAdminActions();
    resize(beall().Width, beall().Height);
}

Tfrm_Main::~Tfrm_Main()
{
    // The datasets unregister from the connection, so they go first; the window no
    // longer listens to them.
    disconnect(m_qry, nullptr, this, nullptr);
    disconnect(m_search, nullptr, this, nullptr);
    m_grid->setDataSet(nullptr);
    delete m_qry;
    delete m_spSum;
    if (hasMainConnection() && &mainConnection() == m_db.get())
        setMainConnection(nullptr);
}

TmySQLDatabase &Tfrm_Main::mySQLDatabase1()
{
    return *m_db;
}

void Tfrm_Main::buildLayout()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *strip = new QFrame(central);
    strip->setObjectName(QStringLiteral("pnlFejlec"));
    strip->setFrameShape(QFrame::StyledPanel);
    auto *stripRow = new QHBoxLayout(strip);
    stripRow->setContentsMargins(4, 2, 4, 2);
    m_search = new SearchBox(strip);
    m_search->setObjectName(QStringLiteral("Edit1"));
    m_search->setFixedWidth(150);
    m_search->setToolTip(QStringLiteral("Kereső"));
    m_heading = new QLabel(QStringLiteral("Kassza: "), strip);
    m_heading->setObjectName(QStringLiteral("lblFejlec"));
    m_heading->setAlignment(Qt::AlignCenter);
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(15);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    stripRow->addWidget(m_search);
    stripRow->addWidget(m_heading, 1);
    stripRow->addSpacing(150);  // keeps the heading centred on the window
    column->addWidget(strip);

    m_grid = new TDBGrid(central);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setColumns(cashBookColumns());
    m_grid->setDataSet(m_qry);
    m_grid->setColorRule([this](int row, int col, int role) { return cellColor(row, col, role); });
    // An entry number too wide for its narrow column loses its leading zeros, not its last
    // digits (which are the ones that tell the entries apart).
    m_grid->setItemDelegateForColumn(0, new GridDelegate(m_grid, Qt::ElideLeft));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    m_search->setGrid(m_grid);
    column->addWidget(m_grid, 1);

    m_totals = new TotalsPanel(central);
    column->addWidget(m_totals);
    setCentralWidget(central);

    m_status = new MainStatusBar(this);
    setStatusBar(m_status);

    connect(m_grid, &TDBGrid::textTyped, m_search, guarded(m_search, &SearchBox::startWith));
    connect(m_grid, &TDBGrid::titleClicked, this,
            guarded([this](const QString &field) { titleClicked(field); }));
    // Enter on the grid does nothing here; a double click on a row edits it.
    connect(m_grid, &QAbstractItemView::doubleClicked, this, guarded([this](const QModelIndex &index) {
                if (index.isValid())
                    m_a.aSzerkeszt->trigger();
            }));
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            guarded([this](const QPoint &p) { m_menus.grid->popup(m_grid->viewport()->mapToGlobal(p)); }));
    connect(m_qry, &TDataSet::afterScroll, this, &Tfrm_Main::currentRowMoved);
    connect(m_qry, &TDataSet::afterClose, this, &Tfrm_Main::currentRowMoved);
    connect(m_search, &QLineEdit::textChanged, this, guarded(this, &Tfrm_Main::searchChanged));
}

TDataSetModel *Tfrm_Main::listModel() const
{
    return m_grid->dataModel();
}

void Tfrm_Main::fitColumnWidths()
{
    m_grid->setColumnWidths(shareWidths(m_grid->width(), 44, kColumnShares));
}

bool Tfrm_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        fitColumnWidths();
    return QMainWindow::eventFilter(watched, event);
}

// 1. a negative amount on an unselected row: dark red text; 2. outside the sort column
// (whose own colour the model gives first) the cash type's colour on unselected rows;
// 3. a date after today: grey text, silver on the selected row.
QVariant Tfrm_Main::cellColor(int row, int column, int role) const
{
    if (!m_qry->isActive())
        return QVariant();
    const int fields = m_qry->fieldCount();
    CashBookCell cell;
    cell.selected = row == m_qry->currentIndex();
    cell.sortColumn = m_grid->columnColor(column) == SortColumnColor();
    if (role == Qt::BackgroundRole) {
        if (m_colorFields.szin >= 0 && m_colorFields.szin < fields)
            cell.szin = m_qry->valueAt(row, m_colorFields.szin);
    } else {
        if (m_colorFields.osszeg >= 0 && m_colorFields.osszeg < fields)
            cell.osszeg = m_qry->valueAt(row, m_colorFields.osszeg).toDouble();
        if (m_colorFields.datum >= 0 && m_colorFields.datum < fields)
            cell.datum = m_qry->valueAt(row, m_colorFields.datum).toDate();
    }
    const CellColors c = cashBookCellColors(cell, Today());
    const QColor &color = role == Qt::BackgroundRole ? c.background : c.text;
    return color.isValid() ? QVariant(QBrush(color)) : QVariant();
}

QString Tfrm_Main::headingText() const
{
    return m_heading->text();
}

void Tfrm_Main::setDatabaseOpen(bool open)
{
    m_dbOpen = open;
    for (QAction *a : {m_a.aNyomtat, m_a.aNyomtatkep, m_a.aExcelbe, m_a.aHtml})
        a->setEnabled(open);
    if (!open) {
        m_qry->close();
        m_totals->clearTotals();
    }
}

void Tfrm_Main::showMainWindow()
{
    // 1. the default sort column, the search box's font
    HighlightSortColumn(m_grid, m_grid->fieldNameOf(0));
    applyFontSize(m_search, beall().FontSize);
    // 2. geometry
    move(0, 0);
    if (beall().FullScreen) {
        QRect area = WorkArea();
        if (QScreen *screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        resize(area.right() + 1, area.bottom() + 1);
    } else {
        move(beall().Left, beall().Top);
        resize(beall().Width, beall().Height);
    }
    // 3. totals, font
    RefreshTotals();
    applyFont();
    show();
    // 4. splash
    showSplash();
    // 5. the due-bills reminder
    if (beall().LookFor) {
        QTimer::singleShot(1500, this, guarded([this] {
                               if (onDueBillsTimer)
                                   onDueBillsTimer();
                           }));
    }
}

void Tfrm_Main::closeEvent(QCloseEvent *event)
{
    TBeall &b = beall();
    if (b.FullScreen) {
        QRect area = WorkArea();
        if (QScreen *screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        b.Left = pos().x();
        b.Top = pos().y();
        b.Width = area.right() + 1;
        b.Height = area.bottom() + 1;
    } else {
        b.Left = pos().x();
        b.Top = pos().y();
        b.Width = width();
        b.Height = height();
    }
    if (!IniPath().isEmpty())
        writeProgramSettings();
    m_db->close();  // closes every dataset first
    event->accept();
}

bool Tfrm_Main::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_status->setHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void Tfrm_Main::applyFont()
{
    applyFontSize(this, beall().FontSize);
    applyFontSize(m_search, beall().FontSize);
}
