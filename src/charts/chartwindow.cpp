#include "chartwindow.h"

#include "chartparts.h"
#include "core/folders.h"
#include "core/globals.h"
#include "core/texthelpers.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "reports/ui/printers.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLegend>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

QAction *makeAction(QWidget *owner, const char *name, const QString &caption, const QKeySequence &key)
{
    auto *a = new QAction(caption, owner);
    a->setObjectName(QLatin1String(name));
    a->setToolTip(caption);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(a);
    return a;
}

}  // namespace

ChartWindow::ChartWindow(const QString &name, const QString &caption, Buttons buttons, QWidget *parent)
    : QDialog(parent ? parent : QApplication::activeWindow())
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(780, 520);

    m_chart = new QChart;
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setLocalizeNumbers(true);
    m_chart->setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_view = new charts::ZoomChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("Chart1"));

    const bool toolBar = buttons == Buttons::ToolBar;
    m_aNyomtat = makeAction(this, "aNyomtat", QStringLiteral("Nyomtat"),
                            toolBar ? QKeySequence(Qt::CTRL | Qt::Key_P) : QKeySequence());
    m_aMentes = makeAction(this, "aMentes", QStringLiteral("Mentés"),
                           toolBar ? QKeySequence(Qt::CTRL | Qt::Key_S) : QKeySequence());
    m_aBezar = makeAction(this, "aBezar", QStringLiteral("Bezár"), QKeySequence(Qt::Key_Escape));
    connect(m_aNyomtat, &QAction::triggered, this, guarded(this, &ChartWindow::printChart));
    connect(m_aMentes, &QAction::triggered, this, guarded(this, &ChartWindow::saveChart));
    connect(m_aBezar, &QAction::triggered, this, guarded(this, &QDialog::accept));

    m_controls = new QVBoxLayout;
    m_controls->setContentsMargins(0, 0, 0, 0);
    if (toolBar) {
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(2);
        m_toolBar = new QToolBar(this);
        m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
        m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        outer->addWidget(m_toolBar);
        outer->addLayout(m_controls);
        outer->addWidget(m_view, 1);
    } else {
        auto *outer = new QHBoxLayout(this);
        outer->setContentsMargins(0, 0, 4, 0);
        auto *left = new QVBoxLayout;
        left->addLayout(m_controls);
        left->addWidget(m_view, 1);
        outer->addLayout(left, 1);
        auto *panel = new QVBoxLayout;
        panel->setContentsMargins(0, 8, 0, 8);
        for (QAction *a : {m_aNyomtat, m_aMentes, m_aBezar}) {
            auto *b = new QToolButton(this);
            b->setDefaultAction(a);
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
            b->setMinimumWidth(80);
            b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            b->setObjectName(QStringLiteral("btn") + a->objectName().mid(1));
            panel->addWidget(b);
        }
        panel->addStretch();
        outer->addLayout(panel);
    }
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::setChartTitle(const QString &title)
{
    m_chart->setTitle(title);
    m_chart->setTitleFont(charts::titleFont());
    m_chart->setTitleBrush(Qt::black);
}

void ChartWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        applyFontSize(this);
        restoreListBounds(this);
    }
    QDialog::showEvent(event);
}

void ChartWindow::done(int result)
{
    if (m_placed)
        storeListBounds(this);
    QDialog::done(result);
}

QImage ChartWindow::chartImage() const
{
    QImage image(m_view->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    m_view->render(&painter, QRectF(image.rect()), m_view->rect());
    return image;
}

bool ChartWindow::printChart()
{
    return printDrawingNow(
        windowTitle(), QPageLayout::Landscape,
        [this](QPainter &painter, const QRectF &page) {
            painter.setRenderHint(QPainter::Antialiasing);
            m_view->render(&painter, page, m_view->rect(), Qt::KeepAspectRatio);
        },
        this);
}

bool ChartWindow::saveChart()
{
    QString folder = DocumentsFolder();
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString proposal = QDir(folder).filePath(SafeFileName(windowTitle()) + QStringLiteral(".bmp"));
    const QString file = FileDialog::getSaveFileName(
        this, QStringLiteral("Mentés"), proposal,
        QStringLiteral("Bitmap file-ok (*.bmp)|*.bmp|PNG képek (*.png)|*.png"), QStringLiteral(".bmp"));
    if (file.isEmpty())
        return false;
    const bool png = QFileInfo(file).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;
    if (!chartImage().save(file, png ? "PNG" : "BMP")) {
        ShowError(QStringLiteral("A kép nem menthető ide: %1").arg(QDir::toNativeSeparators(file)), this);
        return false;
    }
    return true;
}

}  // namespace zorva
