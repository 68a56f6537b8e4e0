// The compiled-in art and sounds: every picture the painters and the item types rely on is there
// in its fixed size, and every reminder sound of the predefined types is a playable WAV file.
#include "toolkit/style/MenuLook.h"
#include "views/drawing/TypeIconDrawing.h"
#include "toolkit/style/ViewResources.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

TEST(Resources, SharedLookLoadsEverything)
{
    CMenuLook look;
    ASSERT_TRUE(look.LoadResources());
    for (int s = 0; s < 3; ++s) {
        const QSize cell = CMenuLook::kGlyphCells[std::size_t(s)];
        const QImage &strip = look.GetGlyphStrip(s);
        ASSERT_EQ(strip.size(), QSize(cell.width() * CMenuLook::kGlyphCount, cell.height())) << s;
        // Every glyph has something in it.
        for (int g = 0; g < CMenuLook::kGlyphCount; ++g) {
            bool any = false;
            for (int y = 0; y < cell.height() && !any; ++y) {
                for (int x = 0; x < cell.width() && !any; ++x)
                    any = qAlpha(strip.pixel(g * cell.width() + x, y)) != 0;
            }
            EXPECT_TRUE(any) << "strip " << s << " glyph " << g;
        }
    }
    EXPECT_EQ(look.GetSmallImages().size(), 5);
    EXPECT_EQ(look.GetHeaderImages().size(), 8);
    ASSERT_EQ(look.GetSortMarks().size(), 2);
    EXPECT_EQ(look.GetSortMarks()[0].size(), QSize(11, 7));
    EXPECT_EQ(look.GetOverflowGlyph().size(), QSize(11, 7));
    EXPECT_EQ(look.GetDefaultIcon(16).size(), QSize(16, 16));
    EXPECT_EQ(look.GetDefaultIcon(32).size(), QSize(32, 32));
    EXPECT_GT(look.GetOverlayImages().size(), kTaskOverlayImage);
}

TEST(Resources, PredefinedTypeIconsAreMaskedStrips)
{
    for (int size : {16, 32}) {
        const QList<QPixmap> icons = PredefinedTypeIcons(size);
        ASSERT_EQ(icons.size(), 11) << size;
        for (const QPixmap &icon : icons) {
            ASSERT_EQ(icon.size(), QSize(size, size));
            const QImage image = icon.toImage();
            // The magenta background is transparent; some of the picture is not.
            int opaque = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const QRgb px = image.pixel(x, y);
                    EXPECT_FALSE(qAlpha(px) == 255 && (px & 0xFFFFFF) == 0xFF00FF);
                    opaque += qAlpha(px) == 255;
                }
            }
            EXPECT_GT(opaque, size * size / 5);
            EXPECT_LT(opaque, size * size);
        }
    }
}

TEST(Resources, ReminderSoundsArePcmWaves)
{
    InitViewResources();
    for (const char *name : {"Alarm.wav", "Title.wav", "Notify.wav", "Fanfare3.wav", "Tinkle.wav",
                             "Alert.wav", "Phone.wav", "Reville.wav"}) {
        QFile f(QString::fromLatin1(kSoundsPath) + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const QByteArray wav = f.readAll();
        ASSERT_GT(wav.size(), 44) << name;
        const char *d = wav.constData();
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(qFromLittleEndian<quint32>(d + 4), quint32(wav.size() - 8)) << name;
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 20), 1) << name;  // PCM
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 34), 16) << name; // bits per sample
        EXPECT_EQ(wav.mid(36, 4), "data");
        const quint32 samples = qFromLittleEndian<quint32>(d + 40) / 2;
        const quint32 rate = qFromLittleEndian<quint32>(d + 24);
        // Short sounds: between a fifth of a second and two seconds.
        EXPECT_GT(samples, rate / 5) << name;
        EXPECT_LT(samples, rate * 2) << name;
    }
}

} // namespace
