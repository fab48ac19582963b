#include "sql.h"

#include "sqlsplit.h"
#include "core/ui/slotguard.h"

#include "core/dbhelpers/datasettext.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/filedialog.h"
#include "core/ui/mainicons.h"
#include "core/ui/messagebox.h"
#include "core/ui/windowplace.h"
#include "db/datasetmodel.h"
#include "export/ui/hatarolt.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <Qsci/qscilexersql.h>
#include <Qsci/qsciscintilla.h>

namespace zorva {

namespace {

const QString kSqlError = QStringLiteral("SQL hiba:\r\n");
const QString kDone = QStringLiteral("SQL futtatás kész.");

// The grid's model: cells of a table can be edited and are written back through it.
class EditableModel : public TDataSetModel {
public:
    using TDataSetModel::TDataSetModel;
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = TDataSetModel::flags(index);
        if (index.isValid() && dataSet() && dataSet()->canModify())
            f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return TDataSetModel::data(index, role == Qt::EditRole ? Qt::DisplayRole : role);
    }
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        TDataSet *ds = dataSet();
        if (role != Qt::EditRole || !ds || !ds->canModify() || !index.isValid())
            return false;
        ds->setRecNo(index.row() + 1);
        ds->edit();
        try {
            TField &f = ds->fieldByName(fieldNameOf(index.column()));
            if (value.toString().isEmpty())
                f.clear();
            else
                f.setAsString(value.toString());
            ds->post();
        } catch (...) {
            ds->cancel();
            throw;
        }
        return true;
    }
};

}  // namespace

