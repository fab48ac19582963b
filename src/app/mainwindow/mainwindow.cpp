#include "mainwindow.h"

#include "columnwidths.h"
#include "database.h"
#include "globals.h"
#include "listgrid.h"
#include "listmodel.h"
#include "searchbox.h"
#include "mainconnection.h"
#include "mainstatusbar.h"
#include "programsettings.h"
#include "query.h"
#include "rowcolors.h"
#include "splash.h"
#include "storedproc.h"
#include "totalspanel.h"
#include "windowplace.h"

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

QList<ListColumn> cashBookColumns()
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {QStringLiteral("hazikassza"), QStringLiteral("Sorszám"), 0.07, right},
        {QStringLiteral("datum"), QStringLiteral("Dátum"), 0.10, Qt::AlignCenter},
        {QStringLiteral("kasszatip_nev"), QStringLiteral("Kassza típus"), 0.16, left},
        {QStringLiteral("ugyfel_nev"), QStringLiteral("Ügyfél"), 0.15, left},
        {QStringLiteral("nyito"), QStringLiteral("Nyitó"), 0.10, right},
        {QStringLiteral("osszeg"), QStringLiteral("Összeg"), 0.10, right},
        {QStringLiteral("zaro"), QStringLiteral("Záró"), 0.10, right},
        {QStringLiteral("szoveg_rovid"), QStringLiteral("Szöveg"), 0.22, left},
    };
}

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
    resize(beall().Width, beall().Height);
}

Tfrm_Main::~Tfrm_Main()
{
    // The datasets unregister from the connection, so they go first; the window no
    // longer listens to them.
    disconnect(m_qry, nullptr, this, nullptr);
    disconnect(m_search, nullptr, this, nullptr);
    delete m_model;
    m_model = nullptr;
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

    m_grid = new ListGrid(central);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_model = new ListModel(m_qry, cashBookColumns(), this);
    m_model->setColorRule([this](int row, int, bool current, bool sortColumn) {
        CashBookCell cell;
        cell.selected = current;
        cell.sortColumn = sortColumn;
        const int o = m_model->fieldIndex(QStringLiteral("osszeg"));
        const int d = m_model->fieldIndex(QStringLiteral("datum"));
        const int s = m_model->fieldIndex(QStringLiteral("szin"));
        if (o >= 0)
            cell.osszeg = m_qry->valueAt(row, o).toDouble();
        if (d >= 0)
            cell.datum = m_qry->valueAt(row, d).toDate();
        if (s >= 0)
            cell.szin = m_qry->valueAt(row, s);
        const CellColors c = cashBookCellColors(cell, QDate::currentDate());
        return std::make_pair(c.text, c.background);
    });
    m_grid->setModel(m_model);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_search->setGrid(m_grid);
    column->addWidget(m_grid, 1);

    m_totals = new TotalsPanel(central);
    column->addWidget(m_totals);
    setCentralWidget(central);

    m_status = new MainStatusBar(this);
    setStatusBar(m_status);

    connect(m_grid, &ListGrid::resized, this, &Tfrm_Main::fitColumnWidths);
    connect(m_grid, &ListGrid::textTyped, m_search, &SearchBox::startWith);
    connect(m_grid, &ListGrid::titleClicked, this, &Tfrm_Main::titleClicked);
    connect(m_grid, &ListGrid::rowDoubleClicked, m_a.aSzerkeszt, &QAction::trigger);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { m_menus.grid->popup(m_grid->viewport()->mapToGlobal(p)); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_syncing || !current.isValid() || !m_qry->isActive())
                    return;
                if (current.row() != m_qry->currentIndex())
                    m_qry->setRecNo(current.row() + 1);
            });
    connect(m_qry, &TDataSet::afterScroll, this, &Tfrm_Main::currentRowMoved);
    connect(m_qry, &TDataSet::afterClose, this, &Tfrm_Main::currentRowMoved);
    connect(m_search, &QLineEdit::textChanged, this, &Tfrm_Main::searchChanged);
}

void Tfrm_Main::fitColumnWidths()
{
    QList<double> shares;
    for (const ListColumn &c : m_model->columns())
        shares.append(c.share);
    const QList<int> widths = shareWidths(m_grid->width(), 44, shares);
    for (int i = 0; i < widths.size(); ++i)
        m_grid->setColumnWidth(i, widths[i]);
}

QString Tfrm_Main::headingText() const
{
    return m_heading->text();
}

void Tfrm_Main::setDatabaseOpen(bool open)
{
    m_dbOpen = open;
    if (!open) {
        m_qry->close();
        m_totals->clearTotals();
    }
}

void Tfrm_Main::showMainWindow()
{
    // 1. the default sort column, the search box's font
    m_model->highlightSortColumn(m_model->columns().first().field);
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
        QTimer::singleShot(1500, this, [this] {
            if (onDueBillsTimer)
                onDueBillsTimer();
        });
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
