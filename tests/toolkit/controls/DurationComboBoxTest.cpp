// The duration combo box driven with keys and focus changes, its own painting in given colours,
// and the caption static beside it.
#include "toolkit/controls/DurationComboBox.h"
#include "toolkit/controls/CaptionStatic.h"

#include "ControlInput.h"
#include "RenderGallery.h"
#include "common/PaintProbe.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace controlinput;

namespace {
struct DurationLog : std::vector<double>
{
    explicit DurationLog(CDurationComboBox &combo)
    {
        m_connection = QObject::connect(&combo, &CDurationComboBox::durationChanged,
                                        [this](double span) { push_back(span * 1440); });
    }
    ~DurationLog() { QObject::disconnect(m_connection); }
    QMetaObject::Connection m_connection;
};

void TypeOver(QComboBox &combo, const QString &text)
{
    combo.lineEdit()->selectAll();
    Key(&combo, Qt::Key_Delete);
    Type(&combo, text);
}

constexpr COLORREF kFace = 0x9AD7F5; // a warm item-type colour
constexpr COLORREF kText = 0x202020;

bool HasColour(const QImage &image, COLORREF colour)
{
    return CountPixels(image, ToQColor(colour).rgb()) > 0;
}
} // namespace

TEST(DurationComboBox, TypedDurationIsNormalisedAndReported)
{
    CDurationComboBox combo;
    combo.FillList(false);
    combo.SetDuration(CDateSpan::FromMinutes(15));
    DurationLog log(combo);

    TypeOver(combo, QStringLiteral("1.5 h"));
    CDateSpan span;
    EXPECT_FALSE(combo.GetDuration(span));
    FocusOut(&combo);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NEAR(log.at(0), 90, 1e-6);
    EXPECT_EQ(combo.currentText(), "1.5 hours");
    ASSERT_TRUE(combo.GetDuration(span));

    // Bad input is refused: no report, no value, the text left for the user to mend.
    TypeOver(combo, QStringLiteral("2 w"));
    Key(&combo, Qt::Key_Return);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_FALSE(combo.GetDuration(span));
    EXPECT_EQ(combo.currentText(), "2 w");

    // An empty field brings the last duration back.
    TypeOver(combo, QString());
    FocusOut(&combo);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(combo.currentText(), "1.5 hours");
    ASSERT_TRUE(combo.GetDuration(span));
    EXPECT_NEAR(span.GetTotalDays() * 1440, 90, 1e-6);
    EXPECT_EQ(combo.count(), 16); // typed text never becomes an entry
}

TEST(DurationComboBox, PickingWithKeysReportsAndOtherInvalidates)
{
    CDurationComboBox combo;
    combo.FillList(true);
    DurationLog log(combo);
    Key(&combo, Qt::Key_Down); // 5 minutes
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NEAR(log.at(0), 5, 1e-6);
    for (int i = 2; i < combo.count() - 1; ++i)
        Key(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.currentIndex(), 15);
    EXPECT_NEAR(log.back(), 7 * 1440, 1e-6);
    const size_t reported = log.size();
    Key(&combo, Qt::Key_Down); // "Other..."
    EXPECT_EQ(combo.currentText(), "Other...");
    EXPECT_EQ(log.size(), reported);
    CDateSpan span;
    EXPECT_FALSE(combo.GetDuration(span));
    Type(&combo, QStringLiteral("25"));
    FocusOut(&combo);
    EXPECT_EQ(combo.currentText(), "25 minutes");
    EXPECT_NEAR(log.back(), 25, 1e-6);
}

