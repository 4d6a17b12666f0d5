#pragma once

#include <QString>

#include <memory>
#include <span>

class Mode;
class ModeHost;

// One entry of the mode list: its text, and the mode it chooses.
struct ModeKind
{
    QString entry;
    std::unique_ptr<Mode> (*make)(ModeHost &host);
};

// The mode list's entries, in their order. The window appends them at
// start-up and makes one mode of each; adding a mode is a line here.
std::span<const ModeKind> modeList();
