#include "grid2html.h"

#include "gridcolumns.h"
#include "outputpictures.h"
#include "sendmail.h"
#include "core/globals.h"
#include "core/texthelpers.h"
#include "core/ui/application.h"
#include "core/ui/dbgrid.h"
#include "core/ui/filedialog.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "export/exporterror.h"
#include "export/htmlpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>

namespace zorva {

Tfrm_Grid2Html::Tfrm_Grid2Html(TDataSet &dataSet, ExportColumns columns, int gridWidth, const QString &title,
                               const QString &subtitle, const QString &sumFields, QWidget *parent)
    : QDialog(parent),
      m_data(dataSet),
      m_columns(std::move(columns)),
      m_gridWidth(gridWidth),
      m_title(title),
      m_subtitle(subtitle),
      m_sumFields(parseSumFields(sumFields))
{
    setObjectName(QStringLiteral("frm_Grid2Html"));
    setWindowTitle(QStringLiteral("HTML export"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto *label = new QLabel(QStringLiteral("Mentés helye"), this);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("edPath"));
    m_path->setMinimumWidth(380);
    label->setBuddy(m_path);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setObjectName(QStringLiteral("btnTallozas"));
    m_browse->setToolTip(QStringLiteral("Tallózás"));
    m_browse->setAutoDefault(false);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(outputPicture(3));
    m_openAfter = new QCheckBox(QStringLiteral("Mentés után megnyitás"), this);
    m_openAfter->setObjectName(QStringLiteral("cbMegnyit"));
    m_openAfter->setChecked(true);

    m_mail = new QPushButton(QStringLiteral("E-Mail"), this);
    m_mail->setObjectName(QStringLiteral("btnEmail"));
    m_mail->setAutoDefault(false);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancel->setObjectName(QStringLiteral("btnMegsem"));
    m_cancel->setAutoDefault(false);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setTextVisible(false);
    m_progress->setValue(0);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 3);
    grid->addWidget(m_path, 1, 0, 1, 2);
    grid->addWidget(m_browse, 1, 2);
    grid->addWidget(picture, 2, 0, 2, 1);
    grid->addWidget(m_openAfter, 2, 1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_mail);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 3, 1, 1, 2);
    grid->addWidget(m_progress, 4, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_browse, &QPushButton::clicked, this, guarded(this, &Tfrm_Grid2Html::browse));
    connect(m_ok, &QPushButton::clicked, this, guarded(this, &Tfrm_Grid2Html::accepted));
    connect(m_mail, &QPushButton::clicked, this, guarded(this, &Tfrm_Grid2Html::mail));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    installFocusColor(this);
    m_path->setText(proposedFile(m_title));
    restoreDialogPos(this);
}

QString Tfrm_Grid2Html::proposedFile(const QString &title)
{
    QString folder = beall().HtmlPath;
    if (folder.isEmpty())
        folder = DataDir();
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder + QLatin1Char('/') + SafeFileName(title) + QStringLiteral(".htm");
}

void Tfrm_Grid2Html::browse()
{
    const QString file = FileDialog::getSaveFileName(
        this, QStringLiteral("HTML export"), m_path->text(),
        QStringLiteral("HTML dokumentum (*.htm;*.html)|*.htm;*.html"), QStringLiteral("htm"));
    if (!file.isEmpty())
        m_path->setText(file);
}

bool Tfrm_Grid2Html::writePage()
{
    const QString file = m_path->text().trimmed();
    try {
        if (file.isEmpty())
            throw ExportError(QStringLiteral("Nincs megadva a mentés helye."));
        HtmlPageSetup setup;
        setup.title = m_title;
        setup.subtitle = m_subtitle;
        setup.applicationTitle = ApplicationTitle();
        setup.exportedAt = m_exportTime.isValid() ? m_exportTime : QDateTime::currentDateTime();
        setup.columns = m_columns;
        setup.gridWidth = m_gridWidth;
        setup.sumFields = m_sumFields;
        setup.withRowCount = m_withRowCount;

        m_progress->setMaximum(std::max(1, m_data.recordCount()));
        m_progress->setValue(0);
        const QFileInfo info(file);
        if (!QDir().mkpath(info.absolutePath()))
            throw ExportError(QStringLiteral("A(z) %1 mappa nem hozható létre.").arg(info.absolutePath()));
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            throw ExportError(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(file, out.errorString()));
        HtmlPageWriter writer(setup);
        writer.write(m_data, out, [this](int recordNo) {
            m_progress->setValue(recordNo);
            QApplication::processEvents();
        });
        if (!out.commit())
            throw ExportError(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(file, out.errorString()));
    } catch (const std::exception &e) {
        m_progress->setValue(0);
        showGlobalError(e);
        return false;
    }
    m_progress->setValue(0);
    if (m_openAfter->isChecked())
        Shell::openFile(QFileInfo(file).absoluteFilePath());
    return true;
}

void Tfrm_Grid2Html::accepted()
{
    if (writePage())
        accept();
}

void Tfrm_Grid2Html::mail()
{
    m_openAfter->setChecked(false);
    if (!writePage())
        return;
    // The mail program starts on its own; the window is not held up meanwhile.  A
    // hand-off that fails, at once or when it ends, is told to the user.
    m_mail->setEnabled(false);
    QPointer<Tfrm_Grid2Html> self(this);
    const int started = SendMail(QStringLiteral("Html küldés"), QStringLiteral("Html küldés"),
                                 QFileInfo(m_path->text().trimmed()).absoluteFilePath(), QString(), QString(),
                                 QString(), QString(), [self](int result) {
                                     if (!self)
                                         return;
                                     self->m_mail->setEnabled(true);
                                     if (result != MailSuccess)
                                         ShowError(MailResultText(result), self);
                                 });
    if (started != MailSuccess) {
        m_mail->setEnabled(true);
        ShowError(MailResultText(started), this);
    }
}

void Tfrm_Grid2Html::done(int result)
{
    storeDialogPos(this);
    if (result == QDialog::Accepted)
        beall().HtmlPath = QFileInfo(m_path->text().trimmed()).absolutePath() + QLatin1Char('/');
    QDialog::done(result);
}

void ExportGridHtml(TDataSet &data, const ExportColumns &columns, int gridWidth, const QString &title,
                    const QString &subtitle, const QString &sumFields, QWidget *parent)
{
    Tfrm_Grid2Html dlg(data, columns, gridWidth, title, subtitle, sumFields, parent);
    dlg.exec();
}

void ExportGridHtml(TDBGrid *grid, const QString &title, const QString &subtitle, const QString &sumFields)
{
    if (!grid || !grid->dataSet())
        return;
    ExportGridHtml(*grid->dataSet(), gridColumns(*grid), gridWidth(*grid), title, subtitle, sumFields,
                   grid->window());
}

}  // namespace zorva
