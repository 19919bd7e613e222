// Draws the pictures of the pipe design window into the program folder: the deflection-angle
// drawing and the two help images beside the pipe fields. Plain raster drawing, written as PNG.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{30, 30, 30};
constexpr Rgb kPipe{70, 90, 120};
constexpr Rgb kFlow{0, 110, 200};
constexpr Rgb kAngle{200, 60, 30};
constexpr Rgb kOutlet{30, 130, 60};
constexpr Rgb kGrey{150, 150, 150};

// ---- canvas ----

class Canvas {
 public:
  Canvas(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w * h), fill) {}
  int width() const { return w_; }
  int height() const { return h_; }
  const std::vector<Rgb>& pixels() const { return px_; }

  void set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y * w_ + x)] = c;
  }
  // A filled disc of radius r at (x, y).
  void dot(double x, double y, double r, Rgb c) {
    for (int j = static_cast<int>(std::floor(y - r)); j <= static_cast<int>(std::ceil(y + r)); ++j)
      for (int i = static_cast<int>(std::floor(x - r)); i <= static_cast<int>(std::ceil(x + r)); ++i)
        if ((i - x) * (i - x) + (j - y) * (j - y) <= r * r) set(i, j, c);
  }
  // A line of the given width; dash > 0 draws dashes and gaps of that length.
  void line(double x0, double y0, double x1, double y1, double width, Rgb c, double dash = 0) {
    const double len = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(len * 2));
    for (int s = 0; s <= steps; ++s) {
      const double t = static_cast<double>(s) / steps;
      if (dash > 0 && static_cast<int>(t * len / dash) % 2 == 1) continue;
      dot(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c);
    }
  }
  // An arc around (cx, cy) from angle a0 to a1 (degrees, counter-clockwise on the screen).
  void arc(double cx, double cy, double r, double a0, double a1, double width, Rgb c) {
    const int steps = std::max(8, static_cast<int>(std::fabs(a1 - a0) * r / 20));
    for (int s = 0; s <= steps; ++s) {
      const double a = (a0 + (a1 - a0) * s / steps) * kPi / 180;
      dot(cx + r * std::cos(a), cy - r * std::sin(a), width / 2, c);
    }
  }
  void ring(double cx, double cy, double r, double width, Rgb c) { arc(cx, cy, r, 0, 360, width, c); }
  void box(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) set(x, y, c);
  }
  // An arrow head at (x, y) pointing along the angle (degrees, counter-clockwise on the screen).
  void arrow_head(double x, double y, double angle, double size, Rgb c) {
    const double a = angle * kPi / 180;
    for (double side : {150.0, -150.0}) {
      const double b = a + side * kPi / 180;
      line(x, y, x + size * std::cos(b), y - size * std::sin(b), 2.5, c);
    }
  }

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};

// ---- a 5 by 7 pixel font for the few characters the drawings use ----

struct Glyph {
  char ch;
  std::array<const char*, 7> rows;
};

constexpr Glyph kFont[] = {
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'C', {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"}},
    {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
    {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
    {'(', {"   # ", "  #  ", " #   ", " #   ", " #   ", "  #  ", "   # "}},
    {')', {" #   ", "  #  ", "   # ", "   # ", "   # ", "  #  ", " #   "}},
    {'?', {" ### ", "#   #", "    #", "   # ", "  #  ", "     ", "  #  "}},
    {'o', {" ##  ", "#  # ", "#  # ", " ##  ", "     ", "     ", "     "}},  // degree sign
    {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
};

const Glyph* glyph(char ch) {
  for (const Glyph& g : kFont)
    if (g.ch == ch) return &g;
  return nullptr;
}

// Writes text with its top left corner at (x, y), each font pixel `scale` pixels wide.
void text(Canvas& cv, int x, int y, std::string_view s, int scale, Rgb c) {
  for (char ch : s) {
    if (const Glyph* g = glyph(ch)) {
      for (int r = 0; r < 7; ++r)
        for (int k = 0; k < 5; ++k)
          if (g->rows[static_cast<size_t>(r)][k] == '#')
            cv.box(x + k * scale, y + r * scale, x + (k + 1) * scale - 1, y + (r + 1) * scale - 1, c);
    }
    x += 6 * scale;
  }
}

int text_width(std::string_view s, int scale) { return static_cast<int>(s.size()) * 6 * scale - scale; }

// ---- PNG writing: RGB, 8 bits, stored (uncompressed) deflate blocks ----

std::uint32_t crc32(const std::uint8_t* data, size_t n, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
  put32(png, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  put32(png, crc32(body.data(), body.size()));
}

bool write_png(const Canvas& cv, const std::string& path) {
  const int w = cv.width(), h = cv.height();
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<size_t>(h * (1 + 3 * w)));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < w; ++x) {
      const Rgb& p = cv.pixels()[static_cast<size_t>(y * w + x)];
      raw.insert(raw.end(), {p.r, p.g, p.b});
    }
  }
  std::vector<std::uint8_t> z = {0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t pos = 0; pos < raw.size() || pos == 0;) {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n & 0xFF));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n & 0xFF));
    z.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
    if (last) break;
  }
  put32(z, (b << 16) | a);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> ihdr;
  put32(ihdr, static_cast<std::uint32_t>(w));
  put32(ihdr, static_cast<std::uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace
  chunk(png, "IHDR", ihdr);
  chunk(png, "IDAT", z);
  chunk(png, "IEND", {});
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(f);
}

