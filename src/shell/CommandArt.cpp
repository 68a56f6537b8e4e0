// Drawing the command images.
#include "shell/CommandArt.h"

#include "shell/ShellCommands.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>

namespace {

const QColor kInk(0x2f, 0x4a, 0x7a);
const QColor kHeader(0x2f, 0x5d, 0x9e);
const QColor kAccent(0xe0, 0x7a, 0x1f);
const QColor kGreen(0x3c, 0x9a, 0x4f);
const QColor kRed(0xc8, 0x3c, 0x32);
const QColor kPaper(0xfd, 0xfd, 0xfb);
const QColor kShade(0xd6, 0xe4, 0xf5);

// Every drawing works in a 16 x 16 space; the painter is scaled to the cell.
using Drawing = std::function<void(QPainter &)>;

// A calendar page with a blue header; the grid inside is the caller's.
void Page(QPainter &p, double top = 2.5)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(1.5, top, 13, 15.5 - top - 1), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kHeader);
    p.drawRoundedRect(QRectF(1.5, top, 13, 3), 1.2, 1.2);
    p.drawRect(QRectF(1.5, top + 1.5, 13, 1.5));
}

// Columns of a day grid under the header: `count` columns from x 2.5 to 13.5.
void Columns(QPainter &p, int count, const QColor &fill = kShade)
{
    const double width = 11.0 / count;
    for (int i = 0; i < count; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRect(QRectF(2.5 + i * width + 0.4, 7, width - 0.8, 6.5));
    }
}

void Grid(QPainter &p, int columns, int rows)
{
    const double width = 11.0 / columns, height = 7.0 / rows;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            p.setBrush((r + c) % 5 == 3 ? kAccent : kShade);
            p.drawRect(QRectF(2.5 + c * width + 0.3, 6.7 + r * height + 0.3, width - 0.6, height - 0.6));
        }
}

void Plus(QPainter &p, double x, double y)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(x, y), 3.6, 3.6);
    p.setPen(QPen(Qt::white, 1.4));
    p.drawLine(QPointF(x - 2, y), QPointF(x + 2, y));
    p.drawLine(QPointF(x, y - 2), QPointF(x, y + 2));
}

void Check(QPainter &p, const QRectF &box, const QColor &colour)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(box);
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({box.topLeft() + QPointF(1, box.height() * 0.5),
                              box.topLeft() + QPointF(box.width() * 0.42, box.height() - 1),
                              box.topRight() + QPointF(0.5, -0.5)}));
}

void Magnifier(QPainter &p, double x, double y, double r)
{
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(QColor(0xe4, 0xf0, 0xfc));
    p.drawEllipse(QPointF(x, y), r, r);
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x + r * 0.75, y + r * 0.75), QPointF(x + r * 1.9, y + r * 1.9));
}

void Speaker(QPainter &p, bool on)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(5, 6), QPointF(9, 2.5), QPointF(9, 13.5), QPointF(5, 10),
                             QPointF(2, 10)}));
    if (on) {
        p.setPen(QPen(kGreen, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7.5, 5, 5, 6), -60 * 16, 120 * 16);
        p.drawArc(QRectF(7, 3, 8, 10), -60 * 16, 120 * 16);
    } else {
        p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10.5, 5.5), QPointF(14.5, 10.5));
        p.drawLine(QPointF(14.5, 5.5), QPointF(10.5, 10.5));
    }
}

