// errno to the Windows system codes that callers of the core act on.
#include "core/system/ResultCode.h"

#include <cerrno>

std::uint32_t SystemCodeFromErrno(int err)
{
    switch (err) {
    case 0: return 0;
    case ENOENT: return SystemError::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return SystemError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return SystemError::AccessDenied; // the system's answer to opening a folder as a file
    case ENOMEM: return SystemError::NotEnoughMemory;
    case EEXIST: return SystemError::FileExists;
    case ENOSPC:
    case EDQUOT: return SystemError::DiskFull;
    case EINVAL: return SystemError::InvalidParameter;
    case EAGAIN: return SystemError::LockViolation;
    case EBUSY:
    case ETXTBSY: return SystemError::SharingViolation;
    case EIO: return SystemError::IoDevice;
    default: return SystemError::IoDevice;
    }
}

HRESULT HresultFromErrno(int err)
{
    if (err == ENOMEM)
        return E_OUT_OF_MEMORY;
    return HresultFromSystem(SystemCodeFromErrno(err));
}
