// The Options dialog offscreen on a temporary data file and settings: its renders, the work
// week reaching the views, the item types reaching the file and the views, a hot key change,
// the Advanced tree, and a refused item-type store.
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/dates/WeekRules.h"
#include "core/document/CalendarDocument.h"
#include "core/storage/FixedObjectStore.h"
#include "core/system/AppSettings.h"
#include "core/system/Profile.h"
#include "shell/FirstRunDefaults.h"
#include "shell/HotKeySet.h"
#include "shell/PropertySheetBase.h"
#include "shell/options/HotKeyCodec.h"
#include "shell/options/HotKeyEdit.h"
#include "shell/options/ItemTypeBlobs.h"
#include "shell/options/OptionsAdvancedPage.h"
#include "shell/options/OptionsColorsPage.h"
#include "shell/options/OptionsDlg.h"
#include "shell/options/OptionsGeneralPage.h"
#include "shell/options/OptionsItemTypesPage.h"
#include "shell/options/OptionsOtherPage.h"
#include "shell/options/OptionsTarget.h"
#include "shell/options/SheetHostDlg.h"
#include "toolkit/controls/ColorButton.h"
#include "toolkit/controls/TimeComboBox.h"
#include "toolkit/controls/TreeOptionsCtrl.h"
#include "views/drawing/ItemTypeArtResources.h"
#include "views/month/MonthGridModel.h"
#include "views/year/YearGridModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The main window's side: counts the calls and, like the views' own refresh, rebuilds a month
// grid showing work days only and a year grid from the live week rules.
class RecordingTarget : public IOptionsTarget
{
  public:
    bool HasWindow() const override { return true; }
    void RefreshPaneColors() override { ++paneColors; }
    void LayOutPanes() override { ++layOuts; }
    void RebuildToolBar() override { ++toolBars; }
    void RefreshViews() override
    {
        ++refreshes;
        month.SetVisibleWeekdays(true, false);
        year.Fill(CDateTime(2027, 1, 15), GetFirstDayOfWeek(), GetWeekOfYearRule(), CDateTime(2027, 1, 15));
    }

    int paneColors = 0, layOuts = 0, toolBars = 0, refreshes = 0;
    CMonthGridModel month;
    CYearGridModel year;
};

class Grabber : public IHotKeyGrabber
{
  public:
    QStringList log;
    bool IsAvailable() const override { return true; }
    bool Grab(int id, const HotKeyCombo &c) override
    {
        log << QStringLiteral("grab %1 %2").arg(id).arg(c.keyCode);
        return true;
    }
    void Release(int id, const HotKeyCombo &c) override
    {
        log << QStringLiteral("release %1 %2").arg(id).arg(c.keyCode);
    }
};

class RefusingStore : public IFixedObjectStore
{
  public:
    explicit RefusingStore(IFixedObjectStore &file) : m_file(file) {}
    HRESULT ReadFixedObject(int id, QByteArray &data) override { return m_file.ReadFixedObject(id, data); }
    HRESULT WriteFixedObject(int, const QByteArray &) override { return 0x80070070; }
    std::uint32_t GetFormatVersion() const override { return m_file.GetFormatVersion(); }

  private:
    IFixedObjectStore &m_file;
};

// Types into a time field as a person does, so that the field knows its text was edited.
void TypeTime(CTimeComboBox *field, const QString &text)
{
    field->lineEdit()->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field->lineEdit(), &press);
    }
}

QString RenderPath(const QString &name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    return dir.filePath(QStringLiteral("renders/%1.png").arg(name));
}

class OptionsDlgTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        CFirstRunDefaults::SetAutostartFolder(m_profile.Folder() + QStringLiteral("/autostart"));
        RegisterItemTypeArt(); // the predefined types' icons
        const QString path = m_dir.filePath("calendar.qv0");
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(path, "Personal Calendar", ""), S_OK);
        ASSERT_EQ(m_doc.OpenCalendarFile(path, "", nullptr, false), S_OK);
        CItemFilter filter;
        filter.SetName("Family");
        filter.SetItemTypeNames({"Birthday", "Anniversary"});
        ASSERT_TRUE(m_doc.GetItemTypes().AddFilter(filter));
        ASSERT_EQ(m_doc.SaveItemTypes(), S_OK);
        m_live.workDays = 0x3E;
        m_live.firstDayOfWeek = 0;
        m_live.weekOfYearRule = 0;
        ApplyCalendarRules(m_live);
        m_target = std::make_shared<RecordingTarget>();
        m_messages.answer = MessageResult::Yes;
    }
    void TearDown() override
    {
        m_doc.CloseCalendarFile();
        CFirstRunDefaults::SetAutostartFolder(QString());
        ApplyCalendarRules(ProgramSettings());
    }
    OptionsEnvironment Environment()
    {
        OptionsEnvironment env;
        env.document = &m_doc;
        env.live = &m_live;
        env.hotKeys = &m_hotKeys;
        env.target = m_target;
        env.programPath = QCoreApplication::applicationFilePath();
        env.livePaneBackground = 0xF0E8E0;
        env.livePaneText = 0x202020;
        env.editItemType = [this](QWidget *, ItemTypeEditRequest &request, const ItemTypeArray &) {
            ++m_editorRuns;
            return m_editorScript ? m_editorScript(request) : false;
        };
        env.editLocations = [this](QWidget *) { ++m_locationRuns; };
        return env;
    }
    QByteArray FileBlob() { return StoredItemTypesBlob(m_doc); }
    QByteArray ListBlob() { return ItemTypesBlob(m_doc.GetItemTypes()); }

    TempProfile m_profile;
    FakeMessagePort m_messages;
    QTemporaryDir m_dir;
    CCalendarDocument m_doc;
    AppSettings m_live;
    Grabber m_grabber;
    CHotKeySet m_hotKeys{m_grabber};
    std::shared_ptr<RecordingTarget> m_target;
    int m_editorRuns = 0;
    int m_locationRuns = 0;
    std::function<bool(ItemTypeEditRequest &)> m_editorScript;
};

TEST_F(OptionsDlgTest, RendersEveryPage)
{
    COptionsDlg dialog(Environment());
    dialog.show();
    const char *names[] = {"options-general", "options-itemtypes", "options-appearance", "options-other",
                           "options-advanced"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(dialog.Sheet()->SetActivePage(i));
        QCoreApplication::processEvents();
        const QImage image = dialog.grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(RenderPath(QString::fromLatin1(names[i]))));
    }
    // Everything fits: the buttons stand under the sheet, inside the dialog.
    EXPECT_LE(dialog.OkButton()->geometry().right(), dialog.width());
    EXPECT_GE(dialog.OkButton()->geometry().top(), dialog.Sheet()->geometry().bottom());
    EXPECT_LE(dialog.OkButton()->geometry().bottom(), dialog.height());
}

TEST_F(OptionsDlgTest, ButtonRowStandsRightToLeftUnderTheSheet)
{
    const auto row =
        CSheetHostDlg::LayOutButtons(QRect(0, 0, 400, 300), {QSize(80, 24), QSize(80, 24), QSize(90, 24)});
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0], QRect(314, 300, 80, 24)); // right edge 6 inside the sheet's
    EXPECT_EQ(row[1], QRect(224, 300, 80, 24)); // 10 further left
    EXPECT_EQ(row[2], QRect(124, 300, 90, 24));
    EXPECT_EQ(CSheetHostDlg::ClientSizeFor(QRect(0, 0, 400, 300), 24), QSize(400, 300 + 24 + 8));
}

TEST_F(OptionsDlgTest, WorkWeekAndFirstDayRedrawTheViewsWithNewColumnsAndWeekNumbers)
{
    m_target->RefreshViews();
    EXPECT_EQ(m_target->month.GetColumns(), 5);
    EXPECT_EQ(m_target->year.GetPanel(0).leadingBlanks, 4); // 1 Jan 2027 is a Friday
    EXPECT_EQ(m_target->year.GetPanel(0).weekNumbers[0], 1);
    m_target->refreshes = 0;

    COptionsDlg dialog(Environment());
    dialog.show();
    COptionsGeneralPage &page = *dialog.GeneralPage();
    page.FirstDayCombo()->setCurrentIndex(6); // Sunday
    for (int box = 0; box < 7; ++box)
        page.DayBoxes()[std::size_t(box)]->setChecked(box < 4); // Sunday to Wednesday
    EXPECT_EQ(page.DayBoxes()[0]->text(), QLocale().dayName(7, QLocale::ShortFormat));
    page.WeekRuleCombo()->setCurrentIndex(2); // first full week
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 1);

    EXPECT_EQ(m_target->refreshes, 1);
    EXPECT_GE(m_target->layOuts, 1);
    EXPECT_EQ(m_target->month.GetColumns(), 4);
    EXPECT_EQ(m_target->year.GetPanel(0).leadingBlanks, 5);
    EXPECT_EQ(m_target->year.GetPanel(0).weekNumbers[0], 52); // 27 Dec 2026 to 2 Jan 2027
    EXPECT_EQ(m_target->year.GetPanel(0).weekNumbers[1], 1);
    EXPECT_EQ(GetProfileInt("Common", "WD", 0), 0x0F);
    EXPECT_EQ(GetProfileInt("Common", "FDOW", 0), 6);
    EXPECT_EQ(GetProfileInt("Common", "FWOY", 0), 2);
}

