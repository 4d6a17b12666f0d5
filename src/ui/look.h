#pragma once

class QFont;
class QIcon;
class QPixmap;
class QString;
struct FontDesign;

// The program's own look that every window shares, the grown-ups' windows
// included: its face and its icon. A library of its own, so that a window
// loaded as a module takes these and nothing of the child's window.

// A design font, with the closest available face where the named one is
// missing. Sizes are points at 96 dots per inch, as the twips are.
QFont designFont(const FontDesign &font);

// The grown-ups' windows' face: Latin letters from the program's own Latin
// face, Arabic from the design's face. Sizes as designFont's.
QFont grownUpsFont(double points, bool bold = false);

// The program's icon, in every size it comes in.
QIcon programIcon();

// A picture of the program read as the format its name says. Left to
// guess, Qt loads every image plugin installed to ask each whether it
// reads the file (an SVG reader and its library among them), and the
// child's window would carry them all from its start.
QPixmap readPicture(const QString &path);

// Whether the child's window opens filling the screen (locked), as a
// grown-up chose in the progress window; kept in the program's settings.
bool keptFullScreen();
void keepFullScreen(bool on);
