// CCategoriesPicker: the Categories dialog without its window. Rows are the master list's names
// and, marked " ( local )", the item's names the list lacks; the item's names are ticked; OK
// joins the ticked names and refuses a text of 512 characters or more.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct CategoryRow
{
    QString name;
    bool fromList = true; // false: a name only the item has
    bool checked = false;
};

class CCategoriesPicker
{
  public:
    static constexpr int kMaxText = 511;

    CCategoriesPicker(const QStringList &masterNames, const QString &categoriesText);

    const std::vector<CategoryRow> &GetRows() const { return m_rows; }
    // The text a row shows: a local name with the suffix.
    QString GetRowText(int row) const;
    void SetChecked(int row, bool on);
    void Toggle(int row);

    // The ticked names in row order, joined by ", ".
    QString Collect() const;
    // OK: false (the message shown) when the text would reach 512 characters; else the text.
    bool Accept(QString &result) const;
    // After the master list changed: the rows filled again, the ticks kept through the text.
    void Refill(const QStringList &masterNames);

  private:
    void Fill(const QStringList &masterNames, const QString &text);
    std::vector<CategoryRow> m_rows;
};
