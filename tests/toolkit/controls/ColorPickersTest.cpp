// The colour pickers driven offscreen with synthetic keys and clicks: the value each reports and
// its signal, the colour dialog through a scripted chooser, the default-button frame, and renders
// of every picker in its states.
#include "toolkit/controls/ColorButton.h"
#include "toolkit/controls/ColorComboBox.h"
#include "toolkit/controls/ColorSwatch.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "ColorPickerInput.h"
#include "toolkit/RenderFolder.h"
#include "common/TempProfile.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kOffered[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};

struct ComboFixture
{
    CColorComboBox combo;
    CColorComboBox::CustomColors custom{};
    std::vector<COLORREF> chosen;
    int dialogRuns = 0;
    std::optional<COLORREF> dialogAnswer;

    explicit ComboFixture(bool customAllowed)
    {
        combo.FillColors(kOffered, 4, 0xFFFFFF, 0x000000, &custom, customAllowed, false);
        combo.SetColorChooser([this](COLORREF start, CColorComboBox::CustomColors *colours) {
            ++dialogRuns;
            EXPECT_EQ(colours, &custom);
            lastStart = start;
            return dialogAnswer;
        });
        QObject::connect(&combo, &CColorComboBox::colorChosen, [this](COLORREF c) { chosen.push_back(c); });
        combo.resize(140, 24);
        ShowActive(&combo);
        combo.setFocus();
    }
    COLORREF lastStart = 0;
};

TEST(ColorComboBox, KeysChooseColours)
{
    ComboFixture f(true);
    EXPECT_EQ(f.combo.count(), 6);
    EXPECT_EQ(f.combo.GetColor(), CMenuLook::Instance().GetColors().window); // nothing selected
    f.combo.SelectColor(0x00FF00);
    EXPECT_EQ(f.combo.currentIndex(), 1);
    EXPECT_TRUE(f.chosen.empty()); // the program's own choice is not reported

    SendKey(&f.combo, Qt::Key_Down);
    EXPECT_EQ(f.combo.GetColor(), 0xFF0000u);
    ASSERT_EQ(f.chosen.size(), 1u);
    EXPECT_EQ(f.chosen.back(), 0xFF0000u);

    SendKey(&f.combo, Qt::Key_Down);
    SendKey(&f.combo, Qt::Key_Down);
    EXPECT_EQ(f.combo.GetColor(), CColorEntryList::kDefaultColor);
    EXPECT_EQ(f.chosen.back(), CColorEntryList::kDefaultColor);
    EXPECT_EQ(f.dialogRuns, 0);

    // "Custom..." runs the colour dialog from the entry's colour.
    f.dialogAnswer = 0x123456;
    SendKey(&f.combo, Qt::Key_Down);
    EXPECT_EQ(f.dialogRuns, 1);
    EXPECT_EQ(f.lastStart, CMenuLook::Instance().GetColors().window);
    EXPECT_EQ(f.combo.GetColor(), 0x123456u);
    EXPECT_EQ(f.chosen.back(), 0x123456u);

    // Cancelling keeps the previous custom colour.
    f.dialogAnswer.reset();
    SendKey(&f.combo, Qt::Key_Up);
    SendKey(&f.combo, Qt::Key_Down);
    EXPECT_EQ(f.dialogRuns, 2);
    EXPECT_EQ(f.lastStart, 0x123456u);
    EXPECT_EQ(f.combo.GetColor(), 0x123456u);
    EXPECT_EQ(f.chosen.back(), 0x123456u);
}

TEST(ColorComboBox, SelectingAColourNotInTheList)
{
    ComboFixture withCustom(true);
    withCustom.combo.SelectColor(0x445566);
    EXPECT_EQ(withCustom.combo.currentIndex(), 5);
    EXPECT_EQ(withCustom.combo.currentText(), QStringLiteral("Custom..."));
    EXPECT_EQ(withCustom.combo.GetColor(), 0x445566u);

    ComboFixture without(false);
    without.combo.SelectColor(0x445566);
    EXPECT_EQ(without.combo.currentText(), QStringLiteral("Default"));
    EXPECT_EQ(without.combo.GetColor(), 0xFF000000u);
}