Tfrm_SQL::Tfrm_SQL(QWidget *parent) : QDialog(parent), Qry(&mainConnection()), Tbl(&mainConnection())
{
    setObjectName(QStringLiteral("frm_SQL"));
    setWindowTitle(QStringLiteral("SQL lekérdezés"));
    setWindowFlags((windowFlags() | Qt::WindowMaximizeButtonHint) & ~Qt::WindowContextHelpButtonHint &
                   ~Qt::WindowMinimizeButtonHint);
    Qry.setObjectName(QStringLiteral("Qry"));
    Tbl.setObjectName(QStringLiteral("Tbl"));
    resize(760, 520);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(24, 24));
    layout->addWidget(m_toolBar);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_editor = new QsciScintilla(m_pages);
    m_editor->setObjectName(QStringLiteral("SynEdit1"));
    setupEditor();
    m_pages->addTab(m_editor, QStringLiteral("SQL"));
    m_grid = new QTableView(m_pages);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_model = new EditableModel(nullptr, m_grid);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->setShowGrid(true);
    m_pages->addTab(m_grid, QStringLiteral("Eredmény"));
    layout->addWidget(m_pages, 1);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->hide();
    layout->addWidget(m_progress);
    m_status = new QStatusBar(this);
    m_position = new QLabel(m_status);
    m_position->setObjectName(QStringLiteral("StatusPanel0"));
    m_position->setMinimumWidth(100);
    m_position->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_status->addWidget(m_position);
    layout->addWidget(m_status);

    QAction *aUj = addAction("aUj", QStringLiteral("Új SQL file"), QStringLiteral("Új SQL"),
                             {QKeySequence(Qt::CTRL | Qt::Key_N)});
    QAction *aMegnyit = addAction("aMegnyit", QStringLiteral("Megnyit"), QStringLiteral("SQL megnyitása"),
                                  {QKeySequence(Qt::CTRL | Qt::Key_O)});
    QAction *aMent = addAction("aMent", QStringLiteral("Mentés"), QStringLiteral("SQL mentése"),
                               {QKeySequence(Qt::CTRL | Qt::Key_S)});
    QAction *aExport =
        addAction("aExport", QStringLiteral("Export"), QString(), {QKeySequence(Qt::CTRL | Qt::Key_E)});
    QAction *aMasol = addAction("aMasol", QStringLiteral("Másol"),
                                QStringLiteral("Eredmény másolása vágólapra"), {QKeySequence(Qt::Key_F3)});
    QAction *aFuttat = addAction("aFuttat", QStringLiteral("Futtat"), QStringLiteral("SQL lekérdezés"),
                                 {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
                                  QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    QAction *aEredmeny =
        addAction("aEredmeny", QStringLiteral("Eredmény"), QString(), {QKeySequence(Qt::Key_F9)});
    QAction *aTab =
        addAction("aTab", QStringLiteral("Tab"), QString(), {QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    QAction *aBezar = addAction("aBezar", QStringLiteral("Bezár"), QString());
    aUj->setIcon(mainIcon(MainIcon::New));
    aMegnyit->setIcon(mainIcon(MainIcon::Edit));
    aMent->setIcon(mainIcon(MainIcon::Accept));
    aExport->setIcon(mainIcon(MainIcon::Excel));
    aMasol->setIcon(mainIcon(MainIcon::Report));
    aFuttat->setIcon(mainIcon(MainIcon::Sql));
    aBezar->setIcon(mainIcon(MainIcon::Close));
    aExport->setEnabled(false);
    aMasol->setEnabled(false);
    connect(aUj, &QAction::triggered, this, guarded(this, &Tfrm_SQL::newFile));
    connect(aMegnyit, &QAction::triggered, this, guarded(this, &Tfrm_SQL::openFile));
    connect(aMent, &QAction::triggered, this, guarded(this, &Tfrm_SQL::saveFile));
    connect(aExport, &QAction::triggered, this, guarded(this, &Tfrm_SQL::exportResult));
    connect(aMasol, &QAction::triggered, this, guarded(this, &Tfrm_SQL::copyResult));
    connect(aFuttat, &QAction::triggered, this, guarded(this, &Tfrm_SQL::run));
    connect(aEredmeny, &QAction::triggered, this, guarded(this, &Tfrm_SQL::runFirst));
    connect(aTab, &QAction::triggered, this, guarded(this, &Tfrm_SQL::switchPage));
    connect(aBezar, &QAction::triggered, this, guarded(this, &QDialog::reject));

    for (QAction *a : {aUj, aMegnyit, aMent, static_cast<QAction *>(nullptr), aExport, aMasol,
                       static_cast<QAction *>(nullptr), aFuttat, static_cast<QAction *>(nullptr), aBezar}) {
        if (a)
            m_toolBar->addAction(a);
        else
            m_toolBar->addSeparator();
    }
    QMenu *file = menuBar->addMenu(QStringLiteral("Fájl"));
    file->addActions({aUj, aMegnyit, aMent});
    file->addSeparator();
    file->addAction(aExport);
    file->addSeparator();
    file->addAction(aBezar);
    menuBar->addMenu(QStringLiteral("SQL"))->addAction(aFuttat);

    m_editorMenu = new QMenu(this);
    m_editorMenu->addActions({aFuttat, aEredmeny});
    m_editorMenu->addSeparator();
    m_editorMenu->addActions({aUj, aMegnyit, aMent});
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editor, &QWidget::customContextMenuRequested, this,
            guarded([this](const QPoint &p) { m_editorMenu->exec(m_editor->mapToGlobal(p)); }));
    m_gridMenu = new QMenu(this);
    m_gridMenu->addAction(aExport);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            guarded([this](const QPoint &p) { m_gridMenu->exec(m_grid->viewport()->mapToGlobal(p)); }));

    for (TDataSet *ds : {static_cast<TDataSet *>(&Qry), static_cast<TDataSet *>(&Tbl)})
        connect(ds, &TDataSet::afterOpen, this, &Tfrm_SQL::enableResultActions);
    connect(&Qry, &TDataSet::afterScroll, this, [this] {
        if (Qry.isActive())
            m_position->setText(RecordPosText(Qry));
    });
}

Tfrm_SQL::~Tfrm_SQL()
{
    m_model->setDataSet(nullptr);
}

QAction *Tfrm_SQL::addAction(const char *name, const QString &caption, const QString &hint,
                             const QList<QKeySequence> &keys)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint.isEmpty() ? caption : hint);
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    QDialog::addAction(a);
    m_actions.insert(a->objectName(), a);
    return a;
}