TEST_F(OptionsDlgTest, AnEndBeforeTheStartKeepsTheDialogOpen)
{
    COptionsDlg dialog(Environment());
    dialog.show();
    COptionsGeneralPage &page = *dialog.GeneralPage();
    TypeTime(page.StartTime(), "9:00");
    TypeTime(page.EndTime(), "8:59");
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_messages.LastText(), "The end time you entered occurs before the start time.");
    EXPECT_FALSE(m_profile.Profile().HasValue("Common", "WTE"));
    TypeTime(page.EndTime(), "9:00");
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 1);
    EXPECT_EQ(GetProfileInt("Common", "WTE", 0), 9 << 16);
}

TEST_F(OptionsDlgTest, ATimeThatDoesNotReadIsRefused)
{
    COptionsDlg dialog(Environment());
    dialog.show();
    TypeTime(dialog.GeneralPage()->StartTime(), "half past");
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_EQ(m_messages.LastText(), "Please specify a valid time.");
}

TEST_F(OptionsDlgTest, AHotKeyChangeReleasesTheOldKey)
{
    const std::uint16_t ctrlAltT = CHotKeyCodec::kControl | CHotKeyCodec::kAlt | 'T';
    ASSERT_TRUE(m_hotKeys.ChangeHotKey(HotKeyId::NewEvent, ctrlAltT));
    m_grabber.log.clear();
    COptionsDlg dialog(Environment());
    dialog.show();
    CHotKeyEdit *field = dialog.GeneralPage()->HotKeyEdits()[1];
    EXPECT_EQ(field->text(), "Ctrl+Alt+T");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, "e"); // no modifier: Ctrl+Alt added
    QApplication::sendEvent(field, &press);
    EXPECT_EQ(field->text(), "Ctrl+Alt+E");
    dialog.accept();
    EXPECT_EQ(m_grabber.log, QStringList({"release 127 84", "grab 127 69"}));
    EXPECT_EQ(GetProfileInt("Common", "HKNE", 0), CHotKeyCodec::kControl | CHotKeyCodec::kAlt | 'E');
}

TEST_F(OptionsDlgTest, ItemTypesCreatedEditedDeletedAndRestoredReachTheFileAndTheViews)
{
    COptionsDlg dialog(Environment());
    dialog.show();
    ASSERT_TRUE(dialog.Sheet()->SetActivePage(1));
    COptionsItemTypesPage &page = *dialog.ItemTypesPage();
    ASSERT_EQ(page.List()->count(), 11);

    m_editorScript = [](ItemTypeEditRequest &request) {
        EXPECT_EQ(request.index, -1);
        EXPECT_EQ(request.largeIcon.size(), 32u * 32u);
        request.type.SetName("Yoga class");
        request.type.SetFlags(request.type.GetFlags() | CItemType::kFlagOwnColors);
        request.type.SetFillColor(0x80FF80);
        return true;
    };
    page.CreateButton()->click();
    ASSERT_EQ(page.List()->count(), 12);
    EXPECT_EQ(page.List()->currentItem()->text(), "Yoga class");

    m_editorScript = [](ItemTypeEditRequest &request) {
        EXPECT_EQ(request.type.GetName(), "Yoga class");
        request.type.SetName("Yoga");
        return true;
    };
    page.EditButton()->click();
    EXPECT_EQ(page.List()->currentItem()->text(), "Yoga");

    page.List()->setCurrentRow(page.Model().FindPosition("Birthday"));
    page.DeleteButton()->click();
    EXPECT_TRUE(m_messages.LastText().startsWith("Are you sure you want to delete the item type?"));
    page.List()->setCurrentRow(page.Model().FindPosition("Meeting"));
    page.DeleteButton()->click();
    m_messages.answer = MessageResult::Ok;
    page.RestoreButton()->click(); // brings both back
    m_messages.answer = MessageResult::Yes;
    page.List()->setCurrentRow(page.Model().FindPosition("Birthday"));
    page.DeleteButton()->click();
    ASSERT_EQ(page.List()->count(), 11);
    QCoreApplication::processEvents();
    page.grab().save(RenderPath("options-itemtypes-edited"));

    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 1);
    EXPECT_EQ(m_editorRuns, 2);
    EXPECT_EQ(FileBlob(), ListBlob());
    CItemTypeList &list = m_doc.GetItemTypes();
    EXPECT_GE(list.FindType("Yoga"), 0);
    EXPECT_GE(list.FindType("Meeting"), 0);
    EXPECT_EQ(list.FindType("Birthday"), -1);
    EXPECT_EQ(list.GetFilter(0)->GetItemTypeNames(), QStringList({"Anniversary"})); // gone from the filter
    EXPECT_EQ(m_target->refreshes, 1);
}

