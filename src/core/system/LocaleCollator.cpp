// One collator for the current locale, made on first use and remade on a locale change.
#include "core/system/LocaleCollator.h"

#include <QCollator>
#include <QLocale>
#include <memory>

namespace {
std::unique_ptr<QCollator> &Instance()
{
    static std::unique_ptr<QCollator> collator;
    return collator;
}
} // namespace

const QCollator &LocaleCollator()
{
    auto &c = Instance();
    if (!c) {
        c = std::make_unique<QCollator>(QLocale());
        c->setCaseSensitivity(Qt::CaseSensitive);
    }
    return *c;
}

void ResetLocaleCollator()
{
    Instance().reset();
}

int LocaleCompare(const QString &a, const QString &b)
{
    return LocaleCollator().compare(a, b);
}
