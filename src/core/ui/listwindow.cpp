#include "listwindow.h"

#include "columnwidths.h"
#include "dbgrid.h"
#include "mainicons.h"
#include "messagebox.h"
#include "searchbox.h"
#include "slotguard.h"
#include "windowplace.h"
#include "core/dbhelpers/datasettext.h"
#include "core/querytext.h"

#include "db/dataset.h"
#include "db/errors.h"
#include "db/query.h"
#include "db/table.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace zorva {

namespace {

struct StandardActionInfo {
    const char *name;
    const char *caption;
    QKeySequence shortcut;
};

StandardActionInfo infoOf(ListWindow::StandardAction kind)
{
    switch (kind) {
        case ListWindow::New:
            return {"aUj", "Új sor", QKeySequence(Qt::Key_Insert)};
        case ListWindow::Edit:
            return {"aSzerkeszt", "Szerkeszt", QKeySequence(Qt::Key_F2)};
        case ListWindow::Delete:
            return {"aTorol", "Töröl", QKeySequence(Qt::CTRL | Qt::Key_Delete)};
        case ListWindow::Search:
            return {"aKeres", "Kereső", QKeySequence(Qt::CTRL | Qt::Key_F)};
        case ListWindow::Accept:
            return {"aElfogad", "Elfogad", QKeySequence(Qt::Key_Return)};
        case ListWindow::Close:
            return {"aBezar", "Bezár", QKeySequence(Qt::Key_Escape)};
        case ListWindow::Print:
            return {"aNyomtat", "Nyomtat", QKeySequence(Qt::CTRL | Qt::Key_P)};
        case ListWindow::Html:
            return {"aHtml", "Html export", QKeySequence(Qt::CTRL | Qt::Key_H)};
    }
    return {"", "", QKeySequence()};
}

}  // namespace

QIcon ListWindow::standardIcon(StandardAction kind)
{
    switch (kind) {
        case New:
            return mainIcon(MainIcon::New);
        case Edit:
            return mainIcon(MainIcon::Edit);
        case Delete:
            return mainIcon(MainIcon::Delete);
        case Search:
            return mainIcon(MainIcon::Search);
        case Accept:
            return mainIcon(MainIcon::Accept);
        case Close:
            return mainIcon(MainIcon::Close);
        case Print:
            return mainIcon(MainIcon::Print);
        case Html:
            return mainIcon(MainIcon::Html);
    }
    return {};
}

ListWindow::ListWindow(const QString &objectName, const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags((windowFlags() | Qt::WindowMinMaxButtonsHint) & ~Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    layout->addWidget(m_toolBar);

    m_titlePanel = new QWidget(this);
    m_titlePanel->setObjectName(QStringLiteral("Panel1"));
    auto *titleLayout = new QHBoxLayout(m_titlePanel);
    titleLayout->setContentsMargins(4, 3, 8, 3);
    m_title = new QLabel(m_titlePanel);
    m_title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    titleLayout->addStretch(1);
    titleLayout->addWidget(m_title);
    layout->addWidget(m_titlePanel);

    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(true);
    m_position = new QLabel(m_statusBar);
    m_position->setObjectName(QStringLiteral("StatusPanel0"));
    m_position->setFixedWidth(77);
    m_position->setAlignment(Qt::AlignCenter);
    m_statusBar->addWidget(m_position);
    layout->addWidget(m_statusBar);

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("PopupMenu1"));

    connect(m_grid, &QWidget::customContextMenuRequested, this, guarded([this](const QPoint &pos) {
                m_contextMenu->exec(m_grid->viewport()->mapToGlobal(pos));
            }));
    connect(m_grid, &QAbstractItemView::doubleClicked, this, guarded([this](const QModelIndex &index) {
                if (index.isValid())
                    onDoubleClick();
            }));
    connect(m_grid, &TDBGrid::textTyped, this, guarded(this, &ListWindow::onTyped));
    connect(m_grid, &TDBGrid::titleClicked, this, guarded(this, &ListWindow::sortByColumn));
}

