// The view's Details and Memo print styles on PDF pages, read back as text: what each style
// prints, notes that run over many pages, heads that never print twice and jobs that always end.
#include "common/TempProfile.h"
#include "core/dates/DateFormats.h"
#include "core/items/PatternDisplayItem.h"
#include "core/system/Profile.h"
#include "core/items/TaskDisplayItem.h"
#include "views/base/CalendarViewCtrl.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
std::unique_ptr<CPatternDisplayItem> Event(const CDateTime &start, double hours, const QString &subject)
{
    auto e = std::make_unique<CPatternDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Meeting"),
                                                   start, CDateSpan(hours / 24.0));
    e->SetSubject(subject);
    e->SetAge(-1);
    return e;
}

std::unique_ptr<CTaskDisplayItem> Task(const CDateTime &due, const QString &subject, int priority)
{
    auto t = std::make_unique<CTaskDisplayItem>(1, QStringLiteral("Phone Call"), due, CDateSpan(1.0));
    t->SetSubject(subject);
    t->SetPriority(priority);
    t->SetFlags(t->GetFlags() | CDisplayItem::FlagHasDue);
    return t;
}

// Words that can be found again in the text of the printed pages, one after another.
QString NumberedWords(const QString &prefix, int characters)
{
    QString text;
    for (int i = 0; text.size() < characters; ++i)
        text += QStringLiteral("%1%2 ").arg(prefix).arg(i, 5, 10, QLatin1Char('0'));
    return text.left(characters);
}

QStringList Words(const QString &text, const QString &prefix)
{
    QStringList found;
    const QRegularExpression word(prefix + QStringLiteral("\\d{5}"));
    for (auto it = word.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    return found;
}

struct Job
{
    int pages = 0;
    bool ended = false;
    std::vector<int> offsets; // the notes offset each page stopped at
    QString text;             // the pages as pdftotext reads them
};

class ViewPrintPdfTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_TRUE(m_dir.isValid());
        BuildLocaleFormats(LocaleDateData());
    }

    void SetOption(int style, const char *name, int value)
    {
        WriteProfileInt(GetPrintingSection(style), QString::fromLatin1(name), value);
    }

    // Prints the view's entries page after page until the job ends (or plainly never would).
    Job Print(CCalendarViewCtrl &view, int style, const QPageSize &size, std::uint8_t flags = 0)
    {
        Job job;
        const QString path = m_dir.filePath(QStringLiteral("job%1.pdf").arg(++m_jobs));
        CPrintSession session;
        session.styleId = style;
        session.flags = flags;
        view.LoadPrintOptions(session);
        {
            QPdfWriter pdf(path);
            pdf.setResolution(150);
            pdf.setPageSize(size);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&pdf);
            const CPrintUnits units = CPrintUnits::ForPage(pdf);
            const PrintRect page = CPrintUnits::PageRect(pdf);
            view.MeasurePrintTimeColumn(painter, units, session);
            while (job.pages < 400) {
                if (job.pages > 0)
                    pdf.newPage();
                session.pageNumber = job.pages;
                view.PrintPage(painter, units, page, session);
                ++job.pages;
                job.offsets.push_back(session.resumeOffset);
                if (session.resumeIndex >= view.GetEntryCount()) {
                    job.ended = true;
                    break;
                }
            }
        }
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.waitForFinished(60000));
        // Compatibility forms turn the fonts' ligatures back into their letters.
        job.text =
            QString::fromUtf8(pdftotext.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        return job;
    }

    // Events and tasks of two days, with every Memo row that can appear.
    void AddFixture(CCalendarViewCtrl &view)
    {
        auto review = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, QStringLiteral("Budget review"));
        review->SetLocation(QStringLiteral("Room 4"));
        review->SetCategories(QStringLiteral("Finance"));
        review->SetNotes(QStringLiteral("Bring the figures"));
        view.AddEntry(std::move(review));
        auto party = Event(CDateTime(2024, 6, 3), 24, QStringLiteral("Office party"));
        party->SetAge(5);
        view.AddEntry(std::move(party));
        auto standup = Event(CDateTime(2024, 6, 4, 8, 30, 0), 0.25, QStringLiteral("Standup"));
        standup->SetFlags(standup->GetFlags() | CDisplayItem::FlagRecurring);
        standup->SetRecurrenceText(QStringLiteral("Every weekday"));
        view.AddEntry(std::move(standup));
        auto taxes = Task(CDateTime(2024, 6, 10), QStringLiteral("File taxes"), 0);
        taxes->SetStatus(1);
        taxes->SetPercentComplete(50);
        view.AddEntry(std::move(taxes));
        auto rent = Task(CDateTime(2024, 6, 1), QStringLiteral("Pay rent"), 2);
        rent->SetFlags(rent->GetFlags() | CDisplayItem::FlagCompleted);
        rent->SetStatus(2);
        rent->SetPercentComplete(100);
        rent->SetCompletedDate(CDateTime(2024, 5, 30));
        view.AddEntry(std::move(rent));
    }

    TempProfile m_profile;
    QTemporaryDir m_dir;
    int m_jobs = 0;
};
} // namespace

