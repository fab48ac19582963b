// Draws the program's icon from its logo at the given sizes: <folder>/<n>x<n>/apps/zorva.png.
#include "app/logo.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: zorvaicons FOLDER SIZE...\n");
        return 2;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        const int n = args.at(i).toInt();
        QImage image(n, n, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            zorva::paintLogoPicture(p, QRect(0, 0, n, n));
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(n);
        if (!QDir().mkpath(dir) || !image.save(dir + QStringLiteral("/zorva.png"))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
