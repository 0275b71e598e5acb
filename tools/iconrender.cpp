// quillet_iconrender SVG OUTDIR NAME SIZE...
// Writes OUTDIR/NAME-SIZE.png for every SIZE (pixels, square). Runs at build
// time without a QGuiApplication: a raster QImage needs no display, and the
// icons hold no text, so no fonts are needed either.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// Icons are small; anything larger is a typo in the build script.
constexpr int kMaxSize = 1024;

int fail(const QString &why)
{
    std::fprintf(stderr, "quillet_iconrender: %s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5)
        return fail(QStringLiteral("usage: quillet_iconrender SVG OUTDIR NAME SIZE..."));
    const QString svgPath = QString::fromLocal8Bit(argv[1]);
    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);

    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid())
        return fail(QStringLiteral("%1 is not a valid SVG").arg(svgPath));
    if (!outDir.exists() && !QDir().mkpath(outDir.path()))
        return fail(QStringLiteral("cannot create %1").arg(outDir.path()));

    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > kMaxSize)
            return fail(QStringLiteral("bad size '%1'").arg(QString::fromLocal8Bit(argv[i])));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString target = outDir.filePath(QStringLiteral("%1-%2.png").arg(name).arg(size));
        // Straight alpha is what PNG stores; converting first keeps edges exact.
        if (!image.convertToFormat(QImage::Format_ARGB32).save(target, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(target));
    }
    return 0;
}
