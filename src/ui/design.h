#pragma once

#include <Qt>
#include <QtGlobal>

#include <vector>

// Window designs as data: each control with its kind, name, index, place and
// size in twips (15 twips to a pixel at 96 dots per inch), caption, font,
// colours, picture and initial visibility. ui/builder turns a design into
// widgets.

enum class ControlKind { Button, Label, TextBox, List, Image, Shape };

struct FontDesign
{
    const char *face = nullptr; // "Arial" or "MS Serif"; stand-ins are found where missing
    double points = 0;
    bool bold = false;
};

// Colours are 0x00BBGGRR; kDefaultColour leaves the toolkit's colour.
inline constexpr quint32 kDefaultColour = 0xFFFFFFFFu;

struct ControlDesign
{
    ControlKind kind;
    const char *name;
    int index = -1; // -1: not a member of a control array
    int left = 0, top = 0, width = 0, height = 0;
    const char *caption = "";
    FontDesign font = {};
    quint32 fore = kDefaultColour;
    quint32 back = kDefaultColour;
    const char *picture = nullptr; // a resource path
    bool visible = true;
    int border = 0;                // shapes: border width in pixels
    bool rounded = false;          // shapes
    Qt::Alignment align = Qt::AlignCenter; // labels and text boxes
    bool autoSize = true;          // labels: the size follows the caption
    bool backdrop = false;         // labels: figures ringed in white,
                                   // legible over any picture under them
};

struct WindowDesign
{
    const char *caption;
    int clientWidth, clientHeight; // twips
    quint32 background;
    bool programIcon;
    std::vector<ControlDesign> controls;
};

inline constexpr int kTwipsPerPixel = 15;

// Twips to device-independent pixels, to the nearest pixel.
constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipsRect
{
    int left, top, width, height;
};

// The board: position j lies in row j div 7 and column j mod 7, counted from
// the top right corner, right to left as Arabic is read.
constexpr TwipsRect boardPlace(int j)
{
    const int row = j / 7;
    const int column = j % 7;
    return {8760 - 840 * column, 3120 + 840 * row, 700, 700};
}

// The word panel of the letter-in-a-word mode: in the results panel's
// place, left of the board, which that mode leaves hidden.
inline constexpr TwipsRect kWordPanelPlace{120, 120, 3240, 7200};

const WindowDesign &form1Design();
const WindowDesign &splashDesign();

// Resource paths of the pictures.
const char *letterPicture(int k); // ":/pictures/letter1.jpg" ...
inline constexpr const char *kTickPicture = ":/pictures/tick.png";
inline constexpr const char *kCrossPicture = ":/pictures/cross.png";
// The same marks at the shape of the results panel's image controls.
inline constexpr const char *kPanelTickPicture = ":/pictures/tick-panel.png";
inline constexpr const char *kPanelCrossPicture = ":/pictures/cross-panel.png";
inline constexpr const char *kSmilePicture = ":/pictures/smile.png";
inline constexpr const char *kFrownPicture = ":/pictures/frown.png";
inline constexpr const char *kClassroomPicture = ":/pictures/classroom.bmp";
inline constexpr const char *kTitlePicture = ":/pictures/title.jpg";
