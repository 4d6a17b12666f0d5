#pragma once

#include <QString>

// The folder that holds the running executable: the recordings lie beside it.
// Needs a QCoreApplication.
QString programFolder();
