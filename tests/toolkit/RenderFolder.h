// Where the toolkit tests write their renders for a person to look at: the gallery folder the view
// tests write to, beside the test programs.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QString>

inline QString RenderPath(const QString &name)
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(folder);
    return QDir(folder).filePath(name + QStringLiteral(".png"));
}

inline bool SaveRender(const QImage &image, const QString &name)
{
    return image.save(RenderPath(name));
}
