// The program-wide right-to-left reading switch for dialogs and texts.
#pragma once

class QLocale;

// Settles the switch at start-up: "Common"/"RTL" when stored (on for 1), otherwise on only
// for a Hebrew user locale.
void SettleReadingOrder(const QLocale &userLocale);
void SettleReadingOrder();
bool IsRightToLeftReading();
