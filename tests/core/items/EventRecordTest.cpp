// Event record: sizes, the plain block's bytes, round trips, summary reads, damaged records
// and the older layout.
#include "core/items/ItemTestUtil.h"
#include "core/items/RecordTestUtil.h"

#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr std::uint32_t kTag = 0xF197120E;

CRecurrenceException MakeException(const CDateTime &key, const CDateTime &start, const CDateSpan &duration)
{
    CRecurrenceException x;
    x.keyDate = key;
    x.newStart = start;
    x.duration = duration;
    x.modified = At(2024, 3, 1, 12, 0, 1);
    return x;
}

// An event with every stored field set to something other than its default.
CEventItem PopulatedEvent()
{
    CEventItem e;
    e.SetStart(At(2024, 3, 4, 9, 30));
    e.SetDuration(Minutes(90));
    e.SetRecurrence(Recur::Weekly | Recur::ByDate | Recur::Monday | Recur::Thursday | Recur::HasEndDate, 2,
                    17, At(2024, 3, 4, 9, 30), At(2024, 12, 31));
    e.SetFlags(e.GetFlags() | CCalendarItem::FlagReminder | CCalendarItem::FlagSnoozed |
               CCalendarItem::FlagPrivate | CCalendarItem::FlagOwnSound | CCalendarItem::FlagLocked |
               0x20000000);
    e.SetReservedValue(0x12345678);
    e.SetDataFileStamp(0xCAFEBABE);
    e.SetCreatedTime(At(2024, 2, 1, 8, 0, 0));
    e.SetModified(At(2024, 2, 29, 17, 45, 12));
    e.SetKeepMark(7);
    e.SetReminderLead(Minutes(15));
    e.SetSnoozeInterval(Minutes(5));
    e.SetSnoozedUntil(At(2024, 3, 7, 9, 20));
    e.SetSnoozedOccurrence(At(2024, 3, 7, 9, 30));
    e.SetHandledUpTo(At(2024, 3, 4, 9, 15));
    CReminderSound &sound = e.ReminderSoundRecord();
    sound.SetFlags(CReminderSound::SoundFile | CReminderSound::RepeatFlag);
    sound.SetSpare(0x34);
    sound.SetRepeatDelay(2, 5);
    sound.SetPath(QStringLiteral("/home/ana/sounds/ding é.wav"));
    e.SetReminderWindowSizeValue(0x01F40320);
    e.SetEditorWindowSizeValue(0x02580400);
    e.SetStoredTexts(QStringLiteral("Budget ☂ review"), QStringLiteral("line one\r\nline two\r\n"),
                     QStringLiteral("Meeting"), QStringLiteral("Work, Finance"),
                     QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    e.SetStoredLocation(QStringLiteral("Room 4.01"));

    CRecurrenceException moved = MakeException(At(2024, 3, 7, 9, 30), At(2024, 3, 8, 14, 0), Minutes(45));
    moved.SetSubject(true, QStringLiteral("Moved to Friday"));
    moved.reserved = 0xA1;
    moved.reservedWord = 0xB2;
    e.AppendStoredException(moved);
    CRecurrenceException deleted = MakeException(At(2024, 3, 18, 9, 30), At(2024, 3, 18, 9, 30), Minutes(90));
    deleted.SetDeleted(true);
    e.AppendStoredException(deleted);
    CRecurrenceException changed = MakeException(At(2024, 3, 21, 9, 30), At(2024, 3, 21, 10, 0), Hours(2));
    changed.SetLocation(true, QStringLiteral("Café Nord"));
    changed.SetNotes(true, QStringLiteral("bring the\tfigures"));
    changed.SetReminder(true, Minutes(30));
    e.AppendStoredException(changed);
    return e;
}

void ExpectSameException(const CRecurrenceException &a, const CRecurrenceException &b)
{
    EXPECT_EQ(a.stateFlags, b.stateFlags);
    EXPECT_EQ(a.reserved, b.reserved);
    EXPECT_EQ(a.overrideFlags, b.overrideFlags);
    EXPECT_EQ(a.keyDate, b.keyDate);
    EXPECT_EQ(a.newStart, b.newStart);
    EXPECT_EQ(a.duration, b.duration);
    EXPECT_EQ(a.reminderLead, b.reminderLead);
    EXPECT_EQ(a.reservedWord, b.reservedWord);
    EXPECT_EQ(a.modified, b.modified);
    EXPECT_EQ(a.subject, b.subject);
    EXPECT_EQ(a.location, b.location);
    EXPECT_EQ(a.notes, b.notes);
}

// Every field the record stores.
void ExpectSameStoredEvent(const CEventItem &a, const CEventItem &b)
{
    EXPECT_EQ(a.GetFlags(), b.GetFlags());
    EXPECT_EQ(a.GetReservedValue(), b.GetReservedValue());
    EXPECT_EQ(a.GetDataFileStamp(), b.GetDataFileStamp());
    EXPECT_EQ(a.GetStart(), b.GetStart());
    EXPECT_EQ(a.GetDuration(), b.GetDuration());
    EXPECT_EQ(a.GetPattern(), b.GetPattern());
    EXPECT_EQ(a.GetReminderLead(), b.GetReminderLead());
    EXPECT_EQ(a.GetSnoozeInterval(), b.GetSnoozeInterval());
    EXPECT_EQ(a.GetSnoozedUntil(), b.GetSnoozedUntil());
    EXPECT_EQ(a.GetSnoozedOccurrence(), b.GetSnoozedOccurrence());
    EXPECT_EQ(a.GetHandledUpTo(), b.GetHandledUpTo());
    EXPECT_EQ(a.GetKeepMark(), b.GetKeepMark());
    EXPECT_EQ(a.GetCreatedTime(), b.GetCreatedTime());
    EXPECT_EQ(a.GetModified(), b.GetModified());
    EXPECT_EQ(a.GetReminderSound(), b.GetReminderSound());
    EXPECT_EQ(a.GetReminderSound().GetSpare(), b.GetReminderSound().GetSpare());
    EXPECT_EQ(a.GetReminderWindowSize(), b.GetReminderWindowSize());
    EXPECT_EQ(a.GetEditorWindowSize(), b.GetEditorWindowSize());
    EXPECT_EQ(a.GetSubject(), b.GetSubject());
    EXPECT_EQ(a.GetLocation(), b.GetLocation());
    EXPECT_EQ(a.GetNotes(), b.GetNotes());
    EXPECT_EQ(a.GetItemTypeName(), b.GetItemTypeName());
    EXPECT_EQ(a.GetCategories(), b.GetCategories());
    EXPECT_EQ(a.GetUniqueId(), b.GetUniqueId());
    ASSERT_EQ(a.GetExceptionCount(), b.GetExceptionCount());
    for (int i = 0; i < a.GetExceptionCount(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameException(*a.GetExceptionAt(i), *b.GetExceptionAt(i));
    }
}

QByteArray EventBytes(const CEventItem &e)
{
    return ItemRecord::RecordBytes(e);
}
} // namespace

TEST(EventRecord, EmptyEventHasTheFixedSizes)
{
    CEventItem e;
    std::uint32_t plain = 0;
    EXPECT_EQ(e.GetStreamSize(&plain), 356u);
    EXPECT_EQ(plain, 164u);
    EXPECT_EQ(e.GetContentSize(), 349u);
    CMemoryStream s;
    e.Write(s);
    EXPECT_EQ(s.GetPosition(), 349u);
    EXPECT_EQ(EventBytes(e).size(), 356);
}

TEST(EventRecord, SizeCountsEveryTextInStoredBytes)
{
    // Each text adds its UTF-8 bytes; each exception 153 bytes plus its texts.
    CEventItem e = PopulatedEvent();
    const std::uint32_t content = e.GetContentSize();
    CMemoryStream s;
    e.Write(s);
    EXPECT_EQ(s.GetPosition(), content);
    const std::uint32_t total = e.GetStreamSize();
    EXPECT_GE(total, content);
    EXPECT_LT(total - content, 16u);
    EXPECT_EQ((total - 164) % 16, 0u);

    CEventItem plain;
    plain.SetStoredTexts(QStringLiteral("é"), QString(), QString(), QString(), QString()); // two bytes
    EXPECT_EQ(plain.GetContentSize(), 349u + 2);
    plain.AppendStoredException(CRecurrenceException());
    EXPECT_EQ(plain.GetContentSize(), 349u + 2 + 153);
}

TEST(EventRecord, PlainBlockBytes)
{
    CEventItem e;
    e.SetStart(At(2024, 1, 15, 10, 0));
    e.SetDuration(Hours(1));
    e.SetRecurrence(Recur::Daily | Recur::ByDate | Recur::HasEndDate, 3, 9, At(2024, 1, 15, 10, 0),
                    At(2024, 2, 1));
    e.SetFlags(0x00040003);
    e.SetReservedValue(0x11223344);
    e.SetDataFileStamp(0x55667788);
    e.SetReminderLead(Minutes(10));
    e.SetSnoozeInterval(Minutes(15));
    e.SetSnoozedUntil(At(2024, 1, 16, 9, 55));
    e.SetSnoozedOccurrence(At(2024, 1, 16, 10, 0));
    e.SetHandledUpTo(At(2024, 1, 15, 9, 50));
    e.SetKeepMark(0x99);
    e.AppendStoredException(MakeException(At(2024, 1, 18, 10, 0), At(2024, 1, 18, 11, 0), Hours(1)));

    ByteBuilder expected;
    expected.U32(kTag)
        .U32(e.GetStreamSize())
        .U32(164)
        .U32(0x00040003)
        .U32(0x11223344)
        .U32(0x55667788)
        .F64(At(2024, 1, 15, 10, 0).Value())
        .F64(1.0 / 24.0)
        .U32(Recur::Daily | Recur::ByDate | Recur::HasEndDate)
        .U16(3)
        .U16(9)
        .F64(At(2024, 2, 1, 23, 59, 59).Value())
        .U32(1)
        .F64(10.0 / 1440.0)
        .F64(15.0 / 1440.0)
        .F64(At(2024, 1, 16, 9, 55).Value())
        .F64(At(2024, 1, 16, 10, 0).Value())
        .F64(At(2024, 1, 15, 9, 50).Value())
        .U32(0x99)
        .Zeros(60);
    ASSERT_EQ(expected.Size(), 164);
    const QByteArray bytes = EventBytes(e);
    EXPECT_EQ(bytes.left(164).toHex(' '), expected.Bytes().toHex(' '));
    // The second block opens with the same tag and size.
    EXPECT_EQ(GetU32(bytes, 164), kTag);
    EXPECT_EQ(GetU32(bytes, 168), e.GetStreamSize());
}

TEST(EventRecord, PopulatedEventRoundTrips)
{
    const CEventItem original = PopulatedEvent();
    const QByteArray bytes = EventBytes(original);
    CEventItem copy(55);
    std::size_t consumed = 0;
    ASSERT_EQ(ReadWith(bytes, copy, &CEventItem::Read, &consumed), CArchiveException::none);
    ExpectSameStoredEvent(original, copy);
    EXPECT_EQ(consumed, original.GetContentSize()); // the stream ends after the content
    EXPECT_EQ(copy.GetRecordId(), 55u);             // the record id is the data file's
    EXPECT_EQ(copy.GetPatternStart(), original.GetStart());
    // Written again, the copy gives the same bytes.
    EXPECT_EQ(EventBytes(copy), bytes);
}

TEST(EventRecord, ReadingReplacesTheExceptionsItHad)
{
    CEventItem single;
    single.SetStart(At(2024, 5, 1, 8, 0));
    const QByteArray bytes = EventBytes(single);
    CEventItem e = PopulatedEvent();
    ASSERT_EQ(ReadWith(bytes, e, &CEventItem::Read), CArchiveException::none);
    EXPECT_EQ(e.GetExceptionCount(), 0);
    EXPECT_EQ(e.GetSubject(), QString());
    EXPECT_EQ(e.GetLocation(), QString());
}

TEST(EventRecord, TextsBeyondTheSettersLimitsReadAsStored)
{
    CEventItem e;
    const QString longSubject(400, QLatin1Char('s'));
    const QString longLocation(300, QLatin1Char('l'));
    e.SetStoredTexts(longSubject, QString(), QString(70, QLatin1Char('t')), QString(600, QLatin1Char('c')),
                     QString());
    e.SetStoredLocation(longLocation);
    CEventItem copy;
    ASSERT_EQ(ReadWith(EventBytes(e), copy, &CEventItem::Read), CArchiveException::none);
    EXPECT_EQ(copy.GetSubject(), longSubject);
    EXPECT_EQ(copy.GetLocation(), longLocation);
    EXPECT_EQ(copy.GetItemTypeName().size(), 70);
    EXPECT_EQ(copy.GetCategories().size(), 600);
}

TEST(EventRecord, StartIsStoredInWholeSecondsAndNegativeDurationsReadAsZero)
{
    CEventItem e;
    const CDateTime exact = At(2024, 4, 2, 13, 14, 15);
    e.SetStart(CDateTime(exact.Value() + 0.4 / 86400.0)); // 0.4 s past the second
    CEventItem copy;
    ASSERT_EQ(ReadWith(EventBytes(e), copy, &CEventItem::Read), CArchiveException::none);
    EXPECT_EQ(copy.GetStart(), exact);

    struct Case
    {
        double minutes;
        double expectedMinutes;
    };
    // Whole minutes count, truncated after a tiny allowance: a duration that does not reach a
    // whole minute below zero (-1 minute itself included) is kept as it is.
    for (const Case c :
         {Case{-90, 0}, Case{-1.5, 0}, Case{-1, -1}, Case{-0.5, -0.5}, Case{0, 0}, Case{30, 30}}) {
        e.SetDuration(Minutes(c.minutes));
        const QByteArray bytes = EventBytes(e);
        CEventItem whole, summary;
        ASSERT_EQ(ReadWith(bytes, whole, &CEventItem::Read), CArchiveException::none);
        ASSERT_EQ(ReadWith(bytes, summary, &CEventItem::ReadSummary), CArchiveException::none);
        EXPECT_DOUBLE_EQ(whole.GetDuration().GetTotalMinutes(), c.expectedMinutes) << c.minutes;
        EXPECT_DOUBLE_EQ(summary.GetDuration().GetTotalMinutes(), c.expectedMinutes) << c.minutes;
    }
}

TEST(EventRecord, SummaryReadsThePlainBlockAlone)
{
    const CEventItem original = PopulatedEvent();
    const QByteArray bytes = EventBytes(original);
    for (const QByteArray &input : {bytes, bytes.left(164)}) {
        CEventItem e;
        e.SetStoredTexts(QStringLiteral("kept"), QString(), QString(), QString(), QString());
        std::size_t consumed = 0;
        ASSERT_EQ(ReadWith(input, e, &CEventItem::ReadSummary, &consumed), CArchiveException::none);
        EXPECT_EQ(consumed, 164u);
        EXPECT_EQ(e.GetFlags(), original.GetFlags());
        EXPECT_EQ(e.GetReservedValue(), original.GetReservedValue());
        EXPECT_EQ(e.GetDataFileStamp(), original.GetDataFileStamp());
        EXPECT_EQ(e.GetStart(), original.GetStart());
        EXPECT_EQ(e.GetPatternStart(), original.GetStart());
        EXPECT_EQ(e.GetPattern(), original.GetPattern());
        EXPECT_EQ(e.GetSnoozedUntil(), original.GetSnoozedUntil());
        EXPECT_EQ(e.GetHandledUpTo(), original.GetHandledUpTo());
        EXPECT_EQ(e.GetKeepMark(), original.GetKeepMark());
        // Nothing of the second block.
        EXPECT_EQ(e.GetSubject(), QStringLiteral("kept"));
        EXPECT_EQ(e.GetExceptionCount(), 0);
        EXPECT_EQ(e.GetCreatedTime().Value(), 0.0);
    }
}

TEST(EventRecord, DamagedRecordsRaiseTheirCause)
{
    const CEventItem original = PopulatedEvent();
    const QByteArray good = EventBytes(original);
    const int total = good.size();
    const int firstException = 164 + 24; // after the second tag, size, created and modified

    struct Case
    {
        const char *name;
        std::function<void(QByteArray &)> damage;
        CArchiveException::Cause whole;
        CArchiveException::Cause summary;
    };
    const std::vector<Case> cases = {
        {"wrong tag", [](QByteArray &b) { PutU32(b, 0, 0xA101971E); }, CArchiveException::badClass,
         CArchiveException::badClass},
        {"declared size past the buffer", [&](QByteArray &b) { PutU32(b, 4, total + 1); },
         CArchiveException::genericException, CArchiveException::none},
        {"plain length past the buffer", [&](QByteArray &b) { PutU32(b, 8, total + 1); },
         CArchiveException::none, CArchiveException::genericException},
        {"second tag", [](QByteArray &b) { PutU32(b, 164, 0); }, CArchiveException::badClass,
         CArchiveException::none},
        {"second size differs", [&](QByteArray &b) { PutU32(b, 168, total - 16); },
         CArchiveException::genericException, CArchiveException::none},
        {"exception tag", [&](QByteArray &b) { PutU32(b, firstException, 0xF297120E); },
         CArchiveException::badClass, CArchiveException::none},
        {"huge exception count", [](QByteArray &b) { PutU32(b, 56, 0xFFFFFFF0); },
         CArchiveException::endOfFile, CArchiveException::none},
        // One exception too many: the sound fields are read as its tag.
        {"exception count one too many", [](QByteArray &b) { PutU32(b, 56, 4); }, CArchiveException::badClass,
         CArchiveException::none},
        {"exception text length past the end",
         [&](QByteArray &b) { PutU32(b, firstException + 108, 0x7FFFFFFF); }, CArchiveException::endOfFile,
         CArchiveException::none},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = good;
        c.damage(bytes);
        CEventItem whole, summary;
        EXPECT_EQ(ReadWith(bytes, whole, &CEventItem::Read), c.whole);
        EXPECT_EQ(ReadWith(bytes, summary, &CEventItem::ReadSummary), c.summary);
    }
}

TEST(EventRecord, ShortBuffersAreRefusedBeforeAnyField)
{
    const QByteArray good = EventBytes(PopulatedEvent());
    for (int cut = 0; cut < good.size(); ++cut) {
        CEventItem e;
        const CArchiveException::Cause cause = ReadWith(good.left(cut), e, &CEventItem::Read);
        // Too short to hold tag and size: end of file; else the declared size does not fit.
        EXPECT_EQ(cause, cut < 8 ? CArchiveException::endOfFile : CArchiveException::genericException) << cut;
        if (cut >= 8) {
            EXPECT_EQ(e.GetFlags(), 0u) << cut;
        }
    }
}

TEST(EventRecord, TextsMayNotRunIntoTheBytesAfterTheRecord)
{
    // A record inside a larger buffer (a data-file block keeps old bytes after it): a text
    // length that reaches past the declared size is a damaged record, not a longer text.
    CEventItem e;
    e.SetStoredTexts(QString(), QString(), QString(), QString(), QStringLiteral("uid"));
    QByteArray bytes = EventBytes(e);
    const int uidLength = int(e.GetContentSize()) - 50 - 8;
    ASSERT_EQ(GetU32(bytes, uidLength), 4u);
    PutU32(bytes, uidLength, 4 + 50 + 64);
    bytes.append(QByteArray(256, 'x'));
    CEventItem copy;
    EXPECT_EQ(ReadWith(bytes, copy, &CEventItem::Read), CArchiveException::endOfFile);
}

TEST(EventRecord, FlippedBytesNeverCrash)
{
    const QByteArray good = EventBytes(PopulatedEvent());
    for (int at = 0; at < good.size(); ++at) {
        for (int bit : {0, 7}) {
            QByteArray bytes = good;
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
            CEventItem whole, summary, old;
            ReadWith(bytes, whole, &CEventItem::Read);
            ReadWith(bytes, summary, &CEventItem::ReadSummary);
            ReadWith(bytes, old, &CEventItem::ReadOldRecord);
        }
    }
}

// ---- Older layout ----

namespace {
struct OldException
{
    std::uint32_t state = 0;
    std::uint32_t overrides = 0;
    CDateTime key, start;
    double durationDays = 0;
    QByteArray subject, notes;
};

struct OldEvent
{
    std::uint32_t flags = 0;
    std::uint32_t stamp = 0;
    CDateTime start;
    double durationDays = 0;
    std::uint32_t word = 0;
    std::uint16_t interval = 0, day = 0;
    CDateTime end;
    CDateTime created, modified;
    std::vector<OldException> exceptions;
    QByteArray subject, notes, typeName, categories, uid;
};

// The older layout, laid out by hand: no reserved value, exceptions without location.
QByteArray OldEventBytes(const OldEvent &o)
{
    ByteBuilder b;
    b.U32(kTag).U32(0).U32(160).U32(o.flags).U32(o.stamp);
    b.F64(o.start.Value()).F64(o.durationDays).U32(o.word).U16(o.interval).U16(o.day).F64(o.end.Value());
    b.U32(static_cast<std::uint32_t>(o.exceptions.size()));
    b.F64(10.0 / 1440).F64(5.0 / 1440).F64(0).F64(0).F64(At(2020, 1, 1).Value()).U32(3).Zeros(60);
    EXPECT_EQ(b.Size(), 160);
    b.U32(kTag).U32(0).F64(o.created.Value()).F64(o.modified.Value());
    for (const OldException &x : o.exceptions) {
        b.U32(kTag).U32(x.state).U32(x.overrides).F64(x.key.Value()).F64(x.start.Value()).F64(x.durationDays);
        b.F64(20.0 / 1440).U32(0x77).F64(At(2019, 5, 5).Value()).Zeros(52).Str(x.subject).Str(x.notes);
    }
    b.U16(0x0101).U8(1).U8(15).Str("C:\\Sounds\\chime.wav");
    b.U32(0x00C80190).Zeros(4).U32(0x01000200);
    b.Str(o.subject).Str(o.notes).Str(o.typeName).Str(o.categories).Str(o.uid).Zeros(54);
    const int total = b.Size();
    b.PatchU32(4, total);
    b.PatchU32(164, total);
    return b.Bytes();
}
} // namespace

TEST(EventRecord, OlderLayoutReadsAndIsRepaired)
{
    FixedClock clock(At(2024, 6, 1, 12, 0));
    OldEvent o;
    o.flags = CCalendarItem::FlagRecurring | CCalendarItem::FlagLocked | CCalendarItem::FlagReminder;
    o.stamp = 0xABCD;
    o.start = At(2008, 4, 1, 18, 0);
    o.durationDays = 2.0 / 24;
    o.word = Recur::Weekly | Recur::ByDate | Recur::Tuesday | Recur::HasEndDate;
    o.interval = 1;
    o.end = At(2009, 5, 5, 10, 0);
    o.modified = At(2008, 3, 30, 9, 0);
    o.exceptions = {{0, 0x20, At(2008, 4, 8, 18, 0), At(2008, 4, 9, 18, 0), 1.0 / 24, "Wednesday", ""},
                    {0x10000000, 0x40, At(2008, 4, 15, 18, 0), At(2008, 4, 15, 18, 0), 0, "", "gone\x96"}};
    o.subject = "Choir";
    o.notes = "Bring music";
    o.typeName = "Appointment";
    o.categories = "Music";
    o.uid = "old-1";

    CEventItem e;
    ASSERT_EQ(ReadWith(OldEventBytes(o), e, &CEventItem::ReadOldRecord), CArchiveException::none);
    EXPECT_EQ(e.GetFlags(), CCalendarItem::FlagRecurring | CCalendarItem::FlagReminder); // locked cleared
    EXPECT_EQ(e.GetReservedValue(), 0u);
    EXPECT_EQ(e.GetDataFileStamp(), 0xABCDu);
    EXPECT_EQ(e.GetStart(), o.start);
    EXPECT_EQ(e.GetPatternStart(), o.start);
    EXPECT_EQ(e.GetPatternEnd(), At(2009, 5, 5, 23, 59, 59));
    EXPECT_EQ(e.GetRecurrenceInterval(), 1);
    EXPECT_EQ(e.GetReminderLead(), Minutes(10));
    EXPECT_EQ(e.GetKeepMark(), 3u);
    // The missing created stamp takes the modified one.
    EXPECT_EQ(e.GetCreatedTime(), o.modified);
    EXPECT_EQ(e.GetModified(), o.modified);
    EXPECT_EQ(e.GetReminderSound().GetMode(), 1);
    EXPECT_EQ(e.GetReminderSound().GetSpare(), 1);
    EXPECT_EQ(e.GetReminderSound().GetRepeatSeconds(), 15);
    EXPECT_EQ(e.GetReminderSound().GetPath(), QStringLiteral("C:\\Sounds\\chime.wav"));
    EXPECT_EQ(e.GetReminderWindowSize(), 0x00C80190u);
    EXPECT_EQ(e.GetEditorWindowSize(), 0x01000200u);
    EXPECT_EQ(e.GetSubject(), QStringLiteral("Choir"));
    EXPECT_EQ(e.GetLocation(), QString());
    EXPECT_EQ(e.GetNotes(), QStringLiteral("Bring music"));
    EXPECT_EQ(e.GetItemTypeName(), QStringLiteral("Appointment"));
    EXPECT_EQ(e.GetCategories(), QStringLiteral("Music"));
    EXPECT_EQ(e.GetUniqueId(), QStringLiteral("old-1"));
    ASSERT_EQ(e.GetExceptionCount(), 2);
    const CRecurrenceException &x0 = *e.GetExceptionAt(0);
    EXPECT_EQ(x0.overrideFlags, 0x20u);
    EXPECT_EQ(x0.keyDate, At(2008, 4, 8, 18, 0));
    EXPECT_EQ(x0.newStart, At(2008, 4, 9, 18, 0));
    EXPECT_EQ(x0.reminderLead, Minutes(20));
    EXPECT_EQ(x0.reservedWord, 0x77u);
    EXPECT_EQ(x0.modified, At(2019, 5, 5));
    EXPECT_EQ(x0.subject, QStringLiteral("Wednesday"));
    EXPECT_EQ(x0.location, QString());
    const CRecurrenceException &x1 = *e.GetExceptionAt(1);
    EXPECT_TRUE(x1.IsDeleted());
    EXPECT_EQ(x1.notes, QStringLiteral("gone–")); // a Windows-1252 byte from an older tool
    // The occurrence search finds the moved occurrence where the exception put it.
    COccurrence next;
    ASSERT_TRUE(e.NextOccurrence(At(2008, 4, 2), next));
    EXPECT_EQ(next.start, At(2008, 4, 9, 18, 0));
}

TEST(EventRecord, OlderLayoutStampRepairs)
{
    const CDateTime now = At(2024, 6, 1, 12, 0);
    FixedClock clock(now);
    const CDateTime a = At(2007, 1, 2, 3, 4, 5);
    struct Case
    {
        CDateTime created, modified;
        CDateTime expectCreated, expectModified;
    };
    for (const Case &c :
         {Case{CDateTime(), CDateTime(), now, now}, Case{a, CDateTime(), a, a}, Case{CDateTime(), a, a, a},
          Case{a, At(2008, 1, 1), a, At(2008, 1, 1)}, Case{CDateTime(-1e12), a, a, a}}) {
        OldEvent o;
        o.start = At(2008, 1, 1, 9, 0);
        o.created = c.created;
        o.modified = c.modified;
        CEventItem e;
        ASSERT_EQ(ReadWith(OldEventBytes(o), e, &CEventItem::ReadOldRecord), CArchiveException::none);
        EXPECT_EQ(e.GetCreatedTime(), c.expectCreated) << c.created.Value();
        EXPECT_EQ(e.GetModified(), c.expectModified) << c.modified.Value();
    }
}

TEST(EventRecord, OlderLayoutDamage)
{
    OldEvent o;
    o.start = At(2008, 1, 1, 9, 0);
    o.exceptions = {{0, 0, At(2008, 1, 2), At(2008, 1, 2), 0, "x", "y"}};
    const QByteArray good = OldEventBytes(o);
    struct Case
    {
        const char *name;
        int offset;
        std::uint32_t value;
        CArchiveException::Cause cause;
    };
    for (const Case &c : {Case{"tag", 0, 0, CArchiveException::badClass},
                          Case{"size past the buffer", 4, 100000, CArchiveException::genericException},
                          Case{"second tag", 160, 1, CArchiveException::badClass},
                          Case{"second size", 164, 12, CArchiveException::genericException},
                          Case{"huge exception count", 52, 0x40000000, CArchiveException::endOfFile},
                          Case{"exception tag", 184, 5, CArchiveException::badClass}}) {
        QByteArray bytes = good;
        PutU32(bytes, c.offset, c.value);
        CEventItem e;
        EXPECT_EQ(ReadWith(bytes, e, &CEventItem::ReadOldRecord), c.cause) << c.name;
    }
    CEventItem e;
    EXPECT_EQ(ReadWith(good.left(good.size() - 1), e, &CEventItem::ReadOldRecord),
              CArchiveException::genericException);
}
