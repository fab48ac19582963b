#include "hatarolt.h"

#include "core/folders.h"
#include "core/ui/application.h"
#include "core/ui/filedialog.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "db/errors.h"
#include "export/datatoxls.h"
#include "export/delimitedwriter.h"
#include "export/exporterror.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace zorva {

namespace {

// Lets pending events run (progress bar, "Megállít") at most every 20 ms, so
// that a long export is not slowed down by the event loop.
class EventPump {
public:
    EventPump() { m_clock.start(); }
    void operator()()
    {
        if (m_clock.elapsed() >= 20) {
            QApplication::processEvents();
            m_clock.restart();
        }
    }

private:
    QElapsedTimer m_clock;
};

QButtonGroup *radioGroup(QGroupBox *box, const QStringList &captions, const QString &namePrefix, int checked)
{
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto *rb = new QRadioButton(captions.at(i), box);
        rb->setObjectName(namePrefix + QString::number(i));
        group->addButton(rb, i);
        layout->addWidget(rb);
    }
    group->button(checked)->setChecked(true);
    return group;
}

}  // namespace

Tfrm_Hatarolt::Tfrm_Hatarolt(TDataSet &dataSet, const QString &suggestedFile, QWidget *parent)
    : QDialog(parent), m_data(dataSet)
{
    setObjectName(QStringLiteral("frm_Hatarolt"));
    setWindowTitle(QStringLiteral("Határolt szöveg export"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    m_fields = new QListWidget(this);
    m_fields->setObjectName(QStringLiteral("clbMezok"));
    for (const QString &name : m_data.fieldNames()) {
        auto *item = new QListWidgetItem(name, m_fields);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    auto *all = new QPushButton(QStringLiteral("összes"), this);
    all->setObjectName(QStringLiteral("btnOsszes"));
    all->setAutoDefault(false);
    auto *none = new QPushButton(QStringLiteral("egyik sem"), this);
    none->setObjectName(QStringLiteral("btnEgyikSem"));
    none->setAutoDefault(false);
    connect(all, &QPushButton::clicked, this, guarded([this] { setAllTicked(true); }));
    connect(none, &QPushButton::clicked, this, guarded([this] { setAllTicked(false); }));

    auto *delimBox = new QGroupBox(QStringLiteral("Határoló karakter"), this);
    m_delimiters = radioGroup(delimBox,
                              {QStringLiteral("Pontosvessző (;)"), QStringLiteral("Tabulátor"),
                               QStringLiteral("Vessző (,)"), QStringLiteral("Cső (|)")},
                              QStringLiteral("rbHatarolo"), 0);
    auto *qualBox = new QGroupBox(QStringLiteral("Szövegjelölő"), this);
    m_qualifiers = radioGroup(
        qualBox, {QStringLiteral("Idézőjel (\")"), QStringLiteral("Aposztróf (')"), QStringLiteral("Semmi")},
        QStringLiteral("rbJelolo"), 2);

    m_memos = new QCheckBox(QStringLiteral("Többsoros mezőket is kiírja"), this);
    m_memos->setObjectName(QStringLiteral("cbTobbsoros"));
    m_memos->setChecked(true);
    m_fieldNames = new QCheckBox(QStringLiteral("Eredeti mezőneveket használja"), this);
    m_fieldNames->setObjectName(QStringLiteral("cbMezonevek"));
    m_noHeader = new QCheckBox(QStringLiteral("Fejléc nem kell (az első sorban)"), this);
    m_noHeader->setObjectName(QStringLiteral("cbNincsFejlec"));
    m_openAfter = new QCheckBox(QStringLiteral("Export után megnyitás"), this);
    m_openAfter->setObjectName(QStringLiteral("cbMegnyit"));

    auto *fileLabel = new QLabel(QStringLiteral("Filenév"), this);
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("edFilenev"));
    m_file->setMinimumWidth(320);
    fileLabel->setBuddy(m_file);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setObjectName(QStringLiteral("btnTallozas"));
    m_browse->setToolTip(QStringLiteral("Tallózás"));
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, guarded([this] { browse(); }));

    m_stop = new QPushButton(QStringLiteral("Megállít"), this);
    m_stop->setObjectName(QStringLiteral("btnMegallit"));
    m_stop->setAutoDefault(false);
    m_stop->setEnabled(false);
    m_start = new QPushButton(QStringLiteral("Export indítás"), this);
    m_start->setObjectName(QStringLiteral("btnExport"));
    m_start->setDefault(true);
    m_close = new QPushButton(QStringLiteral("Bezár"), this);
    m_close->setObjectName(QStringLiteral("btnBezar"));
    m_close->setAutoDefault(false);
    connect(m_stop, &QPushButton::clicked, this, guarded(this, &Tfrm_Hatarolt::stopExport));
    connect(m_start, &QPushButton::clicked, this, guarded(this, &Tfrm_Hatarolt::startExport));
    connect(m_close, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setTextVisible(false);
    m_progress->setValue(0);

    auto *left = new QVBoxLayout;
    left->addWidget(m_fields, 1);
    auto *tick = new QHBoxLayout;
    tick->addWidget(all);
    tick->addWidget(none);
    left->addLayout(tick);

    auto *right = new QVBoxLayout;
    auto *groups = new QHBoxLayout;
    groups->addWidget(delimBox);
    groups->addWidget(qualBox);
    right->addLayout(groups);
    right->addWidget(m_memos);
    right->addWidget(m_fieldNames);
    right->addWidget(m_noHeader);
    right->addWidget(m_openAfter);
    right->addSpacing(8);
    right->addWidget(fileLabel);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    right->addLayout(fileRow);
    right->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_stop);
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_close);
    right->addLayout(buttons);

    auto *grid = new QGridLayout(this);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(m_progress, 1, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 180);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    installFocusColor(this);
    m_file->setText(initialFile(suggestedFile));
    restoreDialogPos(this);
}

