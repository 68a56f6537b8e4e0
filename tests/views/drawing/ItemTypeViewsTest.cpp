// The item types in the GUI: pixels to pixmaps, the icon source over a type list and its refresh,
// the predefined art from the resources, menus, combo boxes and the menu image source.
#include "common/FakeFixedObjectStore.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/ProgramPaths.h"
#include "toolkit/drawing/ImagePixelsQt.h"
#include "views/drawing/ItemTypeArtResources.h"
#include "views/drawing/ItemTypeIconSource.h"
#include "views/drawing/ItemTypeImageSource.h"
#include "views/drawing/ItemTypeMenus.h"
#include "views/drawing/TypeIconDrawing.h"

#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ImagePixels Solid(int size, std::uint32_t argb)
{
    return ImagePixels(std::size_t(size) * size, argb);
}

CItemType Type(const QString &name)
{
    return CItemType(name);
}

bool IsBlank(const ImagePixels &p)
{
    return std::all_of(p.begin(), p.end(), [](std::uint32_t v) { return v == 0; });
}

class ItemTypeViews : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetStandardFolders({m_dir.path(), m_dir.path(), m_dir.path()});
        RegisterItemTypeArt();
    }
    void TearDown() override
    {
        SetItemTypeArt(nullptr);
        ResetStandardFolders();
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST(ImagePixelsQt, RoundTripAndScaling)
{
    ImagePixels p(4 * 3);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = i % 3 == 0 ? 0 : 0x80000000u | std::uint32_t(i * 0x102030);
    const QImage image = ImageFromPixels(p, 4, 3);
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixel(1, 0), p[1]);
    EXPECT_EQ(PixelsFromImage(image, 4, 3), p);
    EXPECT_TRUE(ImageFromPixels(p, 4, 4).isNull());
    EXPECT_EQ(PixelsFromImage(image, 8, 6).size(), 48u);
}

TEST_F(ItemTypeViews, IconSourceFollowsTheList)
{
    CItemTypeList list;
    ASSERT_TRUE(list.AddType(Type("Middle"), Solid(32, 0xFF0000FF), Solid(16, 0xFF0000FF)));
    CItemTypeIconSource source(list);
    EXPECT_EQ(source.TypeIcon(0, 16).toImage().pixel(3, 3), 0xFF0000FFu);
    EXPECT_EQ(source.TypeIcon(0, 32).size(), QSize(32, 32));
    EXPECT_TRUE(source.TypeIcon(1, 16).isNull());

    // A type sorted in first moves the icons; a cached pixmap must not outlive that.
    ASSERT_TRUE(list.AddType(Type("Aaa"), Solid(32, 0xFFFF0000), Solid(16, 0xFFFF0000)));
    EXPECT_EQ(source.TypeIcon(0, 16).toImage().pixel(3, 3), 0xFFFF0000u);
    EXPECT_EQ(source.TypeIcon(1, 16).toImage().pixel(3, 3), 0xFF0000FFu);
}

TEST_F(ItemTypeViews, NewDataFileGetsTheResourceIconsAndSounds)
{
    FakeFixedObjectStore store;
    CItemTypeList list;
    ASSERT_EQ(list.Load(store), S_OK);
    ASSERT_EQ(list.GetTypeCount(), 11);
    const QList<QPixmap> strip16 = PredefinedTypeIcons(16);
    ASSERT_EQ(strip16.size(), 11);
    for (int i = 0; i < 11; ++i) {
        ImagePixels large, small;
        ASSERT_TRUE(list.GetTypeIcons(i, large, small));
        EXPECT_FALSE(IsBlank(small)) << i;
        EXPECT_FALSE(IsBlank(large)) << i;
        EXPECT_EQ(small, PixelsFromImage(strip16[i].toImage(), 16, 16)) << i;
        const CReminderSound &sound = list.GetType(i)->GetSound();
        if (sound.GetMode() == CReminderSound::SoundFile) {
            EXPECT_TRUE(QFile::exists(sound.GetPath())) << sound.GetPath().toStdString();
        }
    }
    // The icons are stored with the list and come back pixel for pixel.
    CItemTypeList back;
    ASSERT_EQ(back.Load(store), S_OK);
    EXPECT_EQ(back.GetSmallImages(), list.GetSmallImages());
    EXPECT_EQ(back.GetLargeImages(), list.GetLargeImages());
}

