// Shared set-up of the toolkit's widget tests: the program's look as the application style, a
// few drawn command images, and PNG renders written to renders/ beside the test program.
#pragma once

#include "toolkit/menus/MenuLookStyle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

// Makes the program's look the application style (once per test program).
inline void UseMenuLookStyle()
{
    if (!qobject_cast<CMenuLookStyle *>(QApplication::style()))
        QApplication::setStyle(new CMenuLookStyle);
}

// A 16 x 16 command image: a coloured square with a letter, enough to tell images apart.
inline QPixmap MakeCommandImage(const QColor &colour, QChar letter)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(colour.darker(160));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(letter));
    return pixmap;
}

// Writes an image as renders/<name>.png beside the test program.
inline void SaveRender(const QImage &image, const char *name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    image.save(dir.filePath(QStringLiteral("renders/%1.png").arg(QString::fromLatin1(name))));
}
