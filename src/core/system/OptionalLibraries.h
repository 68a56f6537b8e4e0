// Optional system libraries: the visual-style library, session-change notification, desktop
// composition and the handheld desktop's user library. None of them exists on this platform,
// so each binding stays unavailable and its features take the form the program uses when the
// library is missing: classic drawing, no session handling, no composition, no user list.
// Loads and unloads stay paired so that callers are written as for a real binding.
#pragma once

#include <QString>

// major * 65536 + minor of a library's version; 0 when the library cannot be asked.
int GetDllVersion(const QString &libraryName);

// The visual-style library: loaded at start and again after every theme change.
struct ThemeApi
{
    static bool Load();   // true when the binding is available afterwards
    static void Unload(); // always leaves the binding unavailable
    static bool IsAvailable();
};
// The binding is available and a visual style is active now.
bool AreThemesActive();

// Session-change notification (register on frame creation, unregister on destruction).
struct SessionNotification
{
    static bool Load();
    static void Unload();
    static bool IsAvailable();
};

// Desktop composition; false when the composition library is not bound.
bool IsCompositionEnabled();

// The handheld desktop's user library, bound for each conduit request and released after.
struct UserListLibrary
{
    static bool Load(const QString &libraryPath);
    static void Release();
    static bool IsAvailable();
    // 0 for a real user; -1 when unavailable.
    static int IsUserProfile(int userId);
    // Non-negative with the name on success; -1 when unavailable.
    static int GetUserName(int userId, QString &name);
};
