#include "platform/Cursors.h"

#include "platform/Controls.h"

#include <QBitmap>
#include <QPixmap>

#include <map>

namespace cf {

namespace {

// 16 x 16 pictures: '#' black, '.' white, anything else transparent.
struct Picture {
    const char* name;
    int hotX, hotY;
    const char* rows[16];
};

const Picture kCursors[] = {
    {"HORZSPLIT", 7, 7,
     {"      .#.#.     ", "      .#.#.     ", "      .#.#.     ", "      .#.#.     ",
      "   .. .#.#. ..  ", "  .#. .#.#. .#. ", " .##...#.#...##.", ".######.#.######",
      " .##...#.#...##.", "  .#. .#.#. .#. ", "   .. .#.#. ..  ", "      .#.#.     ",
      "      .#.#.     ", "      .#.#.     ", "      .#.#.     ", "                "}},
    {"VERTSPLIT", 7, 7,
     {"       .        ", "      .#.       ", "     .###.      ", "    .#####.     ",
      "      .#.       ", "................", "################", "................",
      "################", "................", "      .#.       ", "    .#####.     ",
      "     .###.      ", "      .#.       ", "       .        ", "                "}},
    {"ROLL", 7, 7,
     {"       .        ", "      .#.       ", "     .###.      ", "    .#####.     ",
      "       .        ", "     .....      ", "    .#####.     ", "    .##.##.     ",
      "    .#####.     ", "     .....      ", "       .        ", "    .#####.     ",
      "     .###.      ", "      .#.       ", "       .        ", "                "}},
    {"ROLLUP", 7, 7,
     {"       .        ", "      .#.       ", "     .###.      ", "    .#####.     ",
      "   .#######.    ", "    .......     ", "                ", "     .....      ",
      "    .#####.     ", "    .##.##.     ", "    .#####.     ", "     .....      ",
      "                ", "                ", "                ", "                "}},
    {"ROLLDOWN", 7, 8,
     {"                ", "                ", "                ", "                ",
      "     .....      ", "    .#####.     ", "    .##.##.     ", "    .#####.     ",
      "     .....      ", "                ", "    .......     ", "   .#######.    ",
      "    .#####.     ", "     .###.      ", "      .#.       ", "       .        "}},
    {"REVERSEDARROW", 11, 0,
     {"           #    ", "          ##    ", "         #.#    ", "        #..#    ",
      "       #...#    ", "      #....#    ", "     #.....#    ", "    #......#    ",
      "   #.......#    ", "  #....#####    ", "     #..#       ", "    #..#        ",
      "    #..#        ", "   #..#         ", "    ##          ", "                "}},
    {"COLUMNNODRAG", 0, 0,
     {"#               ", "##              ", "#.#             ", "#..#            ",
      "#...#           ", "#....#          ", "#.....#         ", "#..#####  ####  ",
      "#.#  #  ##....##", "##   #  #..#...#", "#       #...#..#", "        #....#.#",
      "        ##....##", "         ####   ", "                ", "                "}},
    {"INDICATORSELECT", 8, 7,
     {"                ", "                ", "                ", "    #           ",
      "    ##          ", "    #.#         ", "    #..#        ", "    #...#       ",
      "    #..#        ", "    #.#         ", "    ##          ", "    #           ",
      "                ", "                ", "                ", "                "}},
};

// Bitmaps are drawn at their own size; ' ' takes the background colour.
struct BitmapPicture {
    const char* name;
    TColor background;
    TColor ink;
    const char* rows[11];
};

const BitmapPicture kBitmaps[] = {
    {"CLOSEBTN", clWhite, clBlack,  // white is its transparent colour
     {"           ", " ##     ## ", "  ##   ##  ", "   ## ##   ", "    ###    ", "    ###    ",
      "   ## ##   ", "  ##   ##  ", " ##     ## ", "           ", "           "}},
    {"ALERTCLOSE", clLime, RGB(96, 96, 96),
     {"           ", "           ", "  #     #  ", "   #   #   ", "    # #    ", "     #     ",
      "    # #    ", "   #   #   ", "  #     #  ", "           ", "           "}},
    {"ALERTCLOSEHOVER", clLime, clBlack,
     {"           ", " ######### ", " ##     ## ", " # #   # # ", " #  # #  # ", " #   #   # ",
      " #  # #  # ", " # #   # # ", " ##     ## ", " ######### ", "           "}},
};

std::map<int, QCursor>& Custom()
{
    static std::map<int, QCursor> m;
    return m;
}

} // namespace

std::optional<QCursor> ProgramCursor(const std::string& name)
{
    for (const Picture& p : kCursors) {
        if (name != p.name)
            continue;
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16 && p.rows[y][x]; ++x) {
                char c = p.rows[y][x];
                if (c == '#')
                    img.setPixel(x, y, 0xFF000000u);
                else if (c == '.')
                    img.setPixel(x, y, 0xFFFFFFFFu);
            }
        return QCursor(QPixmap::fromImage(img), p.hotX, p.hotY);
    }
    return std::nullopt;
}

TBitmap ProgramBitmap(const std::string& name)
{
    for (const BitmapPicture& p : kBitmaps) {
        if (name != p.name)
            continue;
        TBitmap b(11, 11, pf24bit);
        TCanvas& c = b.Canvas();
        c.FillRect(TRect(0, 0, 11, 11), p.background);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11 && p.rows[y][x]; ++x)
                if (p.rows[y][x] == '#')
                    c.SetPixel(x, y, p.ink);
        return b;
    }
    return TBitmap();
}

std::vector<std::string> ProgramCursorNames()
{
    std::vector<std::string> out;
    for (const Picture& p : kCursors)
        out.push_back(p.name);
    return out;
}

std::vector<std::string> ProgramBitmapNames()
{
    std::vector<std::string> out;
    for (const BitmapPicture& p : kBitmaps)
        out.push_back(p.name);
    return out;
}

QCursor CursorFor(int n)
{
    switch (n) {
    case crDefault:
    case crArrow: return QCursor(Qt::ArrowCursor);
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait: return QCursor(Qt::WaitCursor);
    case crDrag:
    case crMultiDrag: return QCursor(Qt::DragCopyCursor);
    case crNoDrop:
    case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHelp: return QCursor(Qt::WhatsThisCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: break;
    }
    auto it = Custom().find(n);
    return it != Custom().end() ? it->second : QCursor(Qt::ArrowCursor);
}

void SetCustomCursor(int n, const QCursor& c)
{
    Custom()[n] = c;
}

} // namespace cf
