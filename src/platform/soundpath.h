#pragma once

#include <QString>
#include <QStringList>

// Joins a relative sound name ("\wa\1.wav") to the program's folder, turning
// every backslash into the platform's separator. Returns an empty string for
// a name that would leave the folder ("..", a drive or root prefix): only
// files inside the program's folder are ever played.
QString joinSoundPath(const QString &folder, const QString &relativeName);

// The file to open for a joined path: the path itself, or, when no such file
// exists and the name has no extension, the path with ".wav" added
// (so "\yes" finds yes.wav).
QString soundFileToOpen(const QString &joinedPath);

// The file a sound name plays from when several folders hold sounds: the
// first folder with such a file wins (a grown-up's own voice before the
// program's); when none has it, the place it would take in the last folder,
// so that a missing file is noticed there. Empty for a name that would leave
// the folders.
QString findSoundFile(const QStringList &folders, const QString &relativeName);