const std::map<int, Drawing> &Drawings()
{
    static const std::map<int, Drawing> drawings = {
        {ShellCmd::FileNew,
         [](QPainter &p) {
             QPainterPath sheet;
             sheet.moveTo(3.5, 1.5);
             sheet.lineTo(9.5, 1.5);
             sheet.lineTo(12.5, 4.5);
             sheet.lineTo(12.5, 14.5);
             sheet.lineTo(3.5, 14.5);
             sheet.closeSubpath();
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawPath(sheet);
             p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
             p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
             Plus(p, 11.5, 11.5);
         }},
        {ShellCmd::FileOpen,
         [](QPainter &p) {
             p.setPen(QPen(QColor(0x9a, 0x6b, 0x12), 1));
             p.setBrush(QColor(0xf3, 0xc4, 0x5a));
             p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5),
                                      QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
             p.setBrush(QColor(0xfb, 0xdc, 0x8a));
             p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
         }},
        {ShellCmd::Print,
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.setBrush(QColor(0x8c, 0x9a, 0xae));
             p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
             p.setBrush(kPaper);
             p.drawRect(QRectF(4.5, 10.5, 7, 4));
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawEllipse(QPointF(12.3, 8.6), 0.9, 0.9);
         }},
        {ShellCmd::PrintPreview,
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 1.5, 9, 12));
             p.setPen(QPen(kShade.darker(130), 1));
             for (double y : {4.5, 6.5, 8.5})
                 p.drawLine(QPointF(4.5, y), QPointF(9.5, y));
             Magnifier(p, 9.5, 9.5, 2.6);
         }},
        {ShellCmd::NewEventDefault,
         [](QPainter &p) {
             Page(p);
             Grid(p, 3, 2);
             Plus(p, 11.8, 11.8);
         }},
        {ShellCmd::NewTask,
         [](QPainter &p) {
             Check(p, QRectF(2.5, 2.5, 9, 9), kGreen);
             Plus(p, 11.8, 11.8);
         }},
        {ShellCmd::ViewDay,
         [](QPainter &p) {
             Page(p);
             p.setPen(QPen(kShade.darker(120), 1));
             for (double y : {8.5, 10.5, 12.5})
                 p.drawLine(QPointF(3, y), QPointF(13, y));
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawRect(QRectF(5, 8, 7, 3));
         }},
        {ShellCmd::ViewMultiDay, [](QPainter &p) { Page(p), Columns(p, 3); }},
        {ShellCmd::ViewWorkWeek, [](QPainter &p) { Page(p), Columns(p, 5); }},
        {ShellCmd::ViewWeek,
         [](QPainter &p) {
             Page(p);
             p.setPen(Qt::NoPen);
             for (int r = 0; r < 3; ++r)
                 for (int c = 0; c < 2; ++c) {
                     p.setBrush(r == 1 && c == 0 ? kAccent : kShade);
                     p.drawRect(QRectF(3 + c * 5.3, 7 + r * 2.3, 4.7, 1.8));
                 }
         }},
        {ShellCmd::ViewMonth, [](QPainter &p) { Page(p), Grid(p, 5, 4); }},
        {ShellCmd::ViewYear,
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             for (int r = 0; r < 3; ++r)
                 for (int c = 0; c < 3; ++c) {
                     p.setBrush(kHeader);
                     p.drawRect(QRectF(1.5 + c * 4.5, 1.5 + r * 4.5, 4, 1.4));
                     p.setBrush(r == 1 && c == 2 ? kAccent : kShade);
                     p.drawRect(QRectF(1.5 + c * 4.5, 2.9 + r * 4.5, 4, 2.4));
                 }
         }},
        {ShellCmd::ViewEventList,
         [](QPainter &p) {
             for (int r = 0; r < 4; ++r) {
                 p.setPen(Qt::NoPen);
                 p.setBrush(r == 1 ? kAccent : kHeader);
                 p.drawRect(QRectF(1.5, 2 + r * 3.3, 2.6, 2.4));
                 p.setBrush(kShade.darker(115));
                 p.drawRect(QRectF(5.5, 2.6 + r * 3.3, 9, 1.4));
             }
         }},
        {ShellCmd::ViewTasks,
         [](QPainter &p) {
             Check(p, QRectF(1.5, 1.5, 5, 5), kGreen);
             Check(p, QRectF(1.5, 9.5, 5, 5), kGreen);
             p.setPen(Qt::NoPen);
             p.setBrush(kShade.darker(115));
             p.drawRect(QRectF(8, 3.3, 6.5, 1.5));
             p.drawRect(QRectF(8, 11.3, 6.5, 1.5));
         }},
        {ShellCmd::Find, [](QPainter &p) { Magnifier(p, 6.5, 6.5, 4.2); }},
        {ShellCmd::GoToToday,
         [](QPainter &p) {
             Page(p);
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawEllipse(QPointF(8, 10.3), 2.6, 2.6);
         }},
        {ShellCmd::GoToDate,
         [](QPainter &p) {
             Page(p);
             p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawLine(QPointF(4.5, 10.3), QPointF(11, 10.3));
             p.drawPolyline(QPolygonF({QPointF(8.5, 8), QPointF(11, 10.3), QPointF(8.5, 12.6)}));
         }},
        {ShellCmd::Previous,
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             p.drawPolygon(QPolygonF({QPointF(11, 3), QPointF(4, 8), QPointF(11, 13)}));
         }},
        {ShellCmd::Next,
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             p.drawPolygon(QPolygonF({QPointF(5, 3), QPointF(12, 8), QPointF(5, 13)}));
         }},
        {ShellCmd::DefineFilters,
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kShade);
             p.drawPolygon(QPolygonF({QPointF(1.5, 2.5), QPointF(14.5, 2.5), QPointF(9.5, 8.5), QPointF(9.5, 13.5),
                                      QPointF(6.5, 12), QPointF(6.5, 8.5)}));
         }},
        {ShellCmd::SoundEnable, [](QPainter &p) { Speaker(p, true); }},
        {ShellCmd::SoundDisable, [](QPainter &p) { Speaker(p, false); }},
        {ShellCmd::Options,
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             for (int i = 0; i < 8; ++i) {
                 p.save();
                 p.translate(8, 8);
                 p.rotate(i * 45);
                 p.drawRect(QRectF(-1.3, -7, 2.6, 3));
                 p.restore();
             }
             p.drawEllipse(QPointF(8, 8), 5, 5);
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(8, 8), 2, 2);
         }},
        {ShellCmd::FullScreen,
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kShade);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             p.setPen(QPen(kHeader, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({QPointF(4, 7), QPointF(4, 5), QPointF(6, 5)}));
             p.drawPolyline(QPolygonF({QPointF(12, 9), QPointF(12, 11), QPointF(10, 11)}));
         }},
        {ShellCmd::About,
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kHeader);
             p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(8, 4.8), 1.1, 1.1);
             p.drawRoundedRect(QRectF(7, 6.8, 2, 5.6), 0.6, 0.6);
         }},
        {ShellCmd::HelpTopics,
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 1.5, 11, 13));
             p.setPen(Qt::NoPen);
             p.setBrush(kHeader);
             p.drawRect(QRectF(2.5, 1.5, 2.5, 13));
             QFont f;
             f.setPixelSize(9);
             f.setBold(true);
             p.setFont(f);
             p.setPen(kAccent);
             p.drawText(QRectF(5, 2, 8.5, 12), Qt::AlignCenter, QStringLiteral("?"));
         }},
    };
    return drawings;
}

} // namespace

QList<int> CommandArtCommands()
{
    QList<int> commands;
    for (const auto &[id, drawing] : Drawings())
        commands.append(id);
    return commands;
}

QImage DrawCommandStrip(const QList<int> &commands, int size)
{
    QImage strip(size * int(std::max<qsizetype>(commands.size(), 1)), size, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const auto it = Drawings().find(commands[i]);
        if (it == Drawings().end())
            continue;
        p.save();
        p.translate(double(i * size), 0);
        p.scale(size / 16.0, size / 16.0);
        it->second(p);
        p.restore();
    }
    p.end();
    return strip.convertToFormat(QImage::Format_ARGB32);
}