// The derived window's members are gone by now and the base's go next; the datasets (the
// window's children) are destroyed after both.  Nothing of theirs may reach this window or
// its grid any more.
ListWindow::~ListWindow()
{
    for (TDataSet *ds : findChildren<TDataSet *>())
        disconnect(ds, nullptr, this, nullptr);
    if (m_ds)
        disconnect(m_ds.data(), nullptr, this, nullptr);
    m_grid->setDataSet(nullptr);
}

void ListWindow::setTitle(const QString &text)
{
    m_title->setText(text);
}

QString ListWindow::title() const
{
    return m_title->text();
}

void ListWindow::setDesignSize(int width, int height)
{
    m_designSize = QSize(width, height);
    resize(m_designSize);
}

void ListWindow::setDataSet(TDataSet *dataSet)
{
    if (dataSet == m_ds)
        return;
    // Every connection from the old dataset to this window goes.
    if (m_ds)
        disconnect(m_ds.data(), nullptr, this, nullptr);
    m_ds = dataSet;
    m_grid->setDataSet(dataSet);
    if (dataSet) {
        for (auto signal : {&TDataSet::afterScroll, &TDataSet::afterOpen, &TDataSet::afterClose,
                            &TDataSet::rowsReset, &TDataSet::controlsEnabled})
            connect(dataSet, signal, this, &ListWindow::updateStatus);
    }
    updateStatus();
}

TDataSet *ListWindow::dataSet() const
{
    return m_ds;
}

void ListWindow::setColumns(const QList<TDataSetModel::Column> &columns)
{
    m_grid->setColumns(columns);
}

void ListWindow::setColumnShares(int margin, const QList<double> &shares)
{
    m_margin = margin;
    m_shares = shares;
    applyColumnWidths();
}

void ListWindow::setFixedColumnWidth(int column, int width)
{
    m_fixedWidths.insert(column, width);
    applyColumnWidths();
}

void ListWindow::enableSearch(const QString &field, bool enterMovesToGrid)
{
    m_searchField = field;
    m_searchEnterToGrid = enterMovesToGrid;
    if (m_search)
        return;
    m_search = new SearchBox(m_titlePanel);
    m_search->setObjectName(QStringLiteral("Edit1"));
    m_search->setGrid(m_grid);
    m_search->setMinimumWidth(150);
    m_search->installEventFilter(this);
    static_cast<QHBoxLayout *>(m_titlePanel->layout())->insertWidget(0, m_search);
    connect(m_search, &QLineEdit::textChanged, this, guarded([this] { runSearch(m_search->searchText()); }));
    connect(m_search, &QLineEdit::returnPressed, this, guarded([this] {
                if (m_searchEnterToGrid)
                    m_grid->setFocus(Qt::OtherFocusReason);
            }));
}

void ListWindow::enableTitleSort(bool searchFollowsSort)
{
    m_titleSort = true;
    m_searchFollowsSort = searchFollowsSort;
}

// ---------------------------------------------------------------- actions

QAction *ListWindow::addStandardAction(StandardAction kind, const QString &caption)
{
    const StandardActionInfo info = infoOf(kind);
    const QString text = caption.isEmpty() ? QString::fromUtf8(info.caption) : caption;
    QAction *a =
        addWindowAction(QString::fromLatin1(info.name), text, text, info.shortcut, standardIcon(kind));
    switch (kind) {
        case New:
            connect(a, &QAction::triggered, this, guarded(this, &ListWindow::newRow));
            break;
        case Edit:
            connect(a, &QAction::triggered, this, guarded(this, &ListWindow::editRow));
            break;
        case Delete:
            connect(a, &QAction::triggered, this, guarded(this, &ListWindow::deleteRow));
            break;
        case Search:
            connect(a, &QAction::triggered, this, guarded(this, &ListWindow::focusSearch));
            break;
        case Accept:
            a->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
            connect(a, &QAction::triggered, this, guarded(this, &ListWindow::acceptRow));
            break;
        case Close:
            connect(a, &QAction::triggered, this, guarded(this, &QDialog::reject));
            break;
        case Print:
        case Html:
            break;
    }
    applyModeToActions();
    return a;
}

QAction *ListWindow::addWindowAction(const QString &name, const QString &caption, const QString &hint,
                                     const QKeySequence &shortcut, const QIcon &icon)
{
    auto *a = new QAction(icon, caption, this);
    a->setObjectName(name);
    a->setToolTip(hint.isEmpty() ? caption : hint);
    a->setStatusTip(hint.isEmpty() ? caption : hint);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);  // the shortcuts work wherever the focus is in the window
    m_actions.insert(name, a);
    return a;
}

