#pragma once

#include <QString>

// The user's data folder under the XDG base-directory rules:
// $XDG_DATA_HOME when it is an absolute path (a relative one is ignored, as
// the rules say), ~/.local/share otherwise; always a clean path, never
// "//…". What the program keeps lives in its "huroof" folder inside.
QString userDataFolder();

// userDataFolder()/huroof.
QString programDataFolder();

// Makes `folder` and any missing folder above it, each readable by its
// owner only (0700): they hold children's names and voices. Folders that
// exist already are left as they are. False when it cannot be made.
bool makePrivateFolder(const QString &folder);