TEST(ColorComboBox, MouseOpensTheListAndKeysPick)
{
    ComboFixture f(false);
    f.combo.SelectColor(0x0000FF);
    Click(&f.combo);
    QAbstractItemView *view = f.combo.view();
    ASSERT_TRUE(view->isVisible());
    // Entries keep their fixed height.
    EXPECT_EQ(view->visualRect(f.combo.model()->index(0, 0)).height(),
              CColorComboBox::ItemHeightForDpi(f.combo.logicalDpiY()));
    SendKey(view, Qt::Key_Down);
    SendKey(view, Qt::Key_Down);
    SendKey(view, Qt::Key_Return);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(f.combo.GetColor(), 0xFF0000u);
    ASSERT_FALSE(f.chosen.empty());
    EXPECT_EQ(f.chosen.back(), 0xFF0000u);
}

TEST(ColorComboBox, ItemHeight)
{
    const int cases[][2] = {{96, 16}, {120, 18}, {144, 16}, {72, 16}};
    for (const auto &c : cases)
        EXPECT_EQ(CColorComboBox::ItemHeightForDpi(c[0]), c[1]) << c[0];
}

TEST(ColorButton, ClickAndKeysReport)
{
    CColorButton button;
    button.resize(64, 24);
    ShowActive(&button);
    std::vector<COLORREF> changes;
    int clicks = 0;
    QObject::connect(&button, &CColorButton::colorChanged, [&](COLORREF c) { changes.push_back(c); });
    // The dialog's handler: the colour choice answers with a new colour.
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        button.SetColor(0x00FF80 + COLORREF(clicks));
    });
    EXPECT_EQ(button.GetColor(), 0xFFFFFFu);
    Click(&button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.GetColor(), 0x00FF81u);
    button.setFocus();
    SendKey(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(changes, (std::vector<COLORREF>{0x00FF81, 0x00FF82}));
    // The same colour again is no change; the top byte is not part of a colour.
    button.SetColor(0xFF00FF82);
    EXPECT_EQ(button.GetColor(), 0x00FF82u);
    EXPECT_EQ(changes.size(), 2u);
    // A disabled button does not click.
    button.setEnabled(false);
    Click(&button);
    EXPECT_EQ(clicks, 2);
}

TEST(ColorButton, KeepsTheDefaultFrame)
{
    QDialog dialog;
    auto *colour = new CColorButton(&dialog);
    auto *other = new QPushButton(QStringLiteral("Other"), &dialog);
    auto *label = new QLabel(QStringLiteral("x"), &dialog);
    label->setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QHBoxLayout(&dialog);
    layout->addWidget(colour);
    layout->addWidget(other);
    layout->addWidget(label);
    colour->setDefault(true);
    ShowActive(&dialog);
    colour->setFocus();
    EXPECT_TRUE(colour->isDefault());
    // Another push button takes the focus and the default look, and gives both back.
    other->setFocus();
    EXPECT_FALSE(colour->isDefault());
    EXPECT_TRUE(other->isDefault());
    label->setFocus();
    EXPECT_TRUE(colour->isDefault());
    EXPECT_FALSE(other->isDefault());
    colour->setFocus();
    EXPECT_TRUE(colour->isDefault());
}

TEST(ColorSwatch, ColoursFollowTheFace)
{
    CColorSwatch swatch;
    EXPECT_FALSE(swatch.HasCustomColors());
    EXPECT_EQ(swatch.Face(), CMenuLook::Instance().GetColors().buttonFace);
    swatch.SetColor(0x3080C0);
    EXPECT_TRUE(swatch.HasCustomColors());
    EXPECT_EQ(swatch.Highlight(), LightenHlsHalfway(0x3080C0));
    EXPECT_EQ(swatch.Shadow(), DarkenHlsTwoThirds(0x3080C0));

    // Drawn in those colours: shadow row above the highlight row.
    swatch.resize(40, 2);
    const QImage image = swatch.grab().toImage();
    EXPECT_EQ(FromQColor(image.pixelColor(10, 0)), swatch.Shadow());
    EXPECT_EQ(FromQColor(image.pixelColor(10, 1)), swatch.Highlight());
    EXPECT_EQ(FromQColor(image.pixelColor(39, 0)), swatch.Highlight()); // up the right end
    swatch.ResetColors();
    EXPECT_FALSE(swatch.HasCustomColors());
    EXPECT_EQ(swatch.Shadow(), CMenuLook::Instance().GetColors().buttonShadow);
}