void Tfrm_SQL::setupEditor()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // 13 pixels on a 96 dpi screen; the editor takes its fonts in points.
    font.setPointSizeF(13.0 * 72.0 / 96.0);
    auto *lexer = new QsciLexerSQL(m_editor);
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    for (int style : {QsciLexerSQL::Comment, QsciLexerSQL::CommentLine, QsciLexerSQL::CommentDoc,
                      QsciLexerSQL::CommentLineHash, QsciLexerSQL::PlusComment})
        lexer->setColor(Qt::darkGreen, style);
    lexer->setColor(Qt::blue, QsciLexerSQL::Number);
    for (int style : {QsciLexerSQL::SingleQuotedString, QsciLexerSQL::DoubleQuotedString})
        lexer->setColor(Qt::red, style);
    m_editor->setLexer(lexer);
    m_editor->setFont(font);
    m_editor->setMarginType(0, QsciScintilla::NumberMargin);
    m_editor->setMarginLineNumbers(0, true);
    m_editor->setMarginsFont(font);
    m_editor->setMarginWidth(0, QStringLiteral("0000"));
    m_editor->setTabWidth(2);
    m_editor->setCaretLineVisible(true);
    m_editor->setCaretLineBackgroundColor(colorFromTColor(16773345));
    m_editor->setSelectionBackgroundColor(QColor(0xC0, 0xC0, 0xC0));
    m_editor->setUtf8(true);
}

void Tfrm_SQL::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        restoreListBounds(this);
        m_editor->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void Tfrm_SQL::done(int result)
{
    if (m_shown)
        storeListBounds(this);
    if (Qry.isActive())
        Qry.close();
    QDialog::done(result);
}

TDataSet *Tfrm_SQL::shownDataSet() const
{
    return m_model->dataSet();
}

void Tfrm_SQL::showDataSet(TDataSet *ds)
{
    if (m_model->dataSet() != ds)
        m_model->setDataSet(ds);
}

void Tfrm_SQL::enableResultActions()
{
    m_actions.value(QStringLiteral("aExport"))->setEnabled(true);
    m_actions.value(QStringLiteral("aMasol"))->setEnabled(true);
}

void Tfrm_SQL::sizeColumns()
{
    m_pages->setCurrentIndex(1);
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_grid->setColumnWidth(c, 64);
}

QString Tfrm_SQL::sqlFolder() const
{
    const QString dir = DataDir() + QStringLiteral("/SQL");
    QDir().mkpath(dir);
    return dir;
}

void Tfrm_SQL::newFile()
{
    m_editor->clear();
}

void Tfrm_SQL::openFile()
{
    const QString file = FileDialog::getOpenFileName(this, QStringLiteral("SQL megnyitás"), sqlFolder(),
                                                     QStringLiteral("SQL állományok (*.sql)|*.sql"));
    if (file.isEmpty())
        return;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("A fájl nem nyitható meg: %1\n%2").arg(file, f.errorString()), this);
        return;
    }
    m_editor->setText(QString::fromUtf8(f.readAll()));
    m_fileName = file;
}

void Tfrm_SQL::saveFile()
{
    const QString proposal = m_fileName.isEmpty() ? sqlFolder() + QLatin1Char('/') : m_fileName;
    const QString file =
        FileDialog::getSaveFileName(this, QStringLiteral("SQL mentése"), proposal,
                                    QStringLiteral("SQL file-ok (*.sql)|*.sql"), QStringLiteral("sql"));
    if (file.isEmpty())
        return;
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(m_editor->text().toUtf8()) < 0) {
        ShowError(QStringLiteral("A fájl nem írható: %1\n%2").arg(file, f.errorString()), this);
        return;
    }
    m_fileName = file;
}

