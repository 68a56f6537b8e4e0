// The fixed name table: settings sections and value names, window classes, clipboard formats,
// program folders and product texts, all fetched by index so that no other code spells them.
#pragma once

class QString;

namespace ConstName {
inline constexpr int Count = 297; // the last entry is the empty text

inline constexpr int CompanyKey = 0;  // "Zemblar Software"
inline constexpr int ProgramName = 1; // "Tessivo": captions, tray tip
inline constexpr int VersionText = 2; // "4.0r"
inline constexpr int WebSite = 4;     // base of the web links
inline constexpr int MailTo = 11;     // "mailto:"
inline constexpr int SupportAddress = 12;
inline constexpr int ClosedFileHint = 16; // "\nData File is closed.\nOpen a Data File."
inline constexpr int DefaultFace = 18;    // "Segoe UI"
inline constexpr int OlderDefaultFace = 19;
inline constexpr int Ellipsis = 20;
inline constexpr int FolderSounds = 21;
inline constexpr int FolderIcons = 22;
inline constexpr int FolderHolidays = 23;
inline constexpr int FolderWeb = 24;
inline constexpr int TransferFormatN = 25;
inline constexpr int TransferFormatInt = 26;
inline constexpr int BaseWindowClass = 31;
inline constexpr int FrameWindowClass = 32;

// Settings sections, in table order.
inline constexpr int Common = 33;
inline constexpr int Day = 34;
inline constexpr int MDay = 35;
inline constexpr int Week = 36;
inline constexpr int Month = 37;
inline constexpr int Year = 38;
inline constexpr int List = 39;
inline constexpr int ListF = 40;
inline constexpr int Tasks = 41;
inline constexpr int TaskPad = 42;
inline constexpr int Search = 43;
inline constexpr int Calendar = 44;
inline constexpr int RecentSounds = 45;
inline constexpr int Printing = 46;
inline constexpr int WebSection = 47;
inline constexpr int ImpExp = 48;
inline constexpr int Archive = 49;
inline constexpr int Backup = 50;
inline constexpr int Details = 51;
inline constexpr int Memo = 52;
inline constexpr int RecentFileList = 53;

// Value names of the program-wide settings ("Common" and its neighbours).
inline constexpr int TLI = 54;
inline constexpr int RE = 56;
inline constexpr int RFC = 57;
inline constexpr int A3S = 58;
inline constexpr int L0 = 59;
inline constexpr int SoundE = 60;
inline constexpr int ItemN = 61; // "Item%d"
inline constexpr int Data1 = 62;
inline constexpr int RTL = 64;
inline constexpr int KRS = 65;
inline constexpr int HMW = 66;
inline constexpr int MWHM = 67;
inline constexpr int MWMX = 68;
inline constexpr int FDOW = 78;
inline constexpr int FWOY = 79;
inline constexpr int WD = 80;
inline constexpr int WTS = 81;
inline constexpr int WTE = 82;
inline constexpr int CCS = 83;
inline constexpr int HDB = 84;
inline constexpr int AOT = 85;
inline constexpr int GTF = 86;
inline constexpr int BTT = 87;
inline constexpr int ASQO = 88;
inline constexpr int ASQOT = 89;
inline constexpr int ASQD = 91;
inline constexpr int ASQM = 92;
inline constexpr int SMR = 93;
inline constexpr int NEAD = 98;
inline constexpr int NNF = 99;
inline constexpr int FT = 100;
inline constexpr int AU = 101;
inline constexpr int NoHide = 103; // "nohide"
inline constexpr int OROA = 104;
inline constexpr int ALA = 105;
inline constexpr int STB = 106;
inline constexpr int USB = 107;
inline constexpr int UAM = 108;
inline constexpr int CIC = 109;
inline constexpr int ICB = 110;
inline constexpr int ICT = 111;
inline constexpr int UFUS = 112;
inline constexpr int U3L = 113;
inline constexpr int RWCX = 114;
inline constexpr int RWCY = 115;
inline constexpr int RWCM = 116;
inline constexpr int RWCN = 117;
inline constexpr int OTI = 118;
inline constexpr int UG = 119;
inline constexpr int DD = 120;
inline constexpr int DS = 121;
inline constexpr int WITC = 122;
inline constexpr int TFC = 123;
inline constexpr int UWITC = 124;
inline constexpr int UWSHC = 125;
inline constexpr int UCLW = 126;
inline constexpr int SN = 158;
inline constexpr int STSD = 170;

// Installation data and the program's own key names.
inline constexpr int SoftwareKey = 127;
inline constexpr int InstallKey = 128;
inline constexpr int InstallPath = 131; // "Path"
inline constexpr int PalmDesktopPath = 132;
inline constexpr int DDIR = 133;
inline constexpr int DataFolder = 134; // "Data"
inline constexpr int ProgramKey = 135; // "Tessivo"
inline constexpr int TimeScale = 140;
inline constexpr int Font = 141;
} // namespace ConstName

// The entry at the index; an index past the end gives the last, empty entry. Never fails.
QString GetConstString(int index);
// The same entry as the stored UTF-8 text (valid for the life of the program).
const char *GetConstStringUtf8(int index);
// A string made from a UTF-8 C string; null gives an empty string.
QString MakeString(const char *text);
