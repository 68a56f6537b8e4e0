// Registration of the compiled-in resources and the screen-depth source of the colour rules.
#include "toolkit/style/ViewResources.h"

#include "core/lists/ColorRules.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

static void RegisterResources()
{
    Q_INIT_RESOURCE(tessivo);
}

void InitViewResources()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterResources();
    SetDisplayDepthSource([] {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->depth() : 32;
    });
}

QList<QPixmap> LoadImageStrip(const QString &path, int cellWidth, bool magentaMask)
{
    InitViewResources();
    QImage strip(path);
    QList<QPixmap> out;
    if (strip.isNull() || cellWidth <= 0)
        return out;
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    if (magentaMask) {
        for (int y = 0; y < strip.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
            for (int x = 0; x < strip.width(); ++x) {
                if ((line[x] & 0x00FFFFFF) == 0x00FF00FF)
                    line[x] = 0;
            }
        }
    }
    for (int x = 0; x + cellWidth <= strip.width(); x += cellWidth)
        out.append(QPixmap::fromImage(strip.copy(x, 0, cellWidth, strip.height())));
    return out;
}