TEST_F(ItemTypeViews, InstallingASoundKeepsAFileThatIsThere)
{
    CResourceItemTypeArt art;
    const QString path = m_dir.filePath(QStringLiteral("Phone.wav"));
    ASSERT_TRUE(art.InstallSound(QStringLiteral("Phone.wav"), path));
    QFile wav(path);
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    EXPECT_EQ(wav.read(4), QByteArray("RIFF"));
    wav.close();

    const QString own = m_dir.filePath(QStringLiteral("Alarm.wav"));
    QFile mine(own);
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();
    ASSERT_TRUE(art.InstallSound(QStringLiteral("Alarm.wav"), own));
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("mine"));
    EXPECT_FALSE(
        art.InstallSound(QStringLiteral("NoSuch.wav"), m_dir.filePath(QStringLiteral("NoSuch.wav"))));
}

TEST_F(ItemTypeViews, TypeMenuDoublesAmpersandsAndNumbersCommands)
{
    CItemTypeList list;
    ASSERT_TRUE(list.AddType(Type("Q&A"), Solid(32, 0xFF00FF00), Solid(16, 0xFF00FF00)));
    ASSERT_TRUE(list.AddType(Type("Travel"), Solid(32, 0xFF0000FF), Solid(16, 0xFF0000FF)));
    QMenu menu;
    EXPECT_EQ(AppendTypesToMenu(menu, list, 33223), 2);
    const QList<QAction *> actions = menu.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Q&&A"));
    EXPECT_EQ(actions[0]->data().toInt(), 33223);
    EXPECT_EQ(actions[1]->data().toInt(), 33224);
    EXPECT_EQ(actions[1]->icon().pixmap(16, 16).toImage().pixel(8, 8), 0xFF0000FFu);

    CItemTypeList empty;
    QMenu none;
    EXPECT_EQ(AppendTypesToMenu(none, empty, 33223), 1);
    EXPECT_EQ(none.actions()[0]->text(), QStringLiteral("< undefined >"));
    EXPECT_FALSE(none.actions()[0]->isEnabled());
}

TEST_F(ItemTypeViews, FilterMenuInsertsAtThePosition)
{
    CItemTypeList list;
    CItemFilter f;
    f.SetName(QStringLiteral("Home & Work"));
    list.AddFilter(f);
    f.SetName(QStringLiteral("Other"));
    list.AddFilter(f);
    QMenu menu;
    menu.addAction(QStringLiteral("first"));
    menu.addAction(QStringLiteral("last"));
    EXPECT_EQ(AppendFiltersToMenu(menu, 1, list, 500), 2);
    QStringList texts;
    for (QAction *a : menu.actions())
        texts << a->text();
    EXPECT_EQ(texts, QStringList({"first", "Home && Work", "Other", "last"}));
    EXPECT_EQ(menu.actions()[2]->data().toInt(), 501);

    QComboBox combo;
    combo.addItem(QStringLiteral("stale"));
    FillFilterCombo(combo, list);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Home & Work"));
}

TEST_F(ItemTypeViews, MenuImageSource)
{
    CItemTypeList list;
    ASSERT_TRUE(list.AddType(Type("Red"), Solid(32, 0xFFFF0000), Solid(16, 0xFFFF0000)));
    CItemTypeIconSource icons(list);
    CItemTypeImageSource images(&icons);
    EXPECT_EQ(images.Image(4096, false).toImage().pixel(5, 5), 0xFFFF0000u);
    EXPECT_NE(images.Image(4096, true).toImage().pixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(images.Image(4097, false).toImage(), DefaultTypeIcon(16).toImage());
    EXPECT_TRUE(images.Image(12, false).isNull());

    QPixmap large, small;
    GetTypeIcons(list, 0, large, small);
    EXPECT_EQ(large.size(), QSize(32, 32));
    GetTypeIcons(list, 5, large, small);
    EXPECT_EQ(small.toImage(), DefaultTypeIcon(16).toImage());
}