// One row of a render sheet: a caption and the widget's picture.
void AddRow(QPainter &p, int &y, const QString &caption, QWidget &widget)
{
    p.setPen(Qt::black);
    p.drawText(QRect(8, y, 150, 28), Qt::AlignVCenter, caption);
    p.drawPixmap(160, y + 2, widget.grab());
    y += std::max(30, widget.height() + 6);
}

TEST(ColorPickers, Renders)
{
    for (bool styled : {false, true}) {
        TempProfile profile;
        profile.Profile().WriteInt(QStringLiteral("Common"), QStringLiteral("VisualStyle"), styled ? 1 : 0);
        QImage sheet(360, 520, QImage::Format_RGB32);
        sheet.fill(ToQColor(CMenuLook::Instance().GetColors().buttonFace));
        QPainter p(&sheet);
        int y = 6;

        QDialog host;
        CColorButton plain(&host), focused(&host), pressed(&host), disabled(&host), byDefault(&host);
        for (CColorButton *b : {&plain, &focused, &pressed, &disabled, &byDefault}) {
            b->resize(72, 26);
            b->SetColor(0x2060E0);
        }
        EXPECT_EQ(plain.IsFlat(), !styled);
        ShowActive(&host);
        // As when tabbed to, so the style shows the focus.
        focused.setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(focused.hasFocus());
        pressed.setDown(true);
        disabled.setEnabled(false);
        byDefault.setDefault(true);
        AddRow(p, y, QStringLiteral("button"), plain);
        AddRow(p, y, QStringLiteral("button, focused"), focused);
        AddRow(p, y, QStringLiteral("button, pressed"), pressed);
        AddRow(p, y, QStringLiteral("button, disabled"), disabled);
        AddRow(p, y, QStringLiteral("button, default"), byDefault);

        CColorComboBox::CustomColors custom{};
        CColorComboBox colour(&host), none(&host), byDefaultCombo(&host), customCombo(&host), split(&host),
            off(&host);
        for (CColorComboBox *c : {&colour, &none, &byDefaultCombo, &customCombo, &split, &off}) {
            c->FillColors(kOffered, 4, 0xE0F0FF, 0x800000, &custom, c != &byDefaultCombo, c == &split);
            c->resize(150, 24);
        }
        colour.SelectColor(0x00FF00);
        byDefaultCombo.SelectColor(CColorEntryList::kDefaultColor);
        customCombo.SelectColor(0x808040);
        split.SelectColor(0xFF0000);
        off.SelectColor(0x0000FF);
        off.setEnabled(false);
        AddRow(p, y, QStringLiteral("combo, colour"), colour);
        AddRow(p, y, QStringLiteral("combo, nothing chosen"), none);
        AddRow(p, y, QStringLiteral("combo, Default"), byDefaultCombo);
        AddRow(p, y, QStringLiteral("combo, Custom..."), customCombo);
        AddRow(p, y, QStringLiteral("combo, split"), split);
        AddRow(p, y, QStringLiteral("combo, disabled"), off);

        // The open list: every entry as the list draws it, the second one selected.
        p.setPen(Qt::black);
        p.drawText(QRect(8, y, 150, 28), Qt::AlignVCenter, QStringLiteral("combo list"));
        for (int i = 0; i < customCombo.count(); ++i)
            customCombo.DrawItem(p, QRect(160, y + i * 16, 150, 16), i, i == 1, true);
        y += customCombo.count() * 16 + 8;

        CColorSwatch systemLine(&host), colouredLine(&host);
        systemLine.resize(150, 2);
        colouredLine.resize(150, 2);
        colouredLine.SetColor(0x3080C0);
        AddRow(p, y, QStringLiteral("swatch, system"), systemLine);
        AddRow(p, y, QStringLiteral("swatch, coloured"), colouredLine);
        p.end();
        EXPECT_TRUE(SaveRender(sheet, styled ? QStringLiteral("color-pickers-styled") : QStringLiteral("color-pickers-flat")));
    }
}

} // namespace
