// The options tree: image-index state, clicks and the space bar, radio groups and data exchange.
#include "toolkit/controls/TreeOptionsCtrl.h"

#include "ControlInput.h"
#include "RenderGallery.h"

#include <gtest/gtest.h>

using namespace controlinput;

namespace {
struct TreeFixture
{
    CTreeOptionsCtrl tree;
    QTreeWidgetItem *group = nullptr;
    QTreeWidgetItem *sound = nullptr;   // enabled check box, checked
    QTreeWidgetItem *topmost = nullptr; // enabled check box, unchecked
    QTreeWidgetItem *locked = nullptr;  // disabled check box, checked
    QTreeWidgetItem *radios = nullptr;
    QTreeWidgetItem *first = nullptr;    // radio, selected
    QTreeWidgetItem *second = nullptr;   // radio
    QTreeWidgetItem *disabled = nullptr; // radio, disabled
    QTreeWidgetItem *mixedIn = nullptr;  // a check box among the radios
    std::vector<QTreeWidgetItem *> toggled;

    TreeFixture()
    {
        tree.resize(260, 220);
        group = tree.InsertGroup(QStringLiteral("Reminders"), 9, nullptr);
        sound = tree.InsertCheckBox(QStringLiteral("Play a sound"), group, true);
        topmost = tree.InsertCheckBox(QStringLiteral("Keep on top"), group, false);
        locked = tree.InsertCheckBox(QStringLiteral("Locked option"), group, true);
        tree.EnableCheckBox(locked, false);
        radios = tree.InsertGroup(QStringLiteral("Start-up view"), 11, nullptr);
        first = tree.InsertGroup(QStringLiteral("Day"), CTreeOptionsCtrl::kRadioOn, radios);
        second = tree.InsertGroup(QStringLiteral("Week"), CTreeOptionsCtrl::kRadioOff, radios);
        disabled = tree.InsertGroup(QStringLiteral("Year"), CTreeOptionsCtrl::kRadioOffDisabled, radios);
        mixedIn = tree.InsertCheckBox(QStringLiteral("Remember the last"), radios, true);
        tree.expandAll();
        QObject::connect(&tree, &CTreeOptionsCtrl::optionToggled,
                         [this](QTreeWidgetItem *item) { toggled.push_back(item); });
    }
    QPoint Label(QTreeWidgetItem *item) const { return tree.visualItemRect(item).center(); }
};
} // namespace

TEST(TreeOptionsCtrl, ImageClassification)
{
    const struct
    {
        int image;
        bool check, radio, enabledCheck, enabledRadio, selectedRadio;
    } cases[] = {
        {0, true, false, true, false, false},   {1, true, false, true, false, false},
        {2, false, true, false, true, true},    {3, false, true, false, true, false},
        {4, true, false, false, false, false},  {5, true, false, false, false, false},
        {6, false, true, false, false, true},   {7, false, true, false, false, false},
        {8, false, false, false, false, false}, {-1, false, false, false, false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CTreeOptionsCtrl::IsCheckImage(c.image), c.check) << c.image;
        EXPECT_EQ(CTreeOptionsCtrl::IsRadioImage(c.image), c.radio) << c.image;
        EXPECT_EQ(CTreeOptionsCtrl::IsEnabledCheckImage(c.image), c.enabledCheck) << c.image;
        EXPECT_EQ(CTreeOptionsCtrl::IsEnabledRadioImage(c.image), c.enabledRadio) << c.image;
        EXPECT_EQ(CTreeOptionsCtrl::IsSelectedRadioImage(c.image), c.selectedRadio) << c.image;
    }
}

TEST(TreeOptionsCtrl, ClicksToggleEnabledChecksOnly)
{
    TreeFixture f;
    Click(f.tree.viewport(), f.Label(f.topmost));
    EXPECT_TRUE(f.tree.GetCheck(f.topmost));
    ASSERT_EQ(f.toggled.size(), 1u);
    EXPECT_EQ(f.toggled.at(0), f.topmost);

    // A double click toggles once and does not fold the group.
    DoubleClick(f.tree.viewport(), f.Label(f.sound));
    EXPECT_FALSE(f.tree.GetCheck(f.sound));
    EXPECT_EQ(f.toggled.size(), 2u);
    DoubleClick(f.tree.viewport(), f.Label(f.group));
    EXPECT_TRUE(f.group->isExpanded());

    // Disabled: nothing changes, nothing is reported.
    Click(f.tree.viewport(), f.Label(f.locked));
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.locked), CTreeOptionsCtrl::kCheckOnDisabled);
    EXPECT_EQ(f.toggled.size(), 2u);

    // The space bar acts on the caret item.
    f.tree.setCurrentItem(f.sound);
    Key(&f.tree, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(f.tree.GetCheck(f.sound));
    EXPECT_EQ(f.toggled.size(), 3u);
}

TEST(TreeOptionsCtrl, RadioButtons)
{
    TreeFixture f;
    Click(f.tree.viewport(), f.Label(f.first)); // already selected: nothing
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.first), CTreeOptionsCtrl::kRadioOn);

    Click(f.tree.viewport(), f.Label(f.second));
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.second), CTreeOptionsCtrl::kRadioOn);
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.first), CTreeOptionsCtrl::kRadioOff);
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.disabled), CTreeOptionsCtrl::kRadioOffDisabled);
    // A check box among the radio buttons keeps its state.
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.mixedIn), CTreeOptionsCtrl::kCheckOn);
    EXPECT_TRUE(f.toggled.empty()); // radio choices are not toggles

    Click(f.tree.viewport(), f.Label(f.disabled));
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.disabled), CTreeOptionsCtrl::kRadioOffDisabled);
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.second), CTreeOptionsCtrl::kRadioOn);
}

TEST(TreeOptionsCtrl, EnablingKeepsTheStateAndDataExchangeReadsIt)
{
    TreeFixture f;
    int value = -1;
    DDX_TreeOptionsCheck(true, f.tree, f.locked, value);
    EXPECT_EQ(value, 1); // checked though disabled
    f.tree.EnableCheckBox(f.locked, true);
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.locked), CTreeOptionsCtrl::kCheckOn);
    f.tree.EnableCheckBox(f.topmost, false);
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.topmost), CTreeOptionsCtrl::kCheckOffDisabled);

    value = 1;
    DDX_TreeOptionsCheck(false, f.tree, f.topmost, value);
    EXPECT_EQ(CTreeOptionsCtrl::GetImage(f.topmost), CTreeOptionsCtrl::kCheckOn);
    value = 0;
    DDX_TreeOptionsCheck(false, f.tree, f.topmost, value);
    EXPECT_FALSE(f.tree.GetCheck(f.topmost));
}

TEST(TreeOptionsCtrl, Render)
{
    TreeFixture f;
    f.tree.setCurrentItem(f.topmost);
    EXPECT_TRUE(rendergallery::Save(rendergallery::Strip({&f.tree}), "tree_options"));
}
