// Result codes: 32-bit values shared by every layer. 0 is success, 1 "nothing done";
// the program's own codes have facility 4; system errors are 0x80070000 plus the system code.
#pragma once

#include <cstdint>

using HRESULT = std::uint32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;          // nothing done, not an error
inline constexpr HRESULT E_OUT_OF_MEMORY = 14; // the system's "not enough storage" code

// The program's own codes. 0x80040500..0x80040509 are quiet results.
inline constexpr HRESULT QV_E_BASE = 0x80040500;
inline constexpr HRESULT QV_E_REFUSED = 0x80040501;          // also a refused snooze
inline constexpr HRESULT QV_E_CANCELLED = 0x80040502;        // the user cancelled
inline constexpr HRESULT QV_E_ALREADY_OPEN = 0x80040503;     // the file asked for is the one open
inline constexpr HRESULT QV_E_QUIET_04 = 0x80040504;
inline constexpr HRESULT QV_E_NO_REMINDER_WINDOW = 0x80040506;
inline constexpr HRESULT QV_E_WALK_STOPPED = 0x80040507;
inline constexpr HRESULT QV_E_NO_HINT = 0x80040508;          // reported without the closed-file hint
inline constexpr HRESULT QV_E_ITEM_LOAD = 0x80040509;        // item could not be loaded (deleted by another user)
inline constexpr HRESULT QV_E_NO_RESOURCES = 0x8004050A;
inline constexpr HRESULT QV_E_QUIET_0B = 0x8004050B;
inline constexpr HRESULT QV_E_BAD_DATA_TYPE = 0x8004050C;    // corrupted: invalid data type / bad record
inline constexpr HRESULT QV_E_INTERNAL = 0x8004050D;
inline constexpr HRESULT QV_E_NOT_IMPLEMENTED = 0x8004050E;
inline constexpr HRESULT QV_E_WRONG_PASSWORD = 0x8004050F;
inline constexpr HRESULT QV_E_ENCIPHER = 0x80040510;
inline constexpr HRESULT QV_E_DECIPHER_CHECK = 0x80040511;
inline constexpr HRESULT QV_E_NO_HINT_12 = 0x80040512;       // reported without the closed-file hint
inline constexpr HRESULT QV_E_BACKUP_FILE = 0x80040513;
inline constexpr HRESULT QV_E_SELECT_BACKUP = 0x80040514;
inline constexpr HRESULT QV_E_16 = 0x80040516;
inline constexpr HRESULT QV_E_QUIET_17 = 0x80040517;
inline constexpr HRESULT QV_E_NOT_LOADED = 0x80040520;
inline constexpr HRESULT QV_E_UNEXPECTED_FILE_FORMAT = 0x80040521;
inline constexpr HRESULT QV_E_CORRUPT_CONTACT = 0x80040522;
inline constexpr HRESULT QV_E_BAD_VERSION = 0x80040523;
inline constexpr HRESULT QV_E_NEWER_VERSION = 0x80040524;
inline constexpr HRESULT QV_E_FILE_FULL = 0x80040525;
inline constexpr HRESULT QV_E_CORRUPT = 0x80040526;
inline constexpr HRESULT QV_E_UNEXPECTED_DATA_FORMAT = 0x80040527;
inline constexpr HRESULT QV_E_NO_ENTRY = 0x80040528;         // object-table entry absent
inline constexpr HRESULT QV_E_29 = 0x80040529;
inline constexpr HRESULT QV_E_2A = 0x8004052A;
inline constexpr HRESULT QV_E_BAD_BLOCK = 0x8004052B;
inline constexpr HRESULT QV_E_DAMAGED = 0x8004052C;          // sticky: the file's block chain is damaged
inline constexpr HRESULT QV_E_2D = 0x8004052D;
inline constexpr HRESULT QV_E_CONVERT_FAILED = 0x8004052E;
inline constexpr HRESULT QV_E_NO_VADOV = 0x80040530;
inline constexpr HRESULT QV_E_REINSTALL_PALM = 0x80040532;
inline constexpr HRESULT QV_E_MODULE_NOT_FOUND = 0x80040533;
inline constexpr HRESULT QV_E_NO_IMPQV = 0x80040534;
inline constexpr HRESULT QV_E_NO_LIBICAL = 0x80040535;
inline constexpr HRESULT QV_E_ICAL_FORMAT = 0x80040536;
inline constexpr HRESULT QV_E_ICAL_FORMAT2 = 0x80040537;
inline constexpr HRESULT QV_E_POCKETPC_VERSION = 0x80040539;

// Windows system codes that callers act on; errno values map to these.
namespace SystemError {
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t PathNotFound = 3;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t NotEnoughMemory = 8;
inline constexpr std::uint32_t SharingViolation = 32;
inline constexpr std::uint32_t LockViolation = 33;
inline constexpr std::uint32_t HandleEof = 38;
inline constexpr std::uint32_t FileExists = 80;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t DiskFull = 112;
inline constexpr std::uint32_t AlreadyExists = 183;
inline constexpr std::uint32_t IoDevice = 1117;
} // namespace SystemError

constexpr HRESULT HresultFromSystem(std::uint32_t code)
{
    return code == 0 ? S_OK : (0x80070000u | (code & 0xFFFFu));
}
constexpr bool Failed(HRESULT hr) { return (hr & 0x80000000u) != 0 || hr == E_OUT_OF_MEMORY; }
constexpr bool IsOwnCode(HRESULT hr)
{
    return (hr & 0x1FFF0000u) == 0x00040000u || (hr & 0x1FFF0000u) == 0x14000000u;
}
constexpr bool IsQuietCode(HRESULT hr) { return hr >= 0x80040500u && hr <= 0x80040509u; }

// The Windows system code for an errno value (design: ENOENT 2, ENOTDIR/ENAMETOOLONG 3, ...).
std::uint32_t SystemCodeFromErrno(int err);
// 0x80070000 + SystemCodeFromErrno(err); ENOMEM gives 14.
HRESULT HresultFromErrno(int err);