TEST(PrintSessionTest, StoredResumeNeverTurnsLongOffsetsIntoTheHead)
{
    EXPECT_TRUE(CPrintSession::PackedAtHead(CPrintSession::Pack(3, CPrintSession::HeadOffset)));
    for (int offset : {0, 0x7FFF, 0xFFFE, 0xFFFF, 70000}) {
        const std::uint32_t packed = CPrintSession::Pack(3, offset);
        EXPECT_FALSE(CPrintSession::PackedAtHead(packed)) << offset;
        EXPECT_EQ(CPrintSession::PackedIndex(packed), 3);
    }
    EXPECT_EQ(CPrintSession::Pack(7, 40000), (40000u << 16) | 7u);
}

TEST_F(ViewPrintPdfTest, DetailsPrintsTimesSubjectsAndChosenLines)
{
    SetOption(CPrintSession::StyleDetails, "IT", 1);
    SetOption(CPrintSession::StyleDetails, "CG", 1);
    SetOption(CPrintSession::StyleDetails, "SN", 1);
    SetOption(CPrintSession::StyleDetails, "PE", 1);
    CCalendarViewCtrl view;
    AddFixture(view);
    const Job job = Print(view, CPrintSession::StyleDetails, QPageSize(QPageSize::A5));
    ASSERT_TRUE(job.ended);
    EXPECT_EQ(job.pages, 1);
    const QString &text = job.text;
    EXPECT_TRUE(text.contains(QStringLiteral("Budget review -- Room 4")));
    EXPECT_TRUE(text.contains(QStringLiteral("Item Type: Meeting")));
    EXPECT_TRUE(text.contains(QStringLiteral("Categories: Finance")));
    EXPECT_TRUE(text.contains(QStringLiteral("Bring the figures")));
    EXPECT_TRUE(text.contains(QStringLiteral("Office party (5 years)")));
    // An all-day event says so even with the end time on; tasks say what they are.
    EXPECT_TRUE(text.contains(QStringLiteral("All Day")));
    EXPECT_EQ(text.count(QStringLiteral("Task")), 2);
    EXPECT_TRUE(text.contains(FormatTime(CDateTime(1899, 12, 30, 9, 0, 0)) + QStringLiteral(" - ") +
                              FormatTime(CDateTime(1899, 12, 30, 10, 0, 0))));
    EXPECT_TRUE(text.contains(FormatLongDate(CDateTime(2024, 6, 3))));
    EXPECT_TRUE(text.contains(FormatLongDate(CDateTime(2024, 6, 4))));
    EXPECT_FALSE(text.contains(QStringLiteral("Continued")));
}

