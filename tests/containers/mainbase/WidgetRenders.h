// Writes offscreen renders of the windows and dialogs of the containers library to
// renders/<name>.png beside the test program (build-tests/tests/renders/), for a person to look at.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

inline QImage RenderWidget(QWidget &widget, const char *name)
{
    widget.show();
    widget.activateWindow();
    QCoreApplication::processEvents();
    const QImage image = widget.grab().toImage();
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    image.save(dir.filePath(QStringLiteral("renders/%1.png").arg(QString::fromLatin1(name))));
    return image;
}