void Tfrm_SQL::exportResult()
{
    if (TDataSet *ds = shownDataSet(); ds && ds->isActive())
        ExportDelimited(*ds, QString(), this);
}

QString Tfrm_SQL::resultText()
{
    TDataSet *ds = shownDataSet();
    if (!ds || !ds->isActive())
        return QString();
    QStringList lines;
    DatasetToLines(*ds, lines, true, false, true, QStringLiteral(";"));
    return lines.join(QStringLiteral("\r\n"));
}

void Tfrm_SQL::copyResult()
{
    QApplication::clipboard()->setText(resultText());
}

void Tfrm_SQL::switchPage()
{
    m_pages->setCurrentIndex(m_pages->currentIndex() == 0 ? 1 : 0);
}

bool Tfrm_SQL::tableMode()
{
    const QString first = m_editor->text().section(QLatin1Char('\n'), 0, 0);
    if (first.left(5).toLower() != u"table")
        return false;
    Tbl.close();
    Tbl.setTableName(first.section(QLatin1Char(':'), 1, 1).trimmed());
    showDataSet(&Tbl);
    Tbl.open();
    sizeColumns();
    return true;
}

bool Tfrm_SQL::openQuery(const QString &sql)
{
    showDataSet(&Qry);
    Qry.close();
    Qry.setSQL(sql);
    try {
        Qry.open();
    } catch (const EmySQLDatabaseError &e) {
        ShowError(kSqlError + e.message(), this);
        return false;
    }
    sizeColumns();
    m_position->setText(RecordPosText(Qry));
    return true;
}

void Tfrm_SQL::run()
{
    if (tableMode())
        return;
    showDataSet(&Qry);
    Qry.close();
    Qry.setSQL(QString());
    const QString text = m_editor->hasSelectedText() ? m_editor->selectedText() : m_editor->text();
    const QString head = text.trimmed().toUpper();
    if (head.startsWith(QStringLiteral("SELECT")) || head.startsWith(QStringLiteral("SHOW"))) {
        openQuery(text);
        return;
    }
    runScript(text);
}

void Tfrm_SQL::runScript(const QString &text)
{
    const ScriptParts parts = SplitScript(text.trimmed());
    m_progress->setRange(0, qMax<qsizetype>(1, parts.statements.size()));
    m_progress->setValue(0);
    m_progress->show();
    for (const QString &statement : parts.statements) {
        QCoreApplication::processEvents();
        // A statement of nothing but comments is not sent: the server would call it empty.
        if (!IsEmptyStatement(statement)) {
            Qry.setSQL(statement);
            try {
                Qry.execSQL();
            } catch (const EmySQLDatabaseError &e) {
                ShowError(kSqlError + e.message(), this);
                return;
            }
        }
        m_progress->setValue(m_progress->value() + 1);
    }
    QString message = kDone;
    if (!IsEmptyStatement(parts.rest)) {
        QString rest = parts.rest.trimmed();
        if (rest.size() > 200)
            rest = rest.left(200) + QStringLiteral("...");
        message +=
            QStringLiteral("\nAz utolsó \";\" utáni szöveg nem futott le (nincs a végén \";\"):\n") + rest;
    }
    ShowInfo(message, this);
    m_progress->hide();
}

void Tfrm_SQL::runFirst()
{
    if (tableMode())
        return;
    showDataSet(&Qry);
    Qry.close();
    QString sql;
    if (m_editor->hasSelectedText()) {
        sql = m_editor->selectedText();
    } else {
        const ScriptParts parts = SplitScript(m_editor->text());
        sql = parts.statements.isEmpty() ? parts.rest : parts.statements.constFirst();
    }
    openQuery(sql);
}

void ShowSqlWindow(QWidget *parent)
{
    Tfrm_SQL w(parent);
    w.exec();
}

}  // namespace zorva