TEST(DurationComboBox, PaintsItselfOnlyWithColours)
{
    CDurationComboBox combo;
    combo.FillList(false);
    combo.resize(140, 24);
    EXPECT_FALSE(combo.OwnPainting());
    combo.SetColors(kFace, kText);
    EXPECT_TRUE(combo.OwnPainting());
    const QImage own = combo.grab().toImage();
    EXPECT_TRUE(HasColour(own, kFace));
    EXPECT_TRUE(HasColour(own, combo.Colors().shadow)); // the outer edge
    // The arrow image is recoloured to the text colour.
    const QRect button = combo.ArrowButtonRect();
    EXPECT_GT(CountPixels(own.copy(button), ToQColor(kText).rgb()), 5);

    combo.SetSystemLook(true);
    EXPECT_FALSE(combo.OwnPainting());
    combo.SetSystemLook(false);
    combo.ResetColors();
    EXPECT_FALSE(combo.CustomColors());
    EXPECT_FALSE(combo.OwnPainting());
    EXPECT_FALSE(HasColour(combo.grab().toImage(), kFace));
}

TEST(DurationComboBox, PressOnTheOwnArrowOpensTheList)
{
    CDurationComboBox combo;
    combo.FillList(false);
    combo.resize(140, 24);
    combo.SetColors(kFace, kText);
    combo.show();
    const QRect button = combo.ArrowButtonRect();
    EXPECT_EQ(button.right(), 137);
    EXPECT_EQ(button.width(), CBitmapComboBox::kButtonWidth);
    Press(&combo, button.center());
    ASSERT_NE(combo.view(), nullptr);
    EXPECT_TRUE(combo.view()->isVisible());
    // Drawn pressed while the list is open: a flat shadow frame.
    const QImage pressed = combo.grab().toImage();
    EXPECT_EQ(pressed.pixel(button.bottomRight()), ToQColor(combo.Colors().shadow).rgb());
    combo.hidePopup();
    EXPECT_FALSE(combo.view()->isVisible());
    const QImage released = combo.grab().toImage();
    EXPECT_NE(released.pixel(button.bottomRight()), ToQColor(combo.Colors().shadow).rgb());
}

TEST(CaptionStatic, DisabledTextIsEtchedInTheDerivedColours)
{
    CCaptionStatic label(QStringLiteral("Reminder"));
    QFont bold = label.font();
    bold.setBold(true);
    label.setFont(bold);
    label.resize(120, 22);
    label.SetColors(kFace, kText);
    const CControlColors colours = label.Colors();
    EXPECT_EQ(colours.highlight, LightenHlsHalfway(kFace));
    EXPECT_EQ(colours.shadow, DarkenHlsTwoThirds(kFace));

    QImage enabled = label.grab().toImage();
    EXPECT_TRUE(HasColour(enabled, kFace));
    EXPECT_FALSE(HasColour(enabled, colours.shadow));

    label.setEnabled(false);
    const QImage etched = label.grab().toImage();
    EXPECT_TRUE(HasColour(etched, colours.shadow));
    EXPECT_TRUE(HasColour(etched, colours.highlight));

    label.SetSkinActive(true);
    const QImage skinned = label.grab().toImage();
    EXPECT_TRUE(HasColour(skinned, colours.shadow));
    EXPECT_FALSE(HasColour(skinned, colours.highlight));

    label.ResetColors();
    EXPECT_FALSE(label.Colors().custom);
}

TEST(DurationComboBox, Render)
{
    CDurationComboBox plain, coloured, typed, disabled;
    for (CDurationComboBox *c : {&plain, &coloured, &typed, &disabled}) {
        c->FillList(false);
        c->resize(130, 24);
    }
    plain.SetDuration(CDateSpan::FromMinutes(15));
    coloured.SetColors(kFace, kText);
    coloured.SetDuration(CDateSpan::FromMinutes(90));
    typed.SetColors(kFace, kText);
    typed.lineEdit()->setText(QStringLiteral("2 w"));
    disabled.SetColors(kFace, kText);
    disabled.SetDuration(CDateSpan::FromMinutes(1440));
    disabled.setEnabled(false);

    CCaptionStatic caption(QStringLiteral("Meeting with the bank")),
        etched(QStringLiteral("Meeting with the bank"));
    for (CCaptionStatic *c : {&caption, &etched}) {
        c->SetColors(kFace, kText);
        c->resize(170, 24);
    }
    etched.setEnabled(false);
    EXPECT_TRUE(rendergallery::Save(
        rendergallery::Strip({&plain, &coloured, &typed, &disabled, &caption, &etched}), "duration_combo"));
}