TEST_F(ViewPrintPdfTest, MemoPrintsLabelledRowsOncePerEntry)
{
    CCalendarViewCtrl view;
    AddFixture(view);
    // A6 pages make heads meet page ends.
    const Job job = Print(view, CPrintSession::StyleMemo, QPageSize(QPageSize::A6));
    ASSERT_TRUE(job.ended);
    EXPECT_GT(job.pages, 1);
    const QString &text = job.text;
    // Each head printed once: no head is left half on one page and printed again on the next.
    EXPECT_EQ(text.count(QStringLiteral("Subject:")), 5);
    EXPECT_EQ(text.count(QStringLiteral("Budget review")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Location:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Recurrence:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Every weekday")));
    EXPECT_TRUE(text.contains(QStringLiteral("Bring the figures"))); // Memo always prints notes
    // Only the urgent task has a priority row; only the completed one a completion date.
    EXPECT_EQ(text.count(QStringLiteral("Priority:")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Urgent")));
    EXPECT_EQ(text.count(QStringLiteral("Date Completed:")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("50%")));
    EXPECT_TRUE(text.contains(QStringLiteral("In Progress")));
    // The due date is the day before the stored end.
    EXPECT_TRUE(text.contains(FormatWeekdayDate(CDateTime(2024, 6, 10))));
    EXPECT_FALSE(text.contains(FormatWeekdayDate(CDateTime(2024, 6, 11))));
}

TEST_F(ViewPrintPdfTest, MemoOneEntryPerPage)
{
    CCalendarViewCtrl view;
    AddFixture(view);
    const Job job =
        Print(view, CPrintSession::StyleMemo, QPageSize(QPageSize::A4), CPrintSession::FlagOneEntryPerPage);
    ASSERT_TRUE(job.ended);
    EXPECT_EQ(job.pages, 5);
    EXPECT_EQ(job.text.count(QLatin1Char('\f')), 5);
}

TEST_F(ViewPrintPdfTest, NotesOfFortyThousandCharactersPrintWhole)
{
    SetOption(CPrintSession::StyleDetails, "SN", 1);
    const QString notes = NumberedWords(QStringLiteral("n"), 40000);
    const QStringList expected = Words(notes, QStringLiteral("n"));
    for (int style : {CPrintSession::StyleDetails, CPrintSession::StyleMemo}) {
        SCOPED_TRACE(style);
        CCalendarViewCtrl view;
        auto e = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, QStringLiteral("Long notes"));
        e->SetNotes(notes);
        view.AddEntry(std::move(e));
        view.AddEntry(Event(CDateTime(2024, 6, 3, 11, 0, 0), 1, QStringLiteral("After the notes")));
        const Job job = Print(view, style, QPageSize(QPageSize::A5));
        ASSERT_TRUE(job.ended);
        EXPECT_GT(job.pages, 3);
        // Resumed past what 16 bits of offset could hold, and nothing lost or repeated.
        EXPECT_GT(*std::max_element(job.offsets.begin(), job.offsets.end()), 0x7FFF);
        EXPECT_EQ(Words(job.text, QStringLiteral("n")), expected);
        EXPECT_TRUE(job.text.contains(QStringLiteral("After the notes")));
    }
}

TEST_F(ViewPrintPdfTest, EntryThatCannotFitAnEmptyPageIsCutAndTheJobEnds)
{
    SetOption(CPrintSession::StyleDetails, "CG", 1);
    for (int style : {CPrintSession::StyleDetails, CPrintSession::StyleMemo}) {
        SCOPED_TRACE(style);
        CCalendarViewCtrl view;
        view.AddEntry(Event(CDateTime(2024, 6, 3, 8, 0, 0), 1, QStringLiteral("Before")));
        // A subject and categories far taller than a whole page.
        auto huge = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, NumberedWords(QStringLiteral("s"), 6000));
        huge->SetCategories(NumberedWords(QStringLiteral("c"), 6000));
        view.AddEntry(std::move(huge));
        view.AddEntry(Event(CDateTime(2024, 6, 3, 10, 0, 0), 1, QStringLiteral("After")));
        const Job job = Print(view, style, QPageSize(QPageSize::A6));
        ASSERT_TRUE(job.ended);
        EXPECT_LE(job.pages, 4);
        EXPECT_TRUE(job.text.contains(QStringLiteral("Before")));
        EXPECT_TRUE(job.text.contains(QStringLiteral("After")));
        EXPECT_FALSE(Words(job.text, QStringLiteral("s")).isEmpty()); // its start is printed
    }
}

TEST_F(ViewPrintPdfTest, MemoPagesFollowTheCountingPass)
{
    CCalendarViewCtrl view;
    AddFixture(view);
    auto notes = Event(CDateTime(2024, 6, 5, 9, 0, 0), 1, QStringLiteral("Notes"));
    notes->SetNotes(NumberedWords(QStringLiteral("m"), 3000));
    view.AddEntry(std::move(notes));
    view.AddEntry(Event(CDateTime(2024, 6, 5, 10, 0, 0), 1, QStringLiteral("Last")));

    QImage image(620, 874, QImage::Format_ARGB32_Premultiplied); // A6 at 150 dpi
    image.setDotsPerMeterX(5906);
    image.setDotsPerMeterY(5906);
    const CPrintUnits units = CPrintUnits::ForPage(image);
    const PrintRect page = CPrintUnits::PageRect(image);
    CPrintSession counting;
    counting.styleId = CPrintSession::StyleMemo;
    view.LoadPrintOptions(counting);
    std::vector<std::pair<int, int>> counted;
    for (counting.pageNumber = 0; counting.resumeIndex < view.GetEntryCount() && counting.pageNumber < 50;
         ++counting.pageNumber) {
        image.fill(Qt::white);
        QPainter painter(&image);
        view.PrintPage(painter, units, page, counting);
        counting.RecordPageEnd();
        counted.emplace_back(counting.resumeIndex, counting.resumeOffset);
    }
    ASSERT_GT(counted.size(), 2u);

    CPrintSession printing;
    printing.styleId = CPrintSession::StyleMemo;
    printing.pageTable = counting.pageTable;
    for (std::size_t n = 0; n < counted.size(); ++n) {
        printing.pageNumber = int(n);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.PrintPage(painter, units, page, printing);
        EXPECT_EQ(printing.resumeIndex, counted[n].first) << n;
        EXPECT_EQ(printing.resumeOffset, counted[n].second) << n;
    }

    // A table from another job that ends a page before it begins is passed over.
    CPrintSession stale;
    stale.styleId = CPrintSession::StyleMemo;
    stale.resumeIndex = 2;
    stale.pageTable = {CPrintSession::Pack(1, CPrintSession::HeadOffset)};
    image.fill(Qt::white);
    QPainter painter(&image);
    view.PrintPage(painter, units, page, stale);
    EXPECT_GT(stale.resumeIndex, 2);
}
