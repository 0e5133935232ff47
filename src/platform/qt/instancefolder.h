#pragma once
// Where Corvane keeps the lock that holds it to one instance and the hand-off through which a second
// start passes its project to the running one: a folder only this user can use, never a shared one.

#include <QString>

namespace corvane {

// The folder for the lock, made when missing: on Windows the user's own local application data
// (Corvane\Runtime); elsewhere PrivateInstanceFolder($XDG_RUNTIME_DIR, home). Empty when there is no
// such folder.
QString UserInstanceFolder();

// The folder a message names when UserInstanceFolder() is empty: the one it would have made.
QString UserInstanceFolderToMake();

// The name the hand-off server listens on for the lock at lockPath: a local socket beside the lock, or
// on Windows a pipe name made from the lock's path (the path stands for the user).
QString HandoffName(const QString& lockPath);

// True when a project may be handed to the server listening on name: elsewhere than on Windows, only
// a socket this user owns (another user's socket in its place would receive the path). Windows keeps
// the pipes of a session to it.
bool HandoffIsUsers(const QString& name);

#ifndef _WIN32
// runtimeFolder when it is a folder of this user's closed to everybody else (mode 0700); else
// HomeInstanceFolder(homeFolder), made when missing and then likewise checked; else empty.
QString PrivateInstanceFolder(const QString& runtimeFolder, const QString& homeFolder);
QString HomeInstanceFolder(const QString& homeFolder);
#endif

} // namespace corvane
