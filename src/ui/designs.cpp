#include "design.h"

#include <array>

namespace {

constexpr quint32 kFace = 0x00C0C000;     // red 0, green 192, blue 192
constexpr quint32 kWhite = 0x00FFFFFF;
constexpr quint32 kRed = 0x000000FF;
constexpr quint32 kLinkBlue = 0x00C00000; // red 0, green 0, blue 192
constexpr quint32 kLightGrey = 0x00C0C0C0;
constexpr quint32 kGrey = 0x00808080;

constexpr FontDesign kBoardFont{"Arial", 20.25, true};
constexpr FontDesign kCaptionFont{"Arial", 15.75, true};

// The results panel: per letter k, the places of hro(k), Ima(k) and imac(k).
struct PanelPlace
{
    int hroLeft, hroTop, imaLeft, imaTop, imacLeft, imacTop;
};

constexpr std::array<PanelPlace, 28> kPanel = {{
    {2640, 120, 1800, 120, 1890, 120},     // أ
    {2640, 720, 1800, 720, 1890, 720},     // ب
    {2640, 1320, 1800, 1320, 1890, 1320},  // ت
    {2640, 1920, 1800, 1920, 1890, 1920},  // ث
    {2640, 2520, 1800, 2640, 1890, 2640},  // ج
    {2640, 3120, 1800, 3240, 1890, 3240},  // ح
    {2640, 3720, 1800, 3840, 1890, 3840},  // خ
    {2640, 4320, 1800, 4440, 1890, 4440},  // د
    {2640, 4920, 1800, 5040, 1890, 5040},  // ذ
    {2640, 5520, 1800, 5640, 1890, 5640},  // ر
    {2640, 6120, 1800, 6240, 1890, 6240},  // ز
    {2640, 6720, 1800, 6720, 1890, 6720},  // س
    {10080, 1680, 9240, 1680, 9330, 1680}, // ش
    {8400, 1560, 7560, 1680, 7650, 1680},  // ص
    {1080, 120, 240, 120, 330, 120},       // ض
    {1080, 720, 240, 720, 330, 840},       // ط
    {1080, 1320, 240, 1440, 330, 1440},    // ظ
    {1080, 1920, 240, 2040, 330, 2040},    // ع
    {1080, 2520, 240, 2520, 330, 2520},    // غ
    {1080, 3120, 240, 3120, 330, 3120},    // ف
    {1080, 3720, 240, 3720, 330, 3720},    // ق
    {1080, 4320, 240, 4320, 330, 4320},    // ك
    {1080, 4920, 240, 4920, 330, 4920},    // ل
    {1080, 5520, 240, 5520, 330, 5520},    // م
    {1080, 6120, 240, 6120, 330, 6120},    // ن
    {1080, 6720, 240, 6720, 330, 6720},    // هـ
    {5040, 1680, 4200, 1680, 4290, 1680},  // و
    {6840, 1680, 6000, 1680, 6090, 1680},  // ي
}};

WindowDesign makeForm1()
{
    WindowDesign w{"برنامج الحروف", 14565, 7350, kGrey, true, {}};
    auto &c = w.controls;

    // Frames first: they lie under everything else.
    c.push_back({.kind = ControlKind::Shape, .name = "Shape", .left = 3480, .top = 2760, .width = 6180, .height = 3840,
                 .border = 7});
    c.push_back({.kind = ControlKind::Shape, .name = "Shape1", .index = 1, .left = 5100, .top = 60, .width = 8940,
                 .height = 1410, .border = 3, .rounded = true});
    c.push_back({.kind = ControlKind::Shape, .name = "Shape3", .index = 0, .left = 10020, .top = 3360, .width = 4110,
                 .height = 1215, .border = 3, .rounded = true});
    c.push_back({.kind = ControlKind::Shape, .name = "Shape2", .left = 9840, .top = 5160, .width = 4440, .height = 765,
                 .border = 3, .rounded = true});

    for (int j = 0; j < 28; ++j) {
        const TwipsRect r = boardPlace(j);
        c.push_back({.kind = ControlKind::Button, .name = "hr", .index = j, .left = r.left, .top = r.top,
                     .width = r.width, .height = r.height, .font = kBoardFont, .back = kFace});
    }

    for (int k = 0; k < 28; ++k) {
        const PanelPlace &p = kPanel[std::size_t(k)];
        c.push_back({.kind = ControlKind::Button, .name = "hro", .index = k, .left = p.hroLeft, .top = p.hroTop,
                     .width = 700, .height = k == 27 ? 480 : 585, .font = kBoardFont, .back = kFace,
                     .picture = letterPicture(k)});
        c.push_back({.kind = ControlKind::Image, .name = "Ima", .index = k, .left = p.imaLeft, .top = p.imaTop,
                     .width = 720, .height = 570, .picture = kPanelTickPicture});
        c.push_back({.kind = ControlKind::Label, .name = "imac", .index = k, .left = p.imacLeft, .top = p.imacTop,
                     .width = 180, .height = 360, .caption = "1", .font = {"Arial", 15.75, true}, .fore = kRed,
                     .backdrop = true});
    }

    c.push_back({.kind = ControlKind::List, .name = "Co1", .left = 11040, .top = 240, .width = 1455, .height = 555,
                 .font = {"Arial", 18, true}});
    c.push_back({.kind = ControlKind::Label, .name = "La", .left = 12630, .top = 360, .width = 1185, .height = 360,
                 .caption = "نوع الترتيب", .font = kCaptionFont, .fore = kWhite});
    c.push_back({.kind = ControlKind::List, .name = "Co2", .left = 5520, .top = 210, .width = 2655, .height = 480,
                 .font = kCaptionFont});
    c.push_back({.kind = ControlKind::Label, .name = "Label1", .left = 8280, .top = 360, .width = 1188, .height = 360,
                 .caption = "نوع السؤال", .font = kCaptionFont, .fore = kWhite});

    c.push_back({.kind = ControlKind::TextBox, .name = "qno", .left = 10680, .top = 3480, .width = 915, .height = 945,
                 .font = {"Arial", 36, true}, .back = kLightGrey});
    c.push_back({.kind = ControlKind::Label, .name = "Label4", .left = 12000, .top = 3720, .width = 1455, .height = 480,
                 .caption = "رقم السؤال", .font = kBoardFont, .fore = kWhite});
    c.push_back({.kind = ControlKind::Label, .name = "Label9", .left = 10200, .top = 5400, .width = 3615, .height = 375,
                 .caption = "للملاحظات على البرنامج اضغط هنا", .font = {"MS Serif", 13.5, true}, .fore = kLinkBlue,
                 .align = Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, .autoSize = false});

    c.push_back({.kind = ControlKind::Image, .name = "Imy", .left = 13080, .top = 1560, .width = 1080, .height = 1170,
                 .picture = kTickPicture, .visible = false});
    c.push_back({.kind = ControlKind::Image, .name = "Imn", .left = 13200, .top = 1680, .width = 1080, .height = 1170,
                 .picture = kCrossPicture, .visible = false});
    c.push_back({.kind = ControlKind::Image, .name = "Imhy", .left = 11520, .top = 1800, .width = 1080, .height = 1170,
                 .picture = kSmilePicture, .visible = false});
    c.push_back({.kind = ControlKind::Image, .name = "Imhn", .left = 11520, .top = 1800, .width = 1080, .height = 1170,
                 .picture = kFrownPicture, .visible = false});
    return w;
}

WindowDesign makeSplash()
{
    // The classroom picture is the window's own background; Image1 covers
    // all of it but a 2-pixel strip along the bottom.
    WindowDesign w{"", 6780, 4710, kDefaultColour, false, {}};
    w.controls.push_back({.kind = ControlKind::Image, .name = "Image1", .left = 0, .top = 0, .width = 6840,
                          .height = 4680, .picture = kTitlePicture});
    return w;
}

constexpr std::array<const char *, 28> kLetterPictures = {
    ":/pictures/letter1.jpg",  ":/pictures/letter2.jpg",  ":/pictures/letter3.jpg",  ":/pictures/letter4.jpg",
    ":/pictures/letter5.jpg",  ":/pictures/letter6.jpg",  ":/pictures/letter7.jpg",  ":/pictures/letter8.jpg",
    ":/pictures/letter9.jpg",  ":/pictures/letter10.jpg", ":/pictures/letter11.jpg", ":/pictures/letter12.jpg",
    ":/pictures/letter13.jpg", ":/pictures/letter14.jpg", ":/pictures/letter15.jpg", ":/pictures/letter16.jpg",
    ":/pictures/letter17.jpg", ":/pictures/letter18.jpg", ":/pictures/letter19.jpg", ":/pictures/letter20.jpg",
    ":/pictures/letter21.jpg", ":/pictures/letter22.jpg", ":/pictures/letter23.jpg", ":/pictures/letter24.jpg",
    ":/pictures/letter25.jpg", ":/pictures/letter26.jpg", ":/pictures/letter27.jpg", ":/pictures/letter28.jpg",
};

} // namespace

const char *letterPicture(int k)
{
    return kLetterPictures.at(std::size_t(k));
}

const WindowDesign &form1Design()
{
    static const WindowDesign design = makeForm1();
    return design;
}

const WindowDesign &splashDesign()
{
    static const WindowDesign design = makeSplash();
    return design;
}