// ---- the drawings ----

// Plan of junction structure 4: pipes from structures 1, 2 and 3 flow in, one pipe flows out to
// structure 5 (to the right). The deflection angle of an incoming pipe is the angle between its
// direction of flow, carried on past structure 4, and the direction of the outgoing pipe.
Canvas deflection_picture() {
  Canvas cv(560, 400, kWhite);
  const double cx = 230, cy = 200, len = 150;

  struct Incoming {
    const char* label;
    const char* row;
    double angle;      // deflection angle, degrees
    double direction;  // direction of flow, degrees counter-clockwise from the outgoing pipe
    double arc_radius;
  };
  const Incoming pipes[] = {
      {"1", "1-4   46o", 46, -46, 44},
      {"2", "2-4   24o", 24, 24, 66},
      {"3", "3-4   83o", 83, 83, 88},
  };

  // Outgoing pipe 4 to 5.
  cv.line(cx, cy, cx + 200, cy, 5, kPipe);
  cv.arrow_head(cx + 110, cy, 0, 12, kOutlet);
  cv.ring(cx + 200, cy, 11, 3, kInk);
  text(cv, static_cast<int>(cx + 215), static_cast<int>(cy - 7), "5", 2, kInk);

  for (const Incoming& p : pipes) {
    const double d = p.direction * kPi / 180;
    const double dx = std::cos(d), dy = -std::sin(d);  // screen direction of flow
    const double sx = cx - len * dx, sy = cy - len * dy;
    cv.line(sx, sy, cx, cy, 5, kPipe);
    cv.arrow_head(sx + 0.55 * len * dx, sy + 0.55 * len * dy, p.direction, 12, kFlow);
    cv.ring(sx, sy, 11, 3, kInk);
    text(cv, static_cast<int>(sx - 24), static_cast<int>(sy - 7), p.label, 2, kInk);
    // The flow direction carried on past the junction, and the angle to the outgoing pipe.
    cv.line(cx, cy, cx + (p.arc_radius + 26) * dx, cy + (p.arc_radius + 26) * dy, 1.5, kGrey, 5);
    cv.arc(cx, cy, p.arc_radius, std::min(0.0, p.direction), std::max(0.0, p.direction), 2, kAngle);
    const double mid = p.direction / 2 * kPi / 180;
    const std::string deg = std::to_string(static_cast<int>(p.angle)) + "o";
    text(cv, static_cast<int>(cx + (p.arc_radius + 10) * std::cos(mid)),
         static_cast<int>(cy - (p.arc_radius + 10) * std::sin(mid) - 5), deg, 1, kAngle);
  }

  // Junction structure 4.
  cv.box(static_cast<int>(cx - 12), static_cast<int>(cy - 12), static_cast<int>(cx + 12),
         static_cast<int>(cy + 12), kInk);
  cv.box(static_cast<int>(cx - 9), static_cast<int>(cy - 9), static_cast<int>(cx + 9),
         static_cast<int>(cy + 9), kWhite);
  text(cv, static_cast<int>(cx - 5), static_cast<int>(cy - 7), "4", 2, kInk);

  // Table of the example angles.
  const int tx = 390, ty = 24;
  text(cv, tx, ty, "PIPE  ANGLE", 2, kInk);
  cv.line(tx, ty + 20, tx + text_width("PIPE  ANGLE", 2), ty + 20, 2, kInk);
  for (int i = 0; i < 3; ++i) text(cv, tx, ty + 30 + 24 * i, pipes[i].row, 2, kInk);

  const std::string title = "PIPE DEFLECTION ANGLE (LOWER END)";
  text(cv, (cv.width() - text_width(title, 2)) / 2, cv.height() - 26, title, 2, kInk);
  return cv;
}

// A small round help button with a question mark.
Canvas help_button(Rgb face) {
  Canvas cv(20, 20, kWhite);
  cv.dot(9.5, 9.5, 9.5, face);
  text(cv, 5, 3, "?", 2, kWhite);
  return cv;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const bool ok = write_png(deflection_picture(), dir + "/pipe_deflection.png") &&
                  write_png(help_button(kFlow), dir + "/pipeshape_help.png") &&
                  write_png(help_button(kAngle), dir + "/pipeskew_help.png");
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], dir.c_str());
    return 1;
  }
  return 0;
}
