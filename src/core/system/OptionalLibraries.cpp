// Stand-ins for the optional system libraries: every binding reports itself missing.
#include "core/system/OptionalLibraries.h"

int GetDllVersion(const QString &)
{
    return 0;
}

// The styles would need common controls 6.0 or later; none report a version here, so the
// style library is never bound and the views draw their classic look.
bool ThemeApi::Load()
{
    return false;
}

void ThemeApi::Unload() {}
bool ThemeApi::IsAvailable()
{
    return false;
}
bool AreThemesActive()
{
    return ThemeApi::IsAvailable();
}

bool SessionNotification::Load()
{
    return false;
}
void SessionNotification::Unload() {}
bool SessionNotification::IsAvailable()
{
    return false;
}

bool IsCompositionEnabled()
{
    return false;
}

bool UserListLibrary::Load(const QString &)
{
    return false;
}
void UserListLibrary::Release() {}
bool UserListLibrary::IsAvailable()
{
    return false;
}
int UserListLibrary::IsUserProfile(int)
{
    return -1;
}

int UserListLibrary::GetUserName(int, QString &name)
{
    name.clear();
    return -1;
}
