// Group headings: the measured text and the etched rule after it; bar links: their background,
// their click and the links they open.
#include "toolkit/controls/LabelRule.h"
#include "toolkit/controls/LabelStatic.h"
#include "toolkit/controls/LinkOpener.h"
#include "toolkit/controls/TransparentStatic.h"

#include "ControlInput.h"
#include "RenderGallery.h"
#include "common/PaintProbe.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QHBoxLayout>
#include <gtest/gtest.h>

using namespace controlinput;

TEST(LabelRule, MeasuringAndRuleGeometry)
{
    EXPECT_EQ(CLabelRule::MeasuredText("&General"), "General");
    EXPECT_EQ(CLabelRule::MeasuredText("Save && close"), "Save  close");
    EXPECT_EQ(CLabelRule::ShownText(QString(200, QLatin1Char('x'))).size(), 128);

    struct Case
    {
        int textWidth;
        QRect client;
        bool empty;
        int x0, y, right;
    };
    const Case cases[] = {
        {50, QRect(0, 0, 200, 16), false, 57, 9, 199},
        {50, QRect(0, 0, 200, 15), false, 57, 8, 199},
        {0, QRect(0, 0, 30, 10), false, 7, 6, 29},
        {193, QRect(0, 0, 200, 16), true, 0, 0, 0}, // no room after the text
        {300, QRect(0, 0, 200, 16), true, 0, 0, 0},
        {-5, QRect(0, 0, 100, 16), false, 7, 9, 99}, // a bad width counts as none
        {10, QRect(0, 0, 100, 2), true, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const CLabelRule::Lines lines = CLabelRule::Rule(c.textWidth, c.client);
        EXPECT_EQ(lines.empty, c.empty) << c.textWidth << " " << c.client.height();
        if (c.empty)
            continue;
        EXPECT_EQ(lines.shadow, QLine(c.x0, c.y, c.right - 1, c.y));
        EXPECT_EQ(lines.highlight, QLine(c.x0, c.y + 1, c.right, c.y + 1));
        EXPECT_EQ(lines.highlightEnd, QLine(c.right, c.y, c.right, c.y - 1));
    }
}

TEST(LabelStatic, RuleStartsSevenPixelsAfterTheTextAndFollowsIt)
{
    CLabelStatic label(QStringLiteral("&General"));
    label.resize(240, 16);
    const int width = QFontMetrics(label.font()).horizontalAdvance(QStringLiteral("General"));
    EXPECT_EQ(label.MeasuredTextWidth(), width);
    const QRgb shadow = ToQColor(CMenuLook::Instance().GetColors().buttonShadow).rgb();
    QImage image = label.grab().toImage();
    EXPECT_EQ(image.pixel(width + 7, 9), shadow);
    EXPECT_NE(image.pixel(width + 6, 9), shadow);

    label.setText(QStringLiteral("Reminders and sounds"));
    const int longer = label.MeasuredTextWidth();
    ASSERT_GT(longer, width + 10);
    image = label.grab().toImage();
    EXPECT_NE(image.pixel(width + 7, 9), shadow); // the text is there now
    EXPECT_EQ(image.pixel(longer + 7, 9), shadow);
}

TEST(LinkOpener, OnlyWebAndMailAddressesOpen)
{
    QList<QUrl> opened;
    CLinkOpener::SetHandler([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    const struct
    {
        const char *url;
        bool open;
    } cases[] = {
        {"https://example.org/help", true},
        {"http://example.org", true},
        {"mailto:someone@example.org", true},
        {"HTTP://EXAMPLE.ORG", true},
        {"file:///bin/sh", false},
        {"javascript:alert(1)", false},
        {"ftp://example.org", false},
        {"http://", false},
        {"mailto:", false},
        {"", false},
    };
    for (const auto &c : cases) {
        const QUrl url(QString::fromUtf8(c.url));
        EXPECT_EQ(CLinkOpener::IsOpenable(url), c.open) << c.url;
        EXPECT_EQ(CLinkOpener::Open(url), c.open) << c.url;
    }
    EXPECT_EQ(opened.size(), 4);
    CLinkOpener::SetHandler({});
}

TEST(TransparentStatic, ClickReportsAndOpensItsLink)
{
    QList<QUrl> opened;
    CLinkOpener::SetHandler([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    TransparentStatic link(QStringLiteral("Help"));
    link.resize(60, 18);
    int clicks = 0;
    QObject::connect(&link, &TransparentStatic::clicked, [&clicks] { ++clicks; });
    Click(&link, QPoint(10, 9));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(opened.isEmpty());

    link.SetUrl(QUrl(QStringLiteral("https://example.org/help")));
    Click(&link, QPoint(10, 9));
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(opened.size(), 1);

    // Pressed on it but released elsewhere is no click.
    Press(&link, QPoint(10, 9));
    Release(&link, QPoint(100, 9));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    CLinkOpener::SetHandler({});
}

TEST(TransparentStatic, BarBackgroundContinuesBehindTheLink)
{
    // A bar (two levels up) with a link placed 40 pixels in: the link's background is the bar
    // brush shifted by that distance.
    QWidget frame;
    frame.resize(200, 20);
    QWidget bar(&frame);
    bar.setGeometry(10, 0, 190, 20);
    TransparentStatic link(QStringLiteral("Help"), &bar);
    link.setGeometry(30, 0, 60, 20);
    EXPECT_EQ(link.BrushOffset(), 40);
    const QImage image = link.grab().toImage();
    EXPECT_GT(rendergallery::CountNear(image, qRgb(0, 0, 255), 60), 5); // blue text
}

TEST(LabelStatics, Render)
{
    CLabelStatic general(QStringLiteral("&General")), reminders(QStringLiteral("Reminders and sounds")),
        disabled(QStringLiteral("Disabled heading"));
    for (CLabelStatic *l : {&general, &reminders, &disabled})
        l->resize(220, 18);
    disabled.setEnabled(false);
    QWidget frame;
    frame.resize(200, 22);
    QWidget bar(&frame);
    bar.setGeometry(0, 0, 200, 22);
    TransparentStatic link(QStringLiteral("Open the help"), &bar);
    link.setGeometry(60, 2, 100, 18);
    EXPECT_TRUE(rendergallery::Save(rendergallery::Strip({&general, &reminders, &disabled, &frame}),
                                    "label_statics"));
}
