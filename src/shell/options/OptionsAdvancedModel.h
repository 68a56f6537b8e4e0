// COptionsAdvancedModel: the Advanced page without its window: fourteen switches of "Common" in
// five groups, read from the live settings, written back and made live at once.
#pragma once

#include <QString>
#include <array>

struct AppSettings;

class COptionsAdvancedModel
{
  public:
    static constexpr int kCount = 14;

    struct Group
    {
        const char *text;
        int image; // in the tree's image list
        int first; // the first switch of the group
        int count;
    };
    struct Switch
    {
        const char *text;
        const char *valueName; // in "Common"
        int defaultValue;
        bool inverted;          // checked when the value is 0
        int AppSettings::*live; // null: read from the settings file
    };

    static const std::array<Group, 5> &Groups();
    static const std::array<Switch, kCount> &Switches();
    // The switch of the secondary-monitor item.
    static constexpr int kSecondaryMonitor = 8;

    // "KRS" from the settings file with its default 1, the others from the live settings.
    void Load(const AppSettings &live);
    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked);
    int GetValue(int index) const { return m_values[std::size_t(index)]; }

    // Writes the fourteen values to "Common" and sets the live ones.
    void Apply(AppSettings &live) const;

  private:
    std::array<int, kCount> m_values{};
};
