#include "dialogfixture.h"

#include "core/globals.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"

namespace exporttest {

void WindowTest::SetUp()
{
    zorva::IniPath() = tmp.file(QStringLiteral("Zorva.ini"));
    zorva::DataDir() = tmp.path();
    zorva::beall().HtmlPath.clear();
    zorva::MessageBox::clearAnswers();
    zorva::MessageBox::clearLog();
    zorva::FileDialog::clearFileNames();
    zorva::FileDialog::clearLog();
    zorva::Shell::clearLog();
}

void WindowTest::TearDown()
{
    zorva::MessageBox::clearAnswers();
    zorva::FileDialog::clearFileNames();
}

QByteArray WindowTest::readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList WindowTest::messages()
{
    QStringList out;
    for (const auto &m : zorva::MessageBox::log())
        out << m.text;
    return out;
}

}  // namespace exporttest