TEST_F(OptionsDlgTest, ARefusedItemTypeStoreKeepsTheDialogOpenAndTheFileAndListInAgreement)
{
    RefusingStore refusing(m_doc.GetDataFile());
    OptionsEnvironment env = Environment();
    env.itemTypeStore = &refusing;
    const QByteArray before = FileBlob();
    COptionsDlg dialog(std::move(env));
    dialog.show();
    COptionsItemTypesPage &page = *dialog.ItemTypesPage();
    page.List()->setCurrentRow(page.Model().FindPosition("Birthday"));
    page.OnDelete();
    dialog.GeneralPage()->FirstDayCombo()->setCurrentIndex(6);
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(m_messages.LastText().isEmpty()); // the failure was reported
    EXPECT_EQ(FileBlob(), before);
    EXPECT_EQ(ListBlob(), before);
    EXPECT_EQ(m_target->refreshes, 0);

    // The General values went live before the store failed: Cancel still redraws the views.
    dialog.reject();
    EXPECT_EQ(m_target->refreshes, 1);
    EXPECT_EQ(GetFirstDayOfWeek(), 6);
    EXPECT_EQ(ListBlob(), before);
}

TEST_F(OptionsDlgTest, WithoutAParentTheDialogRunsOnItsOwnAndGoesWhenClosed)
{
    EXPECT_EQ(ShowOptionsDialog(nullptr, true, Environment()), 0);
    QPointer<QDialog> dialog = CDialogEx::GetCurrentDialog();
    ASSERT_NE(qobject_cast<COptionsDlg *>(dialog.data()), nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    dialog->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(OptionsDlgTest, AdvancedTreeWritesItsFourteenValues)
{
    COptionsDlg dialog(Environment());
    dialog.show();
    ASSERT_TRUE(dialog.Sheet()->SetActivePage(4));
    COptionsAdvancedPage &page = *dialog.AdvancedPage();
    EXPECT_EQ(page.Tree()->topLevelItemCount(), 5);
    page.Tree()->Activate(page.Item(5));                                        // "Select Notify option" off
    page.Tree()->Activate(page.Item(3));                                        // exit on close
    page.Tree()->Activate(page.Item(COptionsAdvancedModel::kSecondaryMonitor)); // one screen: refused
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), 1);
    for (const auto &s : COptionsAdvancedModel::Switches())
        EXPECT_NE(GetProfileInt("Common", s.valueName, -1), -1) << s.valueName;
    EXPECT_EQ(GetProfileInt("Common", "NNF", -1), 1);
    EXPECT_EQ(GetProfileInt("Common", "MWMX", -1), 1);
    EXPECT_EQ(GetProfileInt("Common", "RWCM", -1), 0);
    EXPECT_EQ(m_live.exitOnClose, 1);
    EXPECT_EQ(m_live.newItemsWithoutReminder, 1);
    EXPECT_EQ(m_target->refreshes, 1);
}

TEST_F(OptionsDlgTest, EqualPaneColoursKeepTheAppearancePage)
{
    COptionsDlg dialog(Environment());
    dialog.show();
    ASSERT_TRUE(dialog.Sheet()->SetActivePage(2));
    COptionsColorsPage &page = *dialog.ColorsPage();
    page.SetColorChooser([](QWidget *, COLORREF &colour, COptionsColorsModel::CustomColors &) {
        colour = 0xF0E8E0; // the background's colour
        return true;
    });
    page.CustomPanesBox()->click();
    page.PaneTextButton()->click();
    EXPECT_FALSE(dialog.Sheet()->SetActivePage(3));
    EXPECT_EQ(m_messages.LastText(), "Please select different colors for panes.");
    page.CustomPanesBox()->click(); // off again: the colours no longer matter
    EXPECT_TRUE(dialog.Sheet()->SetActivePage(3));
    dialog.OtherPage()->SetupButton()->click();
    EXPECT_EQ(m_locationRuns, 1);
    dialog.accept();
    EXPECT_EQ(m_target->toolBars, 1);
    EXPECT_EQ(m_target->paneColors, 1); // "ICT" differs from what the panes showed
}

TEST(PropertySheetBaseTest, ReturnOnAFocusedButtonPressesThatButton)
{
    CPropertySheetBase sheet;
    auto *page = new CPropertyPage(QStringLiteral("Page"));
    auto *button = new QPushButton(QStringLiteral("Press"), page);
    int presses = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++presses; });
    sheet.AddPage(page);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(enter.isAccepted());
}

} // namespace
