// The one collator that sorted name lists use: the current locale's order, case-sensitive.
#pragma once

class QCollator;
class QString;

const QCollator &LocaleCollator();
// Rebuilds the collator from the current default locale (after a locale change).
void ResetLocaleCollator();
// <0, 0, >0 as `a` sorts before, with or after `b` in the current locale.
int LocaleCompare(const QString &a, const QString &b);