QAction *ListWindow::action(const QString &name) const
{
    return m_actions.value(name, nullptr);
}

void ListWindow::setToolBarActions(const QList<QAction *> &actions)
{
    m_toolBar->clear();
    for (QAction *a : actions) {
        if (a)
            m_toolBar->addAction(a);
        else
            m_toolBar->addSeparator();
    }
}

void ListWindow::setContextActions(const QList<QAction *> &actions)
{
    m_contextMenu->clear();
    for (QAction *a : actions) {
        if (a)
            m_contextMenu->addAction(a);
        else
            m_contextMenu->addSeparator();
    }
}

void ListWindow::setChoiceMode(bool on)
{
    m_choiceMode = on;
    applyModeToActions();
}

void ListWindow::applyModeToActions()
{
    if (QAction *a = action(QStringLiteral("aElfogad"))) {
        a->setEnabled(m_choiceMode);
        a->setVisible(m_choiceMode);
    }
}

// ---------------------------------------------------------------- opening

int ListWindow::openAndExec(int moveTo, QString *name)
{
    openData();
    if (moveTo != -1)
        moveToKey(moveTo);
    int key = -1;
    QString chosenName;
    const int result = exec();
    if (result == QDialog::Accepted) {
        key = currentKey();
        chosenName = currentName();
    }
    closeData();
    if (result == QDialog::Accepted && name)
        *name = chosenName;
    return key;
}

void ListWindow::openData()
{
    if (m_ds)
        m_ds->open();
}

void ListWindow::closeData()
{
    if (m_ds && m_ds->isActive()) {
        if (m_ds->state() != TDataSetState::dsBrowse)
            m_ds->cancel();
        m_ds->close();
    }
}

bool ListWindow::moveToKey(int key)
{
    if (!m_ds || !m_ds->isActive() || m_keyField.isEmpty() || key == -1)
        return false;
    try {
        return m_ds->locate(m_keyField, key);
    } catch (const EmySQLDatabaseError &) {
        return false;
    }
}

void ListWindow::reopenOn(int key)
{
    if (!m_ds)
        return;
    const int recNo = m_ds->isActive() ? m_ds->recNo() : 0;
    m_ds->close();
    m_ds->open();
    if (key != -1 && moveToKey(key))
        return;
    if (recNo > 0 && !m_ds->isEmpty())
        m_ds->setRecNo(qMin(recNo, m_ds->recordCount()));
}

bool ListWindow::hasRows() const
{
    return m_ds && m_ds->isActive() && !m_ds->isEmpty();
}

int ListWindow::currentKey() const
{
    if (!hasRows() || m_keyField.isEmpty())
        return -1;
    TField *f = m_ds->findField(m_keyField);
    return f && !f->isNull() ? f->asInteger() : -1;
}

QString ListWindow::currentName() const
{
    if (!hasRows() || m_nameField.isEmpty())
        return QString();
    TField *f = m_ds->findField(m_nameField);
    return f ? f->asString() : QString();
}

void ListWindow::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        applyFontSize(this);
        if (m_designSize.isValid())
            resize(m_designSize);
        restoreListBounds(this);
        if (m_markedColumn >= 0 && m_markedColumn < m_grid->dataModel()->columnCount())
            HighlightColumn(m_grid, m_markedColumn);
        applyColumnWidths();
        updateStatus();
        m_grid->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void ListWindow::done(int result)
{
    if (m_shown)
        storeListBounds(this);
    QDialog::done(result);
}

// ---------------------------------------------------------------- behaviour

void ListWindow::updateStatus()
{
    m_position->setText(m_ds && m_ds->isActive() ? RecordPosText(*m_ds) : QString());
}

void ListWindow::applyColumnWidths()
{
    const int columns = m_grid->dataModel()->columnCount();
    QList<int> widths;
    if (!m_shares.isEmpty())
        widths = shareWidths(m_grid->width(), m_margin, m_shares);
    while (widths.size() < columns)
        widths << m_grid->columnWidth(int(widths.size()));
    for (auto it = m_fixedWidths.cbegin(); it != m_fixedWidths.cend(); ++it) {
        if (it.key() >= 0 && it.key() < widths.size())
            widths[it.key()] = it.value();
    }
    if (!m_shares.isEmpty() || !m_fixedWidths.isEmpty())
        m_grid->setColumnWidths(widths);
}