QString Tfrm_Hatarolt::initialFile(const QString &suggestedFile)
{
    if (!suggestedFile.isEmpty())
        return suggestedFile;
    QString folder = DocumentsFolder();
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("File001.csv"));
}

void Tfrm_Hatarolt::setAllTicked(bool on)
{
    for (int i = 0; i < m_fields->count(); ++i)
        m_fields->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

QStringList Tfrm_Hatarolt::tickedFields() const
{
    QStringList names;
    for (int i = 0; i < m_fields->count(); ++i) {
        if (m_fields->item(i)->checkState() == Qt::Checked)
            names.append(m_fields->item(i)->text());
    }
    return names;
}

bool Tfrm_Hatarolt::browse()
{
    const QString file = FileDialog::getSaveFileName(
        this, QStringLiteral("Határolt szöveg export"), m_file->text(),
        QStringLiteral(
            "Excel munkalap (*.xls)|*.xls|Excelbarát XML (*.xml)|*.xml|CSV állományok (*.csv)|*.csv|"
            "Text állományok (*.txt)|*.txt|Minden állomány (*.*)|*.*"),
        QStringLiteral("csv"));
    if (file.isEmpty())
        return false;
    m_file->setText(file);
    return true;
}

void Tfrm_Hatarolt::startExport()
{
    if (m_running)
        return;
    if (m_file->text().trimmed().isEmpty() && !browse())
        return;
    const QString file = m_file->text().trimmed();
    const QString ext = QFileInfo(file).suffix().toUpper();
    if (ext == QLatin1String("XML")) {
        ShowError(QStringLiteral("Ebben a verzióban ez nem támogatott."), this);
        return;  // nothing was written, so there is nothing to open either
    }
    m_running = true;
    m_start->setEnabled(false);
    m_close->setEnabled(false);
    if (ext == QLatin1String("XLS"))
        exportSpreadsheet(file);
    else
        exportDelimited(file);
    m_start->setEnabled(true);
    m_close->setEnabled(true);
    m_running = false;
}

void Tfrm_Hatarolt::exportDelimited(const QString &file)
{
    static const QChar delimiters[] = {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(','),
                                       QLatin1Char('|')};
    static const QString qualifiers[] = {QStringLiteral("\""), QStringLiteral("'"), QString()};
    DelimitedOptions opt;
    opt.delimiter = delimiters[std::clamp(m_delimiters->checkedId(), 0, 3)];
    opt.qualifier = qualifiers[std::clamp(m_qualifiers->checkedId(), 0, 2)];
    opt.writeMemos = m_memos->isChecked();
    opt.useFieldNames = m_fieldNames->isChecked();
    opt.noHeader = m_noHeader->isChecked();
    opt.fields = tickedFields();

    m_stopRequested = false;
    m_stop->setEnabled(true);
    try {
        m_progress->setMaximum(std::max(1, m_data.recordCount()));
        m_progress->setValue(0);
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            throw ExportError(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(file, out.errorString()));
        DelimitedWriter writer(m_data, opt);
        EventPump pump;
        writer.write(out, [&](int recordNo) {
            pump();
            if (m_stopRequested)
                return false;
            m_progress->setValue(recordNo);
            return true;
        });
        if (!out.commit())
            throw ExportError(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(file, out.errorString()));
        m_progress->setValue(0);
        ShowInfo(file + QStringLiteral(" file kész."), this);
    } catch (const std::exception &e) {
        m_progress->setValue(0);
        const auto *db = dynamic_cast<const EmySQLDatabaseError *>(&e);
        ShowError(QStringLiteral("Hiba: ") + (db ? db->message() : QString::fromUtf8(e.what())), this);
    }
    m_stop->setEnabled(false);
    if (m_openAfter->isChecked())
        Shell::openFile(QFileInfo(file).absoluteFilePath());
}

void Tfrm_Hatarolt::exportSpreadsheet(const QString &file)
{
    TDataToXLS xls(&m_data);
    const QStringList ticked = tickedFields();
    xls.fieldFilter = [&ticked](const TField &f) {
        return ticked.contains(f.fieldName(), Qt::CaseInsensitive);
    };
    EventPump pump;
    xls.onAfterRecord = [&](int recordNo) {
        m_progress->setValue(recordNo);
        pump();
    };
    try {
        // Too many rows for the sheet: refused before the file is touched.
        if (m_data.isActive() && m_data.recordCount() > xls.maxRecords())
            xls.checkDataSet();
        m_progress->setMaximum(std::max(1, m_data.isActive() ? m_data.recordCount() : 0));
        m_progress->setValue(0);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw ExportError(
                QStringLiteral("A(z) %1 fájl nem hozható létre: %2").arg(file, out.errorString()));
        xls.saveToDevice(out);
        out.close();
        if (out.error() != QFileDevice::NoError)
            throw ExportError(
                QStringLiteral("A(z) %1 fájl írása nem sikerült: %2").arg(file, out.errorString()));
    } catch (const std::exception &e) {
        m_progress->setValue(0);
        showGlobalError(e);
        return;
    }
    m_progress->setValue(0);
    if (m_openAfter->isChecked())
        Shell::openFile(QFileInfo(file).absoluteFilePath());
}

void Tfrm_Hatarolt::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        m_stopRequested = true;  // closing stops a running export; the window stays until it has ended
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Tfrm_Hatarolt::done(int result)
{
    if (m_running) {
        m_stopRequested = true;
        return;
    }
    storeDialogPos(this);
    QDialog::done(result);
}

void ExportDelimited(TDataSet &data, const QString &suggestedFile, QWidget *parent)
{
    Tfrm_Hatarolt dlg(data, suggestedFile, parent);
    dlg.exec();
}

}  // namespace zorva