void ListWindow::runSearch(const QString &text)
{
    if (text.isEmpty() || m_searchField.isEmpty() || !hasRows() || m_ds->state() != TDataSetState::dsBrowse)
        return;
    try {
        m_ds->locate(m_searchField, text, loCaseInsensitive | loPartialKey);
    } catch (const EmySQLDatabaseError &) {
        // a column that does not take the text: the current row stays
    }
}

void ListWindow::focusSearch()
{
    if (m_search)
        m_search->setFocus(Qt::ShortcutFocusReason);
}

void ListWindow::onTyped(const QString &text)
{
    if (m_search)
        m_search->startWith(text);
}

void ListWindow::onDoubleClick()
{
    QAction *a = action(m_choiceMode ? QStringLiteral("aElfogad") : QStringLiteral("aSzerkeszt"));
    if (a && a->isEnabled())
        a->trigger();
}

void ListWindow::sortByColumn(const QString &field, int column)
{
    if (!m_titleSort || field.isEmpty() || !m_ds)
        return;
    const int key = currentKey();
    HighlightColumn(m_grid, column);
    m_sortField = field;
    if (m_searchFollowsSort)
        m_searchField = field;
    reorder(field);
    if (key != -1)
        moveToKey(key);
    if (m_search)
        m_search->setFocus(Qt::OtherFocusReason);
}

void ListWindow::reorder(const QString &field)
{
    if (auto *query = qobject_cast<TmySQLQuery *>(m_ds.data())) {
        query->close();
        SetOrderLine(query->sql(), field);
        query->open();
    } else if (auto *table = qobject_cast<TmySQLTable *>(m_ds.data())) {
        table->close();
        table->setIndexFieldNames(field);
        table->open();
    }
}

// ---------------------------------------------------------------- rows

std::unique_ptr<QDialog> ListWindow::createEditDialog(bool)
{
    return nullptr;
}

bool ListWindow::runEditor(bool inserting)
{
    if (!m_ds || !m_ds->isActive())
        return false;
    // A cancelled new row leaves the list as it was, the current row included.
    const TBookmark before = m_ds->isEmpty() ? InvalidBookmark : m_ds->bookmark();
    const auto backToBefore = [this, before, inserting] {
        if (inserting && before != InvalidBookmark && m_ds->bookmarkValid(before))
            m_ds->gotoBookmark(before);
    };
    if (inserting) {
        m_ds->append();
        prepareNewRow();
    } else {
        m_ds->edit();
    }
    bool ok = false;
    try {
        std::unique_ptr<QDialog> dialog = createEditDialog(inserting);
        ok = dialog && dialog->exec() == QDialog::Accepted;
        if (dialog)
            activateWindow();  // the list is the active window again
    } catch (...) {
        if (m_ds && m_ds->state() != TDataSetState::dsBrowse) {
            m_ds->cancel();
            backToBefore();
        }
        throw;
    }
    if (!ok && m_ds && m_ds->state() != TDataSetState::dsBrowse)
        m_ds->cancel();
    if (!ok)
        backToBefore();
    updateStatus();
    return ok;
}

void ListWindow::newRow()
{
    runEditor(true);
}

void ListWindow::editRow()
{
    // Editing an empty list starts a new row instead.
    if (!hasRows()) {
        newRow();
        return;
    }
    runEditor(false);
}

void ListWindow::deleteRow()
{
    if (!hasRows())
        return;
    if (!AskYesNo(QStringLiteral("Valóban töröljem a sort?"), QStringLiteral("Megerősítés"), this))
        return;
    deleteCurrentRow();
    updateStatus();
}

void ListWindow::deleteCurrentRow()
{
    m_ds->deleteRecord();
}

void ListWindow::acceptRow()
{
    accept();
}

bool ListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        applyColumnWidths();
    if (watched == m_search && event->type() == QEvent::FocusIn)
        m_search->selectAll();
    return QDialog::eventFilter(watched, event);
}

}  // namespace zorva
